// Tests of the code page 932 layer: Microsoft's mapping, widths, stray bytes, case folding.
#include "platform/Codepage.h"

#include "Codepagetable.h"

#include <algorithm>
#include <gtest/gtest.h>

TEST(CodePage, MicrosoftMappingKeepsBackslashAndTilde)
{
    struct Case {
        const char* name;
        std::string bytes;
        std::u16string text;
    };
    const Case cases[] = {
        {"backslash is no yen sign", "\x5C", u"\\"},
        {"tilde is no overline", "\x7E", u"~"},
        {"hyphen minus", "\x81\x7C", u"\uFF0D"},
        {"wave dash", "\x81\x60", u"\uFF5E"},
        {"second byte 0x5C", "\x95\x5C\x83\x5C\x94\x5C", u"表ソ能"},
        {"half-width katakana", "\xB1\xDF", u"ｱﾟ"},
        {"NEC row 13", "\x87\x40", u"①"},
        {"user-defined area", "\xF0\x40", u"\uE000"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CodePage::Decode(c.bytes), c.text) << c.name;
        EXPECT_EQ(CodePage::Encode(c.text), c.bytes) << c.name;
    }
}

TEST(CodePage, DuplicateCodesEncodeAsWindowsDoes)
{
    // IBM extensions and their NEC-selected copies decode alike; the IBM code is written back.
    EXPECT_EQ(CodePage::Decode("\xFA\x5C"), CodePage::Decode("\xED\x40"));
    EXPECT_EQ(CodePage::Encode(CodePage::Decode("\xED\x40")), "\xFA\x5C");
    // JIS X 0208 wins over the NEC row 13 copy.
    EXPECT_EQ(CodePage::Encode(u"≒"), "\x81\xE0");
}

TEST(CodePage, StrayBytesSurviveDecodeAndEncode)
{
    const std::string cases[] = {
        "\x80",     "\xA0",     "\xFD\xFE\xFF", "\x81", // undefined bytes; lead byte at the end
        "\x81\x0A", "\x85\x40", "a\x81 b",      "\x82\xFF\x5C", // lead byte with no valid partner
    };
    for (const std::string& bytes : cases) {
        std::u16string text = CodePage::Decode(bytes);
        EXPECT_EQ(CodePage::Encode(text), bytes);
    }
    // A lead byte with an invalid partner does not swallow a backslash after it.
    EXPECT_EQ(CodePage::Decode("\x85\x5C").back(), u'\\');
}

TEST(CodePage, LongTextsDecodeAsTheirPiecesDo)
{
    // Long runs of ASCII are widened in blocks: a piece anywhere in a long text, across a block
    // boundary too, decodes as it does alone, and a lead byte still takes its partner along.
    const std::string pieces[] = {
        "\x95\x5C", "\x82\xA0\x82\xA2", "\xB1\xDF",     "\x80",    "\x81\x0A",
        "\x85\x5C", "\x82\xFF\x5C",     "\xFD\xFE\xFF", "a\x81 b", "\xFA\x5C",
    };
    auto alone = [](const std::string& piece) { return CodePage::Decode(piece); };
    for (const std::string& piece : pieces) {
        for (size_t before = 0; before <= 34; ++before) {
            for (size_t after : {0, 1, 7, 8, 9, 15, 16, 17, 40}) {
                std::string text = std::string(before, 'x') + piece + std::string(after, '-');
                std::u16string want =
                    std::u16string(before, u'x') + alone(piece) + std::u16string(after, u'-');
                EXPECT_EQ(CodePage::Decode(text), want) << before << " " << after;
            }
        }
    }
    // A lead byte at the end of a block takes the first byte of the next as its partner.
    for (size_t before : {7, 15}) {
        std::string split = std::string(before, 'x') + "\x95\x5C" + std::string(20, 'y');
        EXPECT_EQ(CodePage::Decode(split),
                  std::u16string(before, u'x') + u"表" + std::u16string(20, u'y'));
    }
}

