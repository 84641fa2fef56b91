// Tests of TConvert and the conversion job: templates, body, file-name check, style sheet.
#include "core/Convert.h"
#include "core/Tokenbatch.h"
#include "platform/Utf8.h"
#include "ui/Unit1.h"
#include "Faultyfiles.h"
#include "Lexertestutil.h"
#include "Testutil.h"

#include <gtest/gtest.h>
#include <cstdint>
#include <filesystem>
#include <vector>

using namespace TestUtil;

namespace {

// The shipped program folder, a window object with its lists, and a work folder.
class ConversionJobTest : public ::testing::Test {
protected:
    TProgramFolder Folder;
    TTempDir Work;
    TMessageLog Log;
    TForm1 Form;

    void SetUp() override
    {
        Form.StyleSheet = std::make_unique<TStringList>();
        Form.ColorList =
            std::make_unique<TColorSettingList>(Lines(ReadBytes(Folder.File("color.txt"))));
    }
    std::string Run(const std::string& code, const std::string& input, const std::string& output)
    {
        Form.BuildStyleSheet();
        Form.RunConversion(code, input, output);
        return Exists(output) ? ReadBytes(output) : "<none>";
    }
};

// A source of about size bytes with tokens of every kind, and one token longer than a batch.
// Its words are listed in some languages and not in others, after white space and after a
// symbol, in other letter cases, and followed at once by a name that may join them.
std::string MixedSource(size_t size)
{
    const std::string line = Sjis(u"int a = b<c && d; // コメント表\t\"s\\\"t\" 'c' 0x1F /* x */\r\n") +
                             "#if X\r\n\tBegin (* y *) { z } -- q\r\n" +
                             "dim If[x] abc[y] @int INT Int a.Dim .int x = #1/2/3# end IF\r\n";
    std::string source = "/*" + std::string(100000, 'x') + "*/\r\n";
    while (source.size() < size)
        source += line;
    return source;
}

// Converts in to out with the lexer on a thread of its own (or in turn).
void ConvertFile(const TColorSettingList& styles, bool onThread, const std::string& code,
                 const std::string& in, const std::string& out)
{
    TConvert convert(styles, onThread ? 0 : SIZE_MAX);
    TTextReader reader(in);
    TTextWriter writer(out, reader.Encoding().PageEncoding());
    convert.Convert(reader, writer, code);
    writer.Close();
}

} // namespace

TEST(TConvert, LexingOnAThreadWritesWhatLexingInTurnWrites)
{
    TProgramFolder folder;
    TColorSettingList styles(Lines(ReadBytes(folder.File("color.txt"))));
    // The same source in UTF-8, with surrogate pairs on every line.
    const std::string mixed = MixedSource(300000);
    std::u16string unicode = Wide(mixed);
    for (size_t at = unicode.find(u'表'); at != unicode.npos; at = unicode.find(u'表', at))
        unicode.replace(at, 1, u"😀");
    for (const std::string& source : {mixed, ::Utf8::Encode(unicode)}) {
        WriteBytes(folder.File("in.txt"), source);
        for (const std::string& code : LexerTest::AllCodes()) {
            ConvertFile(styles, false, code, folder.File("in.txt"), folder.File("turn.html"));
            ConvertFile(styles, true, code, folder.File("in.txt"), folder.File("thread.html"));
            EXPECT_TRUE(ReadBytes(folder.File("turn.html")) ==
                        ReadBytes(folder.File("thread.html")))
                << code;
        }
    }
}

