// Tests of the encodings a text file is read in: the detection rules, the reader and the lists
// of lines in every encoding, and settings files written back as they came.
#include "core/Stringlist.h"
#include "core/Textencoding.h"
#include "core/Textreader.h"
#include "platform/Utf8.h"
#include "Lexertestutil.h"
#include "Testutil.h"

#include <gtest/gtest.h>

#include <string>

using namespace TestUtil;

namespace {

using TForm = TTextEncoding::TForm;

std::string Utf16(std::u16string_view text, bool bigEndian)
{
    std::string bytes;
    for (char16_t unit : text) {
        const char high = static_cast<char>(unit >> 8);
        const char low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

const std::string Utf8Mark = "\xEF\xBB\xBF";
const std::string Utf16LEMark = "\xFF\xFE";
const std::string Utf16BEMark = "\xFE\xFF";

// A text in every encoding that holds it, as a file has it.
struct TEncoded {
    const char* Name;
    TTextEncoding Encoding;
    std::string Bytes;
};
std::vector<TEncoded> EveryEncoding(std::u16string_view text)
{
    return {
        {"UTF-8", {TForm::Utf8, false}, Utf8::Encode(text)},
        {"UTF-8 with mark", {TForm::Utf8, true}, Utf8Mark + Utf8::Encode(text)},
        {"UTF-16LE with mark", {TForm::Utf16LE, true}, Utf16LEMark + Utf16(text, false)},
        {"UTF-16BE with mark", {TForm::Utf16BE, true}, Utf16BEMark + Utf16(text, true)},
        {"UTF-16LE", {TForm::Utf16LE, false}, Utf16(text, false)},
        {"UTF-16BE", {TForm::Utf16BE, false}, Utf16(text, true)},
    };
}

std::u16string ReadChars(const std::string& path)
{
    TTextReader reader(path);
    std::u16string text;
    for (char16_t ch = reader.ReadChar(); ch != 0; ch = reader.ReadChar())
        text += ch;
    return text;
}

} // namespace

TEST(TTextEncoding, DecidesFromTheBytes)
{
    const std::string longUtf8 = Utf8::Encode(std::u16string(3000, u'表'));
    const TTextEncoding sjis;
    const struct {
        const char* name;
        std::string bytes;
        TTextEncoding expected;
    } cases[] = {
        {"empty", "", sjis},
        {"ASCII only", "int a;\r\n", sjis},
        {"code page 932 Japanese", Sjis(u"// 表示\r\nｱｲｳ"), sjis},
        {"UTF-8", Utf8::Encode(u"// 表示"), {TForm::Utf8, false}},
        {"UTF-8 mark", Utf8Mark + "a", {TForm::Utf8, true}},
        {"UTF-8 mark alone", Utf8Mark, {TForm::Utf8, true}},
        {"UTF-16LE mark alone", Utf16LEMark, {TForm::Utf16LE, true}},
        {"UTF-16BE mark", Utf16BEMark + Utf16(u"a", true), {TForm::Utf16BE, true}},
        {"UTF-16LE without mark", Utf16(u"int a;", false), {TForm::Utf16LE, false}},
        {"UTF-16BE without mark", Utf16(u"int a;", true), {TForm::Utf16BE, false}},
        {"UTF-16 with U+3000 and U+4E00", Utf16(u"一　二　三 x = 1;", false), {TForm::Utf16LE, false}},
        {"a lone zero byte ends code page 932 text", std::string("ab\0cd\r\nef", 9), sjis},
        {"a unit of two zero bytes is no UTF-16", std::string("a\0b\0\0\0c\0", 8), sjis},
        {"UTF-8 before the zero byte", Utf8::Encode(u"表") + std::string("\0\xFF", 2),
         {TForm::Utf8, false}},
        {"UTF-8 cut in a character", Utf8::Encode(u"表示").substr(0, 5), sjis},
        {"one invalid byte in long UTF-8", longUtf8 + "\x80" + longUtf8, sjis},
        {"an overlong form", "a\xC0\xAF", sjis},
        {"an encoded surrogate", "a\xED\xA0\x80", sjis},
        {"above U+10FFFF", "a\xF4\x90\x80\x80", sjis},
        // The one known limit: half-width katakana that happen to be valid UTF-8.
        {"code page 932 \xEF\xBE\x83\xEF\xBD\xBD", Sjis(u"ﾃｽ"), {TForm::Utf8, false}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TTextEncoding::Detect(c.bytes), c.expected) << c.name;
}

TEST(TTextReader, EveryEncodingGivesTheSameCharacters)
{
    TTempDir dir;
    const std::u16string text = u"a\t表\r\n𠮷😀\rb\n\ne\u0301화";
    const std::u16string expected = u"a\t表\n𠮷😀\nb\n\ne\u0301화\n";
    for (const TEncoded& file : EveryEncoding(text)) {
        WriteBytes(dir.File("in.txt"), file.Bytes);
        EXPECT_EQ(ReadChars(dir.File("in.txt")), expected) << file.Name;
        TTextReader reader(dir.File("in.txt"));
        EXPECT_EQ(reader.Encoding(), file.Encoding) << file.Name;
        EXPECT_EQ(reader.ReadChar(), u'a') << file.Name << ": Encoding takes no character";
    }
    // UTF-16 ends at its first U+0000; a mark alone is no text.
    WriteBytes(dir.File("in.txt"), Utf16LEMark + Utf16(std::u16string(u"ab\0cd", 5), false));
    EXPECT_EQ(ReadChars(dir.File("in.txt")), u"ab\n");
    WriteBytes(dir.File("in.txt"), Utf8Mark);
    EXPECT_EQ(ReadChars(dir.File("in.txt")), u"");
    TTextReader missing(dir.File("missing.txt"));
    EXPECT_EQ(missing.Encoding(), TTextEncoding());
}

TEST(TStringList, SettingsFilesAreWrittenBackAsTheyCame)
{
    TTempDir dir;
    const std::u16string text = u"if\r\n表示\r\n😀\r\n";
    std::vector<TEncoded> files = EveryEncoding(text);
    files.push_back({"code page 932", {}, Sjis(u"if\r\n表示\r\n\x80\r\n")});
    for (const TEncoded& file : files) {
        TStringList lines = Lines(file.Bytes);
        EXPECT_EQ(lines.Encoding(), file.Encoding) << file.Name;
        ASSERT_EQ(lines.Count(), 3) << file.Name;
        EXPECT_EQ(lines.Decoded(1), u"表示") << file.Name;
        lines.SaveToFile(dir.File("list.key"));
        EXPECT_EQ(ReadBytes(dir.File("list.key")), file.Bytes) << file.Name;
    }
    // A surrogate that UTF-16 held alone comes back unchanged.
    const std::string lone = Utf16LEMark + Utf16(u"a\xD800\r\n", false);
    Lines(lone).SaveToFile(dir.File("lone.key"));
    EXPECT_EQ(ReadBytes(dir.File("lone.key")), lone);
}

// Characters of a UTF-8 source take no ASCII character after them along: the tokens are those of
// the same source in code page 932.
TEST(TTextEncoding, Utf8SourcesLexAsTheirCodePageForms)
{
    const struct {
        const char* code;
        std::u16string text;
    } cases[] = {
        {"del", u"{初期化}\nbegin end."},
        {"tsq", u"SELECT [日付] FROM t"},
        {"js", u"var s = `${入力}`;"},
        {"vc7", u"printf(\"パスワード\\n\"); // 表示\tx"},
        {"vb7", u"s = \"値\" ' 注釈\nDim x"},
    };
    const LexerTest::TWordLists lists{.Key = u"begin\nend\nSELECT\nFROM\nvar\nDim", .Ope = u"="};
    for (const auto& c : cases)
        EXPECT_EQ(LexerTest::Render(LexerTest::LexBytes(c.code, Utf8::Encode(c.text), lists)),
                  LexerTest::Render(LexerTest::Lex(c.code, c.text, lists)))
            << c.code;
}