TEST(CodePage, ColumnsAndReplacement)
{
    // The columns of a text: code page 932's bytes where it holds the character (Cyrillic too),
    // otherwise by Unicode width; a surrogate pair is one character.
    const struct {
        std::u16string Text;
        int Columns;
    } rows[] = {
        {u"a", 1},           {u"ｱ", 1},           {u"表", 2},         {u"ж", 2},
        {u"\u00E9", 1},      {u"화", 2},          {u"㋿", 2},         {u"\u0301", 0},
        {u"\u200B", 0},      {u"𠮷", 2},          {u"😀", 2},         {u"\U0001D400", 1},
        {u"\U000E0100", 0},  {u"\xD83D", 1},      {u"\xDE00", 1},     {u"\xD83D" u"a", 2},
        {u"\xDE00\xD83D", 2}, {u"e\u0301\t", 2},
    };
    for (const auto& row : rows) {
        int columns = 0;
        char16_t prev = 0;
        for (char16_t ch : row.Text) {
            columns += CodePage::Columns(ch, prev);
            prev = ch;
        }
        EXPECT_EQ(columns, row.Columns) << CodePage::ToUtf8(row.Text);
    }
    EXPECT_EQ(CodePage::Encode(u"\u00E9\u4E02"), "??");
}

TEST(CodePage, CaseInsensitiveComparison)
{
    EXPECT_TRUE(CodePage::SameText(u"Begin", u"BEGIN"));
    EXPECT_TRUE(CodePage::SameText(u"ａｂｃ", u"ＡＢＣ"));
    EXPECT_TRUE(CodePage::SameText(u"αβ", u"ΑΒ"));
    EXPECT_TRUE(CodePage::SameText(u"жЖ", u"ЖЖ"));
    EXPECT_FALSE(CodePage::SameText(u"ab", u"abc"));
    EXPECT_FALSE(CodePage::SameText(u"a", u"ａ"));
    EXPECT_TRUE(CodePage::SameText(std::string("END"), std::string("end")));
    EXPECT_FALSE(CodePage::SameText(u"[", u"{")); // 0x5B and 0x7B differ by the case bit only
}

TEST(CodePage, Utf8RoundTrip)
{
    const std::u16string text = u"エラー: a\u00E9\U0001F600";
    EXPECT_EQ(CodePage::FromUtf8(CodePage::ToUtf8(text)), text);
    EXPECT_EQ(CodePage::ToUtf8(u"表"), "\xE8\xA1\xA8");
    EXPECT_EQ(CodePage::FromUtf8("a\xFF"), u"a\uFFFD");
}

TEST(CodePage, TablesAreTheSameOnEverySystem)
{
    // The built-in tables; every system must build the same ones. The fingerprint is that of the
    // tables glibc's and Windows' converters both give.
    std::string dump = TestUtil::CodePageTableDump();
    auto lines = [&](auto keep) {
        size_t n = 0;
        size_t start = 0;
        while (start < dump.size()) {
            size_t end = dump.find('\n', start);
            if (keep(std::string_view(dump).substr(start, end - start)))
                ++n;
            start = end + 1;
        }
        return n;
    };
    EXPECT_EQ(lines([](std::string_view l) { return l.size() == 9 && l[4] == ' '; }), 9604u)
        << "byte pairs that decode";
    EXPECT_EQ(lines([](std::string_view l) { return l.starts_with("U+"); }), 9652u)
        << "characters the code page writes";
    EXPECT_EQ(TestUtil::Fingerprint(dump), 0x0BF7FA4A354CFE54ull);
}

TEST(CodePage, BuiltInTablesAreWhatTheSystemConverterGives)
{
    // Every single byte and byte pair decodes as this system's own converter decodes it; on a
    // mismatch, compare the dumps of corvina_codepage_dump (and its --source output with
    // platform/Codepagemap.h).
    std::string system = TestUtil::SystemCodePageDump();
    std::string builtIn = TestUtil::CodePageTableDump();
    ASSERT_GT(builtIn.size(), system.size());
    std::string_view decoded = std::string_view(builtIn).substr(0, system.size());
    EXPECT_TRUE(decoded == system)
        << "first difference at byte "
        << std::mismatch(system.begin(), system.end(), decoded.begin()).first - system.begin();
    EXPECT_TRUE(builtIn.compare(system.size(), 2, "U+") == 0) << "the characters follow";
}