TEST(TTokenBatch, GivesBackEveryTextKindAndMarkAsAdded)
{
    // Every kind with and without the lookup mark, texts from empty to longer than the room.
    TTokenBatch batch;
    struct TAdded {
        std::u16string Text;
        TName Kind;
        bool LookupDeferred;
    };
    std::vector<TAdded> added;
    for (size_t i = 0; i < 40; ++i) {
        const size_t length = i == 20 ? 200000 : i % 10;
        added.push_back({std::u16string(length, static_cast<char16_t>(u'a' + i)),
                         TokenKind::All[i % std::size(TokenKind::All)], i % 3 == 0});
        batch.Add(added.back().Text, added.back().Kind, added.back().LookupDeferred);
    }
    ASSERT_EQ(batch.Count(), added.size());
    for (size_t i = 0; i < added.size(); ++i) {
        EXPECT_TRUE(batch.Text(i) == added[i].Text) << i;
        EXPECT_TRUE(batch.Kind(i) == added[i].Kind) << i;
        EXPECT_EQ(batch.LookupDeferred(i), added[i].LookupDeferred) << i;
    }
    EXPECT_TRUE(batch.Full()) << "a text longer than the room fills the batch";
    batch.Clear();
    EXPECT_EQ(batch.Count(), 0u);
    EXPECT_FALSE(batch.Full());
}

TEST(TConvert, AWriteFailureWhileLexingOnAThreadStopsTheLexer)
{
    TProgramFolder folder;
    TColorSettingList styles(Lines(ReadBytes(folder.File("color.txt"))));
    WriteBytes(folder.File("in.txt"), MixedSource(1500000));
    TFaultyFiles faulty;
    TInstalledFiles installed{faulty};
    // The output buffer first goes out at 1 MB, long before the lexer is through.
    faulty.FailNextWrite(1000, folder.File("out.html"));
    EXPECT_THROW(ConvertFile(styles, true, "vc7", folder.File("in.txt"), folder.File("out.html")),
                 TFileError);
}

TEST(TConvert, CopyWritesEveryLineWithABreak)
{
    TProgramFolder folder("");
    TColorSettingList styles{TStringList()};
    TConvert convert(styles);
    WriteBytes(folder.File("t.txt"), "a\r\nb");
    TTextWriter writer(folder.File("out.txt"));
    TTextReader missing(folder.File("missing.txt"));
    convert.Copy(missing, writer);
    TTextReader reader(folder.File("t.txt"));
    convert.Copy(reader, writer);
    writer.Close();
    EXPECT_EQ(ReadBytes(folder.File("out.txt")), "a\r\nb\r\n");
}

TEST_F(ConversionJobTest, OutputIsHeaderBodyFooter)
{
    struct Case {
        const char* name;
        std::string source;
        std::string body;
    };
    const Case cases[] = {
        {"escaped plain text", "a<b\r\n\tc", "a&#x3C;b\r\n    c\r\n"},
        {"no final line end", "x", "x\r\n"},
        {"empty source", "", ""},
        {"tab after a double-byte character", Sjis(u"表\tx"), Sjis(u"表") + "  x\r\n"},
        {"stray bytes unchanged", "\x80\xFD x\x81", "\x80\xFD x\x81\r\n"},
    };
    for (const Case& c : cases) {
        WriteBytes(Work.File("in.txt"), c.source);
        EXPECT_EQ(Run("txt", Work.File("in.txt"), Work.File("out.html")),
                  "<PRE>\r\n" + c.body + "</PRE>\r\n")
            << c.name;
    }
    EXPECT_TRUE(Log.Messages.empty());
}

TEST_F(ConversionJobTest, MissingTemplatesGiveTheBodyAlone)
{
    std::remove(Folder.File("header.txt").c_str());
    WriteBytes(Folder.File("footer.txt"), "");
    WriteBytes(Work.File("in.txt"), "a");
    EXPECT_EQ(Run("txt", Work.File("in.txt"), Work.File("out.html")), "a\r\n");
}

TEST_F(ConversionJobTest, WritesDesignCssBesideTheOutput)
{
    WriteBytes(Work.File("in.txt"), "a");
    Run("txt", Work.File("in.txt"), Work.File("out.html"));
    EXPECT_EQ(ReadBytes(Work.File("design.css")), ReadBytes(std::string(CORVINA_DATA_DIR) + "/design.css"))
        << "the shipped design.css must be what the shipped color.txt builds";
}

