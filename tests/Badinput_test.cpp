// Bad input end to end: stray bytes, huge lines, folders where files belong, broken settings
// files and failing reads and writes never crash a run; failures name the file and exit non-zero.
#include "Faultyfiles.h"
#include "Testutil.h"
#include "core/Textwriter.h"
#include "ui/Batch.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace TestUtil;
namespace fs = std::filesystem;

namespace {

// Sanitizer builds run the big inputs at a tenth of the size, to stay within seconds.
#if defined(__SANITIZE_ADDRESS__)
constexpr size_t BigScale = 10;
#else
constexpr size_t BigScale = 1;
#endif

// The built program in a temporary program folder with the shipped data, but without header and
// footer, so an output is the converted body alone.
class BadInput : public ::testing::Test {
protected:
    TProgramFolder Folder;
    TTempDir Work;
    std::string Exe;
    TFaultyFiles Faulty;
    TInstalledFiles Installed{Faulty};

    void SetUp() override
    {
        Exe = CopyProgram(Folder);
        fs::remove(Folder.File("header.txt"));
        fs::remove(Folder.File("footer.txt"));
    }
    int Run(const std::string& code, const std::string& in, const std::string& out,
            std::string* err = nullptr)
    {
        return RunCorvina({code, in, out}, err, Exe);
    }
    // The same run inside this process, where the injected faults reach it; the messages
    // shown go to messages.
    int RunHere(const std::string& code, const std::string& in, const std::string& out,
                std::string* messages)
    {
        TMessageLog log;
        int status = RunBatchMode({code, in, out});
        *messages = log.All();
        return status;
    }
};

} // namespace

TEST_F(BadInput, StrayBytesAndZeroBytesComeThroughAsReadAndEndTheText)
{
    struct Case {
        const char* name;
        const char* code;
        std::string input;
        std::string output;
    };
    // 0x80, 0xA0 and 0xFD-0xFF are undefined; 0x81 is a lead byte without a valid trail byte.
    const std::string stray = "\x80\xA0\xFD\xFE\xFF \x81\x20\x81";
    const Case cases[] = {
        {"undefined bytes, plain", "txt", stray, stray + "\r\n"},
        {"undefined bytes, C++ lexer", "vc7", stray + "\r\n" + stray,
         stray + "\r\n" + stray + "\r\n"},
        {"undefined bytes, Basic lexer", "vb6", stray, stray + "\r\n"},
        {"zero byte ends the text", "vc7", std::string("ab\r\n\0cd\r\nef", 11), "ab\r\n"},
        {"binary file starting with zero", "txt", std::string("\0\x01\x02\x03", 4), ""},
        {"control characters pass", "txt", "a\x01\x1B[0mb\x7F", "a\x01\x1B[0mb\x7F\r\n"},
    };
    for (const Case& c : cases) {
        WriteBytes(Work.File("in"), c.input);
        std::string err;
        EXPECT_EQ(Run(c.code, Work.File("in"), Work.File("out.html"), &err), 0) << c.name << err;
        EXPECT_EQ(ReadBytes(Work.File("out.html")), c.output) << c.name;
    }
}

TEST_F(BadInput, SingleLineOfFiftyMegabytes)
{
    const std::string piece = "value = foo(bar) + 1; ";
    std::string line;
    line.reserve(50'000'000 / BigScale + piece.size());
    while (line.size() < 50'000'000 / BigScale)
        line += piece;
    WriteBytes(Work.File("in"), line);
    EXPECT_EQ(Run("txt", Work.File("in"), Work.File("out.html")), 0);
    EXPECT_EQ(fs::file_size(Work.File("out.html")), line.size() + 2);
}

TEST_F(BadInput, UnclosedCommentOverManyMegabytes)
{
    struct Case {
        const char* code;
        const char* opener;
    };
    const Case cases[] = {{"vc7", "/*"}, {"del", "{"}, {"psq", "/*"}};
    std::string body;
    while (body.size() < 8'000'000 / BigScale)
        body += "\tsome text of a comment that never ends 123 \"x\" 'y'\r\n";
    for (const Case& c : cases) {
        WriteBytes(Work.File("in"), c.opener + body);
        std::string err;
        ASSERT_EQ(Run(c.code, Work.File("in"), Work.File("out.html"), &err), 0) << c.code << err;
        std::string html = ReadBytes(Work.File("out.html"));
        EXPECT_EQ(html.rfind("<SPAN CLASS=\"cmt\">", 0), 0u) << c.code;
        EXPECT_EQ(html.find("</SPAN>"), html.size() - 9) << c.code << ": one span to the end";
    }
}

