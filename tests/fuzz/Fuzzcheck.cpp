// Fuzzcheck: the lexer gives its reference's tokens, token texts add up to the expanded input,
// only the thirteen kinds occur, NextToken ends and stays ended, and every SPAN of the HTML
// closes.
#include "Fuzzcheck.h"

#include "Installedfiles.h"
#include "Memoryfiles.h"
#include "Tabexpansion.h"

#include "core/Convert.h"
#include "core/Textreader.h"
#include "core/Textwriter.h"
#include "core/Token.h"
#include "lexers/Languagetable.h"
#include "lexers/Tokenreader.h"
#include "output/Colorsettinglist.h"
#include "platform/Codepage.h"
#include "platform/Paths.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace FuzzCheck {
namespace {

const std::string Folder = "/corvina-fuzz-memory";
const char* const ListNames[] = {"escape.txt", ".key", ".sp1", ".sp2", ".sp3", ".ope"};

// Twelve display items, all switched on, so every kind but "other" is written as a SPAN.
std::string ColorFile()
{
    std::string text;
    for (int i = 0; i < 12; ++i)
        text += CodePage::Encode(TokenKind::All[i]) + ",c" + std::to_string(i) +
                ",0x000000,0xFFFFFF,0,0,1\r\n";
    return text;
}

bool IsKind(std::u16string_view kind)
{
    for (std::u16string_view k : TokenKind::All)
        if (k == kind)
            return true;
    return false;
}

// Word-list matches may be written in the list's letter case.
bool IsListedKind(std::u16string_view kind)
{
    return kind == TokenKind::Reserved || kind == TokenKind::Emphasis1 ||
           kind == TokenKind::Emphasis2 || kind == TokenKind::Emphasis3;
}

std::string Describe(std::u16string_view text) { return CodePage::ToUtf8(text.substr(0, 40)); }

std::string CheckTokens(const std::string& code, const std::string& source, size_t* highlighted)
{
    std::u16string expected = TabExpansion::ReadExpanded(source);
    TTextReader reader(source);
    std::unique_ptr<TTokenReader> lexer = CreateTokenReader(reader, code);
    TTextReader referenceReader(source);
    std::unique_ptr<TTokenReader> reference = CreateReferenceTokenReader(referenceReader, code);
    size_t pos = 0;
    size_t count = 0;
    *highlighted = 0;
    for (;;) {
        const TToken* token = lexer->NextToken();
        const TToken* mate = reference->NextToken();
        if ((token == nullptr) != (mate == nullptr))
            return "the lexer and its reference end at different tokens";
        if (token == nullptr)
            break;
        if (token->Text != mate->Text || !(token->Kind == mate->Kind))
            return "token " + Describe(token->Text) + " differs from the reference's " +
                   Describe(mate->Text);
        if (++count > expected.size() + 2)
            return "NextToken does not end";
        if (!IsKind(token->Kind))
            return "unknown kind " + Describe(token->Kind);
        if (token->Kind != TokenKind::Other)
            ++*highlighted;
        std::u16string_view text = token->Text;
        std::u16string_view want = std::u16string_view(expected).substr(pos, text.size());
        bool same = IsListedKind(token->Kind) ? CodePage::SameText(text, want) : text == want;
        if (!same)
            return "token " + Describe(text) + " at character " + std::to_string(pos) +
                   " does not match the input " + Describe(want);
        pos += text.size();
    }
    if (pos != expected.size())
        return "tokens end at character " + std::to_string(pos) + " of " +
               std::to_string(expected.size());
    for (int i = 0; i < 3; ++i)
        if (lexer->NextToken() != nullptr)
            return "NextToken hands out a token after the end";
    return {};
}

// Every "<" of the output begins a tag, since escape.txt always lists "<"; SPANs do not nest and
// all close.
std::string CheckHtml(std::string_view html, size_t highlighted)
{
    static constexpr std::string_view Open = "<SPAN CLASS=\"";
    static constexpr std::string_view Close = "</SPAN>";
    size_t opened = 0;
    bool inside = false;
    for (size_t at = html.find('<'); at != std::string_view::npos; at = html.find('<', at)) {
        if (html.substr(at, Open.size()) == Open) {
            if (inside)
                return "nested SPAN at byte " + std::to_string(at);
            size_t end = html.find("\">", at + Open.size());
            if (end == std::string_view::npos)
                return "unfinished SPAN tag at byte " + std::to_string(at);
            inside = true;
            ++opened;
            at = end + 2;
        } else if (html.substr(at, Close.size()) == Close) {
            if (!inside)
                return "SPAN closed without opening at byte " + std::to_string(at);
            inside = false;
            at += Close.size();
        } else {
            return "unescaped < at byte " + std::to_string(at);
        }
    }
    if (inside)
        return "SPAN left open";
    if (opened != highlighted)
        return std::to_string(opened) + " SPANs for " + std::to_string(highlighted) +
               " highlighted tokens";
    return {};
}

} // namespace

