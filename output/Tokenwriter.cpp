// Tokenwriter: SPAN markup and numeric character references.
#include "output/Tokenwriter.h"

#include "platform/Codepage.h"
#include "platform/Files.h"
#include "platform/Paths.h"

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
      Escaped(std::make_unique<std::bitset<65536>>())
{

    // A line matches a character when it is that one character, letter case aside. The
    // character is compared as code page 932 writes it, so one the code page cannot hold
    // stands for its replacement "?".
    auto listed = std::make_unique<std::bitset<65536>>();
    for (const std::string& line : EscapeList.Lines()) {
        std::u16string decoded = CodePage::Decode(line);
        if (decoded.size() == 1 && CodePage::Encode(decoded) == line)
            listed->set(CodePage::FoldCase(decoded[0]));
    }
    if (listed->any()) {
        const char16_t* foldedWritten = CodePage::FoldedWrittenTable();
        for (unsigned c = 0; c < 65536; ++c)
            if (listed->test(foldedWritten[c]))
                Escaped->set(c);
    }

    for (int i = 0; i < Styles.Count(); ++i) {
        const TColorSetting* item = Styles.Item(i);
        ItemNames.push_back(CodePage::Decode(item->Name));
        // Written as the wide text would be: the class name's bytes decoded and encoded again.
        OpenTags.push_back(CodePage::Encode(u"<SPAN CLASS=\"" + CodePage::Decode(item->CssClass) + u"\">"));
    }
    using namespace TokenKind;
    const TName byFrequency[] = {Other,     Identifier, Delimiter, Reserved, Operator,
                                               Comment,   Number,     String,    Char,     Directive,
                                               Emphasis1, Emphasis2,  Emphasis3};
    static_assert(std::size(byFrequency) == std::size(TokenKind::All));
    for (size_t i = 0; i < KindTags.size(); ++i)
        KindTags[i] = {byFrequency[i], SearchOpenTag(byFrequency[i])};
}

const std::string* TTokenWriter::FindOpenTag(TName kind) const
{
    // The lexers' kinds are the TokenKind names themselves, so the first row of the same
    // letters is nearly always found by its hash and address alone.
#pragma GCC unroll 16
    for (const TKindTag& k : KindTags)
        if (kind == k.Kind)
            return k.Tag;
    return SearchOpenTag(kind);
}

const std::string* TTokenWriter::SearchOpenTag(TName kind) const
{
    // The first enabled item of that name.
    for (int i = 0; i < Styles.Count(); ++i)
        if (Styles.Item(i)->Enabled && ItemNames[static_cast<size_t>(i)] == kind)
            return &OpenTags[static_cast<size_t>(i)];
    return nullptr;
}

void TTokenWriter::WriteToken(const TToken& token)
{
    if (const std::string* tag = FindOpenTag(token.Kind)) {
        Writer.WriteEncoded(*tag);
        WriteEscaped(token.Text);
        Writer.WriteEncoded("</SPAN>");
    } else {
        WriteEscaped(token.Text);
    }
}

// "&#x", the full code in upper-case hexadecimal (at least two digits), ";".
std::u16string_view TTokenWriter::FormatReference(char16_t ch, char16_t (&buf)[8])
{
    static const char16_t hex[] = u"0123456789ABCDEF";
    int digits = ch > 0xFFF ? 4 : ch > 0xFF ? 3 : 2;
    size_t n = 0;
    buf[n++] = u'&';
    buf[n++] = u'#';
    buf[n++] = u'x';
    for (int d = digits - 1; d >= 0; --d)
        buf[n++] = hex[(ch >> (4 * d)) & 0xF];
    buf[n++] = u';';
    return {buf, n};
}

void TTokenWriter::WriteEscaped(std::u16string_view text)
{
    // Runs of characters that need no reference go to the writer in one piece.
    char16_t buf[8];
    const std::bitset<65536>& escaped = *Escaped;
    size_t run = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (!escaped.test(text[i]))
            continue;
        Writer.WriteText(text.substr(run, i - run));
        Writer.WriteText(FormatReference(text[i], buf));
        run = i + 1;
    }
    Writer.WriteText(text.substr(run));
}

std::u16string TTokenWriter::Escape(std::u16string_view text) const
{
    std::u16string out;
    char16_t buf[8];
    for (char16_t ch : text) {
        if (Escaped->test(ch))
            out += FormatReference(ch, buf);
        else
            out += ch;
    }
    return out;
}