TEST_F(ConversionJobTest, FileNameCheck)
{
    WriteBytes(Work.File("in.txt"), "source");
    WriteBytes(Work.File("keep.html"), "keep");
    std::filesystem::create_directory(FsPath(Work.File("dir")));
    struct Case {
        const char* name;
        std::string input, output;
        const char* message; // nullptr: no message
        std::string keepPath;
        std::string keepBytes;
    };
    const Case cases[] = {
        {"both empty", "", "", nullptr, Work.File("design.css"), "<none>"},
        {"input empty", "", Work.File("keep.html"), nullptr, Work.File("keep.html"), "keep"},
        {"output empty", Work.File("in.txt"), "", nullptr, Work.File("design.css"), "<none>"},
        {"input missing", Work.File("none.txt"), Work.File("keep.html"), "エラー: ファイルが見つかりません",
         Work.File("keep.html"), "keep"},
        {"input is a directory", Work.File("dir"), Work.File("keep.html"),
         "エラー: ファイルが見つかりません", Work.File("keep.html"), "keep"},
        {"output folder missing", Work.File("in.txt"), Work.File("no/out.html"),
         "エラー: 不正なファイル名です", Work.File("design.css"), "<none>"},
        {"output is a directory", Work.File("in.txt"), Work.File("dir"), "エラー: 不正なファイル名です",
         Work.File("design.css"), "<none>"},
        {"same path", Work.File("in.txt"), Work.File("in.txt"),
         "エラー: 入力ファイルと出力ファイルが同じです", Work.File("in.txt"), "source"},
        {"same file by another name", Work.File("in.txt"), Work.Path() + "/dir/../in.txt",
         "エラー: 入力ファイルと出力ファイルが同じです", Work.File("in.txt"), "source"},
    };
    for (const Case& c : cases) {
        Log.Messages.clear();
        EXPECT_FALSE(Form.CheckFileNames(c.input, c.output)) << c.name;
        if (c.message == nullptr)
            EXPECT_TRUE(Log.Messages.empty()) << c.name;
        else
            EXPECT_EQ(Log.Messages, std::vector<std::string>{c.message}) << c.name;
        std::string kept = Exists(c.keepPath) ? ReadBytes(c.keepPath) : "<none>";
        EXPECT_EQ(kept, c.keepBytes) << c.name;
    }
}

TEST_F(ConversionJobTest, SuccessfulCheckEmptiesTheOutput)
{
    WriteBytes(Work.File("in.txt"), "a");
    WriteBytes(Work.File("out.html"), "old");
    EXPECT_TRUE(Form.CheckFileNames(Work.File("in.txt"), Work.File("out.html")));
    EXPECT_EQ(ReadBytes(Work.File("out.html")), "");

    // Nothing to write at all: the output stays as the check left it.
    std::remove(Folder.File("header.txt").c_str());
    std::remove(Folder.File("footer.txt").c_str());
    WriteBytes(Work.File("empty.txt"), "");
    WriteBytes(Work.File("out.html"), "old");
    EXPECT_EQ(Run("txt", Work.File("empty.txt"), Work.File("out.html")), "");
}

TEST_F(ConversionJobTest, RunTwiceReplacesOutputAndStyleSheet)
{
    WriteBytes(Work.File("in.txt"), "first");
    Run("txt", Work.File("in.txt"), Work.File("out.html"));
    WriteBytes(Work.File("in.txt"), "second");
    for (int i = 0; i < Form.ColorList->Count(); ++i)
        Form.ColorList->Item(i)->Enabled = false;
    EXPECT_EQ(Run("txt", Work.File("in.txt"), Work.File("out.html")), "<PRE>\r\nsecond\r\n</PRE>\r\n");
    EXPECT_EQ(ReadBytes(Work.File("design.css")), TForm1::PreRule() + "\r\n");
}