unsigned CodeCount() { return static_cast<unsigned>(Languages::Codes().size()) + 1; }

std::string CodeAt(unsigned index)
{
    return index < Languages::Codes().size() ? Languages::Codes()[index].Code : Languages::PlainCode;
}

std::string MakeInput(unsigned codeIndex, const std::string* parts, size_t count)
{
    std::string data(1, static_cast<char>(codeIndex));
    for (size_t i = 0; i < count; ++i) {
        if (i > 0)
            data.append(Separator, 2);
        data += parts[i];
    }
    return data;
}

std::string Run(const std::uint8_t* data, size_t size)
{
    if (size == 0)
        return {};
    std::string code = CodeAt(data[0] % CodeCount());
    std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::vector<std::string_view> parts;
    for (;;) {
        size_t cut = rest.find(std::string_view(Separator, 2));
        parts.push_back(rest.substr(0, cut));
        if (cut == std::string_view::npos)
            break;
        rest.remove_prefix(cut + 2);
    }

    TMemoryFiles files(Folder);
    TInstalledFiles installed(files);
    Platform::SetProgramFolder(Folder);
    std::string source = Folder + "/input";
    files.Put(source, std::string(parts[0]));
    files.Put(Platform::ProgramFile("color.txt"), ColorFile());
    std::string escape = parts.size() > 1 ? std::string(parts[1]) : std::string();
    // "<" goes first: a zero byte in the fuzzed part ends the file's text there.
    files.Put(Platform::ProgramFile("escape.txt"), "<\r\n" + escape);
    for (size_t i = 2; i < parts.size() && i < 6 + 1; ++i)
        files.Put(Platform::ProgramFile(code + ListNames[i - 1]), std::string(parts[i]));

    std::string failure;
    try {
        size_t highlighted = 0;
        failure = CheckTokens(code, source, &highlighted);
        if (failure.empty()) {
            // Lexed in turn and lexed on a thread of its own (where the word lookups are
            // left to the writing thread), the same bytes.
            TColorSettingList styles;
            std::string html[2];
            for (size_t pipelineBytes : {SIZE_MAX, size_t{0}}) {
                std::string output = Folder + "/out.html";
                TTextWriter writer(output);
                TTextReader reader(source);
                TConvert(styles, pipelineBytes).Convert(reader, writer, code);
                writer.Close();
                const std::string* written = files.Find(output);
                html[pipelineBytes == 0] = written ? *written : std::string();
            }
            failure = CheckHtml(html[0], highlighted);
            if (failure.empty() && html[0] != html[1])
                failure = "lexing on a thread writes other bytes than lexing in turn";
        }
    } catch (const std::exception& e) {
        failure = std::string("exception: ") + e.what();
    }
    Platform::SetProgramFolder("");
    return failure.empty() ? failure : code + ": " + failure;
}

} // namespace FuzzCheck
