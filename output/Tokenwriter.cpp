// Tokenwriter: SPAN markup and numeric character references, encoded straight into the text
// writer's buffer by the writer's encoder.
#include "output/Tokenwriter.h"

#include "platform/Codepage.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "platform/Utf8.h"

#include <algorithm>
#include <bitset>
#include <cstring>

namespace {

// Texts up to this many characters go to the buffer in one piece with their tags; longer ones
// in slices of it.
constexpr size_t ShortText = 4096;
constexpr size_t Slice = 65536;

} // namespace

TStringList TTokenWriter::ReadEscapeList()
{
    TStringList lines;
    std::string path = Platform::ProgramFile("escape.txt");
    if (Platform::IsOptionalFile(path))
        lines.LoadFromFile(path);
    return lines;
}

TTokenWriter::TTokenWriter(TTextWriter& writer, const TColorSettingList& styles)
    : TTokenWriter(writer, styles, ReadEscapeList())
{
}

TTokenWriter::TTokenWriter(TTextWriter& writer, const TColorSettingList& styles,
                           TStringList escapeList)
    : Writer(writer), Styles(styles), EscapeList(std::move(escapeList)),
      Encoder(TCharEncoder::ForTexts(writer.Encoding()))
{
    // A line matches a character when it is that one character, letter case aside. In code
    // page 932 a line must be the bytes of its character (so a pair with a preferred twin or a
    // stray byte lists nothing), and the character is compared as code page 932 writes it.
    auto listed = std::make_unique<std::bitset<65536>>();
    const bool listUnicode = EscapeList.Encoding().IsUnicode();
    for (int i = 0; i < EscapeList.Count(); ++i) {
        std::u16string decoded = EscapeList.Decoded(i);
        if (decoded.size() == 2 && Utf8::IsHighSurrogate(decoded[0]) &&
            Utf8::IsLowSurrogate(decoded[1]))
            Encoder.Escape(Utf8::CodePoint(decoded[0], decoded[1]));
        else if (decoded.size() == 1 && (listUnicode || CodePage::Encode(decoded) == EscapeList[i]))
            listed->set(CodePage::FoldCase(decoded[0]));
    }
    const TTextEncoding& page = writer.Encoding();
    if (listed->any()) {
        const char16_t* folded =
            page.IsUnicode() ? CodePage::FoldTable() : CodePage::FoldedWrittenTable();
        for (unsigned c = 0; c < 65536; ++c)
            if (listed->test(folded[c]) && !Utf8::IsSurrogate(static_cast<char16_t>(c)))
                Encoder.Escape(static_cast<char16_t>(c));
    }

    for (int i = 0; i < Styles.Count(); ++i) {
        const TColorSetting* item = Styles.Item(i);
        ItemNames.push_back(CodePage::Decode(item->Name));
        // Written as the wide text would be: the class name's bytes decoded and encoded again.
        TTag tag;
        tag.Bytes = page.Encode(u"<SPAN CLASS=\"" + CodePage::Decode(item->CssClass) + u"\">");
        if (tag.Bytes.size() <= TagBlock)
            std::memcpy(tag.Block.data(), tag.Bytes.data(), tag.Bytes.size());
        OpenTags.push_back(std::move(tag));
    }
    for (size_t i = 0; i < KindTags.size(); ++i)
        KindTags[i] = SearchOpenTag(TokenKind::All[i]);
}

const TTokenWriter::TTag* TTokenWriter::SearchOpenTag(TName kind) const
{
    // The first enabled item of that name.
    for (int i = 0; i < Styles.Count(); ++i)
        if (Styles.Item(i)->Enabled && ItemNames[static_cast<size_t>(i)] == kind)
            return &OpenTags[static_cast<size_t>(i)];
    return nullptr;
}

void TTokenWriter::Write(std::u16string_view text, TName kind)
{
    const TTag* tag = FindOpenTag(kind);
    if (text.size() > ShortText) {
        WriteLongToken(tag, text);
        return;
    }
    if (tag) {
        // Room for the whole block of a short tag and for one more byte a character.
        size_t tagSize = tag->Bytes.size();
        char* pos = Writer.Claim(std::max(tagSize, TagBlock) + CloseTag.size() +
                                 MaxCharBytes * text.size() + 1);
        if (tagSize <= TagBlock)
            std::memcpy(pos, tag->Block.data(), TagBlock);
        else
            std::memcpy(pos, tag->Bytes.data(), tagSize);
        pos = Encoder.Put(text, pos + tagSize);
        std::memcpy(pos, CloseTag.data(), CloseTag.size());
        Writer.Commit(pos + CloseTag.size(), true);
    } else if (!text.empty()) {
        char* pos = Writer.Claim(MaxCharBytes * text.size() + 1);
        Writer.Commit(Encoder.Put(text, pos), text.back() != Writer.LineBreak);
    }
}

void TTokenWriter::WriteLongToken(const TTag* tag, std::u16string_view text)
{
    if (tag)
        Writer.WriteEncoded(tag->Bytes);
    for (size_t at = 0; at < text.size();) {
        std::u16string_view part = text.substr(at, Slice);
        // A slice never ends between the halves of a pair.
        if (part.size() == Slice && at + Slice < text.size() && Utf8::IsHighSurrogate(part.back()))
            part.remove_suffix(1);
        char* pos = Writer.Claim(MaxCharBytes * part.size() + 1);
        Writer.Commit(Encoder.Put(part, pos), part.back() != Writer.LineBreak);
        at += part.size();
    }
    if (tag)
        Writer.WriteEncoded(CloseTag);
}

std::u16string TTokenWriter::Escape(std::u16string_view text) const
{
    std::u16string out;
    char buf[MaxCharBytes];
    for (char16_t ch : text) {
        if (Encoder.Escapes(ch))
            out.append(buf, TCharEncoder::PutReference(ch, buf));
        else
            out += ch;
    }
    return out;
}