TEST_F(ConversionJobTest, StyleSheetLines)
{
    TColorSettingList& list = *Form.ColorList;
    for (int i = 0; i < list.Count(); ++i)
        list.Item(i)->Enabled = false;
    auto set = [&](int i, std::int32_t color, std::int32_t back, bool bold, bool italic) {
        TColorSetting* item = list.Item(i);
        item->Enabled = true;
        item->Color = color;
        item->BackColor = back;
        item->Bold = bold;
        item->Italic = italic;
    };
    set(2, 0x008000, 0xFFFFFF, false, true);
    set(0, 0x0000FF, 0xFF0000, true, false);
    set(6, 0, 0xFFFFFF, false, false);
    set(11, 0x1000000, 0x12345678, false, false); // only the low 24 bits count
    Form.BuildStyleSheet();
    std::vector<std::string> expected = {
        TForm1::PreRule(),
        Sjis(u"PRE SPAN.res{color:#FF0000;background-color:#0000FF;font-weight:bold;} /* 予約語 */"),
        Sjis(u"PRE SPAN.cmt{color:#008000;font-style:italic;} /* コメント */"),
        Sjis(u"PRE SPAN.idt{} /* 識別子 */"),
        Sjis(u"PRE SPAN.em3{color:#000000;background-color:#785634;} /* 強調３ */"),
    };
    EXPECT_EQ(Form.StyleSheet->Lines(), expected);
    EXPECT_EQ(Wide(TForm1::PreRule()),
              u"PRE{font-family:'ＭＳ ゴシック',monospace;"
              u"font-size:9pt;background-color:white;color:black;}");
}

// A Unicode source gives a UTF-8 page with the header and footer in it; a character the page's
// encoding cannot hold becomes a reference; settings files saved with a mark work.
TEST_F(ConversionJobTest, ThePageFollowsTheSourceEncoding)
{
    const std::u16string source = u"a<b\t表\r\n😀\tx";
    const std::string body = Utf8::Encode(u"a&#x3C;b 表\r\n😀  x\r\n");
    const struct {
        const char* name;
        std::string source;
        std::u16string header;
        std::string expected;
    } cases[] = {
        {"UTF-8", Utf8::Encode(source), u"<PRE>", "<PRE>\r\n" + body},
        {"UTF-8 with mark", "\xEF\xBB\xBF" + Utf8::Encode(source), u"<PRE>", "<PRE>\r\n" + body},
        {"UTF-16LE with mark", "\xFF\xFE" + std::string(reinterpret_cast<const char*>(source.data()),
                                                      source.size() * 2),
         u"<PRE>", "<PRE>\r\n" + body},
        {"a code page 932 header in a UTF-8 page", Utf8::Encode(source), u"<PRE title=表>",
         Utf8::Encode(u"<PRE title=表>\r\n") + body},
        {"a UTF-8 header in a code page 932 page", Sjis(u"表"), u"<PRE title=\"😀〜\">",
         "<PRE title=\"&#x1F600;&#x301C;\">\r\n" + Sjis(u"表") + "\r\n"},
    };
    for (const auto& c : cases) {
        // A header that code page 932 cannot hold is saved as UTF-8 with a mark.
        const bool utf8Header = Sjis(c.header).find('?') != std::string::npos;
        WriteBytes(Folder.File("header.txt"),
                   utf8Header ? "\xEF\xBB\xBF" + Utf8::Encode(c.header) : Sjis(c.header));
        WriteBytes(Work.File("in.txt"), c.source);
        EXPECT_EQ(Run("txt", Work.File("in.txt"), Work.File("out.html")), c.expected + "</PRE>\r\n")
            << c.name;
    }

    // escape.txt and a word list saved with a mark: the first entry counts like the others.
    WriteBytes(Folder.File("header.txt"), "");
    WriteBytes(Folder.File("escape.txt"), "\xEF\xBB\xBF<\r\n>\r\n");
    WriteBytes(Folder.File("cs7.key"), "\xEF\xBB\xBF" "class\r\nint\r\n");
    WriteBytes(Work.File("in.cs"), "class <T>\r\n");
    EXPECT_EQ(Run("cs7", Work.File("in.cs"), Work.File("out.html")),
              "<SPAN CLASS=\"res\">class</SPAN> <SPAN CLASS=\"ope\">&#x3C;</SPAN>T"
              "<SPAN CLASS=\"ope\">&#x3E;</SPAN>\r\n</PRE>\r\n");
    EXPECT_TRUE(Log.Messages.empty()) << Log.All();
}