TEST_F(BadInput, MillionEmptyLines)
{
    std::string lines;
    for (size_t i = 0; i < 1'000'000 / BigScale; ++i)
        lines += "\n";
    WriteBytes(Work.File("in"), lines);
    EXPECT_EQ(Run("cs7", Work.File("in"), Work.File("out.html")), 0);
    EXPECT_EQ(fs::file_size(Work.File("out.html")), 2 * lines.size());
}

TEST_F(BadInput, UnusablePathsGiveTheFixedMessages)
{
    WriteBytes(Work.File("in.cpp"), "int a;\r\n");
    fs::create_directory(Work.File("folder"));
    WriteBytes(Work.File("keep.html"), "old");
    struct Case {
        const char* name;
        std::string in, out;
        std::u16string message;
    };
    const Case cases[] = {
        {"input is a folder", Work.File("folder"), Work.File("keep.html"),
         u"ファイルが見つかりません"},
        {"input missing", Work.File("none.cpp"), Work.File("keep.html"),
         u"ファイルが見つかりません"},
        {"output is a folder", Work.File("in.cpp"), Work.File("folder"), u"不正なファイル名です"},
        {"output folder missing", Work.File("in.cpp"), Work.File("no/out.html"),
         u"不正なファイル名です"},
    };
    for (const Case& c : cases) {
        std::string err;
        EXPECT_EQ(Run("vc7", c.in, c.out, &err), 1) << c.name;
        EXPECT_NE(err.find(Utf8(c.message)), std::string::npos) << c.name << ": " << err;
    }
    EXPECT_EQ(ReadBytes(Work.File("keep.html")), "old") << "a failed input check touches nothing";
    EXPECT_FALSE(Exists(Work.File("design.css")));
}

TEST_F(BadInput, NamesWithSpacesAndJapanese)
{
    std::string folder = Work.File(Utf8(u"出力 フォルダ"));
    fs::create_directory(FsPath(folder));
    std::string in = Work.File(Utf8(u"ソース ファイル.cpp"));
    std::string out = folder + "/" + Utf8(u"結果 1.html");
    WriteBytes(in, Sjis(u"// 表示\r\n"));
    std::string err;
    ASSERT_EQ(Run("vc7", in, out, &err), 0) << err;
    EXPECT_EQ(ReadBytes(out), Sjis(u"<SPAN CLASS=\"cmt\">// 表示</SPAN>\r\n"));
    EXPECT_TRUE(Exists(folder + "/design.css"));
}

TEST_F(BadInput, BrokenSettingsFilesStopTheRunNamingFileAndLine)
{
    WriteBytes(Work.File("in.cpp"), "int a;\r\n");
    const std::string color = ReadBytes(Folder.File("color.txt"));
    struct Case {
        const char* name;
        const char* file; // made a folder when contents is null
        const char* contents;
        std::vector<std::string> expected; // pieces of the message
    };
    const Case cases[] = {
        {"color.txt is a folder", "color.txt", nullptr, {"color.txt"}},
        {"escape.txt is a folder", "escape.txt", nullptr, {"escape.txt"}},
        {"word list is a folder", "vc7.key", nullptr, {"vc7.key"}},
        {"design.css is a folder", "design.css", nullptr, {"design.css"}},
        {"color.txt line too short",
         "color.txt",
         "a,b,0,0,0,0,1\r\nshort,line\r\n",
         {"color.txt", "2"}},
        {"color.txt colour not a number",
         "color.txt",
         "a,b,red,0,0,0,1\r\n",
         {"color.txt", "1", "red"}},
        {"color.txt empty line", "color.txt", "a,b,0,0,0,0,1\r\n\r\n", {"color.txt", "2"}},
    };
    for (const Case& c : cases) {
        std::string path = Folder.File(c.file);
        std::string saved = Exists(path) && fs::is_regular_file(path) ? ReadBytes(path) : "";
        fs::remove(path);
        if (c.contents == nullptr)
            fs::create_directory(path);
        else
            WriteBytes(path, c.contents);
        std::string err;
        EXPECT_EQ(Run("vc7", Work.File("in.cpp"), Work.File("out.html"), &err), 1) << c.name;
        for (const std::string& piece : c.expected)
            EXPECT_NE(err.find(piece), std::string::npos) << c.name << ": " << err;
        fs::remove_all(path);
        if (!saved.empty())
            WriteBytes(path, saved);
    }
    EXPECT_EQ(ReadBytes(Folder.File("color.txt")), color) << "a failed start leaves color.txt";
}

