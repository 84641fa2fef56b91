// Tests of TTokenWriter: spans, switched-off items, escaping, references above U+007F.
#include "output/Tokenwriter.h"
#include "Testutil.h"

#include <gtest/gtest.h>
#include <memory>

using namespace TestUtil;

namespace {

// Two items of one name, a switched-off one and one without a class; renders tokens into HTML
// bytes with an escape list given or, without one, read from escape.txt in the program folder.
class TokenWriterTest : public ::testing::Test {
protected:
    TProgramFolder Folder{""};
    TColorSettingList Styles{Lines(Sjis(u"予約語,res,0x800000,0xFFFFFF,1,0,1\r\n"
                                        u"コメント,cmt,0x008000,0xFFFFFF,0,1,0\r\n"
                                        u"コメント,late,0,0xFFFFFF,0,0,1\r\n"
                                        u"文字列,,0,0xFFFFFF,0,0,1\r\n"))};

    std::string Render(const std::vector<TToken>& tokens, const TStringList* escapeList = nullptr)
    {
        std::string path = Folder.File("out.html");
        std::remove(path.c_str());
        {
            TTextWriter writer(path);
            std::unique_ptr<TTokenWriter> tokenWriter =
                escapeList ? std::make_unique<TTokenWriter>(writer, Styles, *escapeList)
                           : std::make_unique<TTokenWriter>(writer, Styles);
            for (const TToken& t : tokens)
                tokenWriter->WriteToken(t);
            writer.Close();
        }
        return Exists(path) ? ReadBytes(path) : "";
    }
};

} // namespace

