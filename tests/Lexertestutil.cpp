// Lexertestutil: helpers shared by the lexer tests.
#include "Lexertestutil.h"

#include "Testutil.h"
#include "core/Textreader.h"
#include "lexers/Languagetable.h"
#include "lexers/Tokenreader.h"
#include "lexers/Tokenreadernocase.h"

#include <gtest/gtest.h>

namespace LexerTest {

namespace {

void WriteList(const TestUtil::TProgramFolder& folder, const std::string& code, const char* ext,
               const std::u16string& lines)
{
    if (lines.empty())
        return;
    std::string bytes;
    for (char16_t ch : lines) {
        if (ch == u'\n')
            bytes += "\r\n";
        else
            CodePage::EncodeAppend(ch, bytes);
    }
    bytes += "\r\n";
    TestUtil::WriteBytes(folder.File(code + "." + ext), bytes);
}

const char* Short(const std::u16string& kind)
{
    static const std::pair<std::u16string_view, const char*> names[] = {
        {TokenKind::Reserved, "K"},     {TokenKind::Directive, "Dir"},
        {TokenKind::Comment, "Com"},    {TokenKind::String, "Str"},
        {TokenKind::Char, "Chr"},       {TokenKind::Number, "Num"},
        {TokenKind::Identifier, "Id"},  {TokenKind::Operator, "Op"},
        {TokenKind::Delimiter, "Del"},  {TokenKind::Emphasis1, "E1"},
        {TokenKind::Emphasis2, "E2"},   {TokenKind::Emphasis3, "E3"},
        {TokenKind::Other, "_"},
    };
    for (const auto& [name, abbr] : names)
        if (kind == name)
            return abbr;
    return "?";
}

} // namespace

std::vector<std::string> LexerCodes()
{
    std::vector<std::string> codes;
    for (const Languages::TCode& row : Languages::Codes())
        codes.push_back(row.Code);
    return codes;
}

std::vector<std::string> AllCodes()
{
    std::vector<std::string> codes = LexerCodes();
    codes.push_back(Languages::PlainCode);
    return codes;
}

bool IgnoresCase(const std::string& code)
{
    // Nothing is read but the word lists of whatever program folder is current.
    TestUtil::TTempDir folder;
    TTextReader source(folder.File("missing.src"));
    std::unique_ptr<TTokenReader> reader = CreateTokenReader(source, code);
    return dynamic_cast<const TTokenReaderNoCase*>(reader.get()) != nullptr;
}

std::vector<std::string> LexerCodes(bool ignoringCase)
{
    std::vector<std::string> codes;
    for (const std::string& code : LexerCodes())
        if (IgnoresCase(code) == ignoringCase)
            codes.push_back(code);
    return codes;
}

namespace {

// Every token of the file input through the reader make gives for code.
std::vector<TLexed> ReadAll(std::unique_ptr<TTokenReader> (*make)(TTextReader&, const std::string&),
                            const std::string& code, const std::string& input, size_t bytes)
{
    TTextReader source(input);
    std::unique_ptr<TTokenReader> reader = make(source, code);
    std::vector<TLexed> tokens;
    while (const TToken* token = reader->NextToken()) {
        tokens.push_back({token->Text, std::u16string(token->Kind)});
        if (tokens.size() > bytes * 4 + 10) {
            ADD_FAILURE() << "NextToken does not end";
            break;
        }
    }
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(reader->NextToken(), nullptr) << "NextToken must stay ended";
    return tokens;
}

} // namespace

std::vector<TLexed> LexBytes(const std::string& code, const std::string& bytes,
                             const TWordLists& lists)
{
    TestUtil::TProgramFolder folder("");
    WriteList(folder, code, "key", lists.Key);
    WriteList(folder, code, "ope", lists.Ope);
    WriteList(folder, code, "sp1", lists.Sp1);
    WriteList(folder, code, "sp2", lists.Sp2);
    WriteList(folder, code, "sp3", lists.Sp3);
    std::string input = folder.File("input.src");
    TestUtil::WriteBytes(input, bytes);

    // The factory's lexer gives exactly the tokens of its reference.
    std::vector<TLexed> tokens = ReadAll(CreateTokenReader, code, input, bytes.size());
    std::vector<TLexed> reference =
        ReadAll(CreateReferenceTokenReader, code, input, bytes.size());
    EXPECT_EQ(Render(tokens), Render(reference)) << code << ": the lexer and its reference differ";
    EXPECT_EQ(tokens.size(), reference.size()) << code;
    return tokens;
}

std::vector<TLexed> Lex(const std::string& code, std::u16string_view input,
                        const TWordLists& lists)
{
    return LexBytes(code, TestUtil::Sjis(input), lists);
}

std::string Render(const std::vector<TLexed>& tokens)
{
    std::string out;
    for (size_t i = 0; i < tokens.size(); ++i) {
        if (i == 0 && tokens[i].Text.empty() && tokens[i].Kind == TokenKind::Other)
            continue;
        if (!out.empty())
            out += ' ';
        out += Short(tokens[i].Kind);
        out += '[';
        for (char16_t ch : tokens[i].Text) {
            if (ch == u'\n')
                out += "\\n";
            else
                out += CodePage::ToUtf8(std::u16string_view(&ch, 1));
        }
        out += ']';
    }
    return out;
}

std::string Tokens(const std::string& code, std::u16string_view input, const TWordLists& lists)
{
    return Render(Lex(code, input, lists));
}

void RunCases(const std::vector<std::string>& codes, const std::vector<TCase>& cases)
{
    for (const std::string& code : codes)
        for (const TCase& c : cases)
            EXPECT_EQ(Tokens(code, c.input, c.lists), c.expected) << code << ": " << c.name;
}

} // namespace LexerTest