TEST_F(BadInput, FailureAfterOutputStartedLeavesNoPartialFile)
{
    // The body of a large input has reached the disk when the footer turns out unreadable.
    std::string source;
    for (int i = 0; i < 60000; ++i)
        source += "int value = 1; // line\r\n";
    WriteBytes(Work.File("in.cpp"), source);
    WriteBytes(Folder.File("footer.txt"), "</PRE>\r\n");
    Faulty.FailReads(Folder.File("footer.txt"));
    std::string messages;
    EXPECT_EQ(RunHere("vc7", Work.File("in.cpp"), Work.File("out.html"), &messages), 1);
    Faulty.FailReads("");
    EXPECT_NE(messages.find("footer.txt"), std::string::npos) << messages;
    EXPECT_EQ(fs::file_size(Work.File("out.html")), 0u);
}

TEST_F(BadInput, UnreadableFilesAreReportedByName)
{
    WriteBytes(Work.File("in.cpp"), "int a;\r\n");
    const std::string files[] = {Work.File("in.cpp"), Folder.File("escape.txt"),
                                 Folder.File("vc7.sp1"), Folder.File("design.css")};
    for (const std::string& file : files) {
        ASSERT_TRUE(fs::is_regular_file(file)) << file;
        Faulty.FailReads(file);
        std::string messages;
        EXPECT_EQ(RunHere("vc7", Work.File("in.cpp"), Work.File("out.html"), &messages), 1) << file;
        EXPECT_NE(messages.find(file), std::string::npos) << messages;
        EXPECT_EQ(ReadBytes(Work.File("out.html")), "") << file << ": no output written";
        Faulty.FailReads("");
    }
}

TEST_F(BadInput, WriteFailingHalfWayIsReportedAndLeavesNoTornFile)
{
    // Output of several megabytes is written while it is made: a failure before or after the
    // first part reached the disk must both leave an empty file.
    std::string source;
    for (int i = 0; i < 60000; ++i)
        source += "int value = 1; // line\r\n";
    WriteBytes(Work.File("in.cpp"), source);
    const struct {
        const char* file;
        long long bytes;
    } cases[] = {{"out.html", 100}, {"out.html", 2500000}, {"design.css", 100}};
    for (const auto& c : cases) {
        WriteBytes(Work.File(c.file), "old");
        Faulty.FailNextWrite(c.bytes, Work.File(c.file));
        std::string messages;
        EXPECT_EQ(RunHere("vc7", Work.File("in.cpp"), Work.File("out.html"), &messages), 1)
            << c.file << " " << c.bytes;
        EXPECT_NE(messages.find(Work.File(c.file)), std::string::npos) << messages;
        EXPECT_EQ(ReadBytes(Work.File(c.file)), "") << c.file << " " << c.bytes << ": empty, not torn";
    }
    Faulty.ClearWriteFault();
    std::string messages;
    EXPECT_EQ(RunHere("vc7", Work.File("in.cpp"), Work.File("out.html"), &messages), 0) << messages;
    EXPECT_GT(fs::file_size(Work.File("out.html")), source.size());
}

TEST(TTextWriter, LinesLongerThanOneSliceComeOutWhole)
{
    // Long texts are encoded in slices and the buffer is written out whenever it is full: every
    // way of writing them must give the same bytes, also at the slice and buffer sizes.
    TTempDir dir;
    const std::u16string unit = u"表a<";
    for (size_t length : {size_t{65536}, size_t{524287}, size_t{524288}, size_t{524289}, size_t{1100000}}) {
        std::u16string line;
        while (line.size() < length)
            line += unit[line.size() % unit.size()];
        std::u16string text = line + u"\n" + line; // the last line without a line end
        std::string expected = Sjis(line) + "\r\n" + Sjis(line) + "\r\n";

        TTextWriter whole(dir.File("whole"));
        whole.WriteText(text);
        whole.Close();
        EXPECT_EQ(ReadBytes(dir.File("whole")), expected) << length;

        TTextWriter chars(dir.File("chars"));
        for (char16_t ch : text)
            chars.WriteChar(ch);
        chars.Close();
        EXPECT_EQ(ReadBytes(dir.File("chars")), expected) << length;

        TTextWriter pieces(dir.File("pieces"));
        for (size_t at = 0; at < text.size(); at += 7777)
            pieces.WriteText(std::u16string_view(text).substr(at, 7777));
        pieces.Close();
        EXPECT_EQ(ReadBytes(dir.File("pieces")), expected) << length;
    }
}