TEST_F(TokenWriterTest, SpansForEnabledItemsOnly)
{
    struct Case {
        const char* name;
        std::vector<TToken> tokens;
        std::string expected;
    };
    const Case cases[] = {
        {"enabled item", {TToken(u"if", u"予約語")}, "<SPAN CLASS=\"res\">if</SPAN>\r\n"},
        {"first enabled item of the name wins",
         {TToken(u"//x", u"コメント")},
         "<SPAN CLASS=\"late\">//x</SPAN>\r\n"},
        {"other is never highlighted", {TToken(u"  ", u"その他")}, "  \r\n"},
        {"unknown kind", {TToken(u"x", u"識別子")}, "x\r\n"},
        {"empty class name", {TToken(u"\"s\"", u"文字列")}, "<SPAN CLASS=\"\">\"s\"</SPAN>\r\n"},
        {"kinds are compared exactly", {TToken(u"x", u"予約語 ")}, "x\r\n"},
        {"span across lines",
         {TToken(u"/*a\nb*/", u"コメント")},
         "<SPAN CLASS=\"late\">/*a\r\nb*/</SPAN>\r\n"},
        {"no text at all", {TToken(u"", u"その他")}, ""},
        {"nothing between tokens",
         {TToken(u"a", u"その他"), TToken(u"if", u"予約語"), TToken(u"b", u"その他")},
         "a<SPAN CLASS=\"res\">if</SPAN>b\r\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Render(c.tokens), c.expected) << c.name;
}

TEST_F(TokenWriterTest, KindsOfTheSameLettersElsewhereFindTheirItem)
{
    // A module loaded at run time has its own copy of each kind's letters.
    static constexpr char16_t reserved[] = u"予約語";
    static constexpr char16_t comment[] = u"コメント";
    static constexpr char16_t unknown[] = u"未知";
    ASSERT_NE(std::u16string_view(TokenKind::Reserved).data(), reserved);
    EXPECT_EQ(Render({TToken(u"if", TName(reserved)), TToken(u"//", TName(comment)),
                      TToken(u"x", TName(unknown)), TToken(u"y", TokenKind::Comment)}),
              "<SPAN CLASS=\"res\">if</SPAN><SPAN CLASS=\"late\">//</SPAN>x"
              "<SPAN CLASS=\"late\">y</SPAN>\r\n");
}

TEST_F(TokenWriterTest, LineEndsAndTagsAroundTheText)
{
    const std::string longClass(40, 'c');
    TColorSettingList styles{
        Lines(Sjis(u"予約語," + std::u16string(40, u'c') + u",0,0xFFFFFF,0,0,1\r\n"))};
    const struct {
        const char* name;
        TToken token;
        std::string expected;
    } cases[] = {
        {"a line end inside a span", TToken(u"/*a\n", TokenKind::Comment),
         "<SPAN CLASS=\"late\">/*a\r\n</SPAN>\r\n"},
        {"a line end last, no span", TToken(u"a\n", TokenKind::Other), "a\r\n"},
        {"the character of stray byte 0x0A ends no line", TToken(u"\uF70A", TokenKind::Other),
         "\n\r\n"},
        {"characters the code page lacks", TToken(u"\u00E9\u4E02\U0001F600", TokenKind::Other),
         "&#xE9;&#x4E02;&#x1F600;\r\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Render({c.token}), c.expected) << c.name;

    // A tag longer than most, with long and short texts.
    std::string path = Folder.File("long.html");
    {
        TTextWriter writer(path);
        TTokenWriter tokenWriter(writer, styles, TStringList());
        tokenWriter.WriteToken(TToken(u"if", TokenKind::Reserved));
        tokenWriter.WriteToken(TToken(std::u16string(5000, u'i'), TokenKind::Reserved));
        writer.Close();
    }
    const std::string tag = "<SPAN CLASS=\"" + longClass + "\">";
    EXPECT_EQ(ReadBytes(path), tag + "if</SPAN>" + tag + std::string(5000, 'i') + "</SPAN>\r\n");
}

TEST_F(TokenWriterTest, LongTokensAreWrittenWholeAcrossTheBuffer)
{
    // Tokens longer than the writer takes in one piece, with references, double-byte
    // characters and line breaks falling on every boundary; many of them fill the buffer.
    const TStringList escapes = Lines("<\r\n");
    const std::u16string pattern = u"a<表\nｱ";
    for (size_t length : {4095u, 4096u, 4097u, 65535u, 65536u, 65537u, 300001u}) {
        for (TName kind : {TokenKind::Other, TokenKind::Reserved}) {
            std::u16string text;
            std::string body;
            for (size_t i = 0; i < length; ++i) {
                text += pattern[i % pattern.size()];
                body += i % pattern.size() == 1   ? std::string("&#x3C;")
                        : i % pattern.size() == 3 ? std::string("\r\n")
                                                  : Sjis(std::u16string(1, text.back()));
            }
            std::string one =
                kind == TokenKind::Reserved ? "<SPAN CLASS=\"res\">" + body + "</SPAN>" : body;
            bool open = kind == TokenKind::Reserved || text.back() != u'\n';
            std::vector<TToken> tokens(3, TToken(text, kind));
            EXPECT_EQ(Render(tokens, &escapes), one + one + one + (open ? "\r\n" : ""))
                << length << " " << std::u16string_view(kind).size();
        }
    }
}

TEST_F(TokenWriterTest, NothingEscapedWithoutEscapeList)
{
    EXPECT_EQ(Render({TToken(u"a<b&c", u"その他")}), "a<b&c\r\n");
}

TEST_F(TokenWriterTest, EscapesListedCharactersCaseInsensitively)
{
    const TStringList escapes = Lines(Sjis(u"<\r\n&\r\na\r\nab\r\n \r\n\r\n表\nｇ\r\n\"\r\n"));
    struct Case {
        const char* name;
        std::u16string text;
        std::string expected;
    };
    const Case cases[] = {
        {"ASCII", u"a<b&c", "&#x61;&#x3C;b&#x26;c"},
        {"letter case aside", u"aA", "&#x61;&#x41;"},
        {"double quote", u"\"", "&#x22;"},
        {"multi-character lines match nothing", u"b", "b"},
        {"a line of one space is that character", u" ", "&#x20;"},
        {"double-byte character by its full code", u"表示", "&#x8868;" + Sjis(u"示")},
        {"full-width letters fold too", u"ｇＧ", "&#xFF47;&#xFF27;"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Render({TToken(c.text, u"その他")}, &escapes), c.expected + "\r\n") << c.name;
}

TEST_F(TokenWriterTest, TheEscapeListIsReadFromEscapeTxtWhenNotGiven)
{
    WriteBytes(Folder.File("escape.txt"), "<\r\n");
    const TStringList given = Lines("&\r\n");
    EXPECT_EQ(Render({TToken(u"<&", u"その他")}), "&#x3C;&\r\n");
    EXPECT_EQ(Render({TToken(u"<&", u"その他")}, &given), "<&#x26;\r\n") << "escape.txt unread";
}

TEST_F(TokenWriterTest, UpperCaseLinesEscapeTheirLowerCasePartners)
{
    // Folding must reach the line as well as the text: a list of capitals alone still escapes
    // small letters.
    WriteBytes(Folder.File("escape.txt"), Sjis(u"B\r\nＨ\r\nΩ\r\nЖ\r\n"));
    struct Case {
        const char* name;
        std::u16string text;
        std::string expected;
    };
    const Case cases[] = {
        {"ASCII", u"bBc", "&#x62;&#x42;c"},
        {"full-width", u"ｈＨｉ", "&#xFF48;&#xFF28;" + Sjis(u"ｉ")},
        {"Greek", u"ωΩ", "&#x3C9;&#x3A9;"},
        {"Cyrillic", u"жЖ", "&#x436;&#x416;"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Render({TToken(c.text, u"その他")}), c.expected + "\r\n") << c.name;
}

TEST_F(TokenWriterTest, EscapeReturnsTheReplacedText)
{
    WriteBytes(Folder.File("escape.txt"), "<\r\n>\r\n");
    TTextWriter writer(Folder.File("unused.html"));
    TTokenWriter tokenWriter(writer, Styles);
    EXPECT_EQ(tokenWriter.Escape(u""), u"");
    EXPECT_EQ(tokenWriter.Escape(u"<a>"), u"&#x3C;a&#x3E;");
}

TEST_F(TokenWriterTest, UnreadableEscapeListThrows)
{
    // A folder of that name is no missing file: the run stops rather than escape nothing.
    std::filesystem::create_directory(Folder.File("escape.txt"));
    TTextWriter writer(Folder.File("unused.html"));
    EXPECT_THROW(TTokenWriter(writer, Styles), TFileError);
}

// The table that writes whole texts stands for PutCode: every 16-bit character comes out of Put
// as PutCode writes it, in both encodings of a page.
TEST(TCharEncoder, PutWritesEveryCharacterAsPutCodeDoes)
{
    using TForm = TTextEncoding::TForm;
    for (const TTextEncoding& encoding : {TTextEncoding(), TTextEncoding(TForm::Utf8, false)}) {
        const TCharEncoder encoder = TCharEncoder::ForTexts(encoding);
        char put[TCharEncoder::MaxCharBytes];
        char code[TCharEncoder::MaxCharBytes];
        int differing = 0;
        for (unsigned c = 0; c < 65536; ++c) {
            const char16_t ch = static_cast<char16_t>(c);
            const std::string got(put, encoder.Put({&ch, 1}, put));
            const std::string want = c == u'\n' ? "\r\n"
                                     : c < 0x80  ? std::string(1, static_cast<char>(c))
                                                 : std::string(code, encoder.PutCode(c, code));
            differing += got != want;
            EXPECT_TRUE(got == want || differing > 3) << std::hex << c;
        }
        EXPECT_EQ(differing, 0) << encoding.IsUnicode();
    }
}
