// End-to-end tests of the batch command line: exit status, stderr, files written.
#include "Testutil.h"
#include "ui/Batch.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace TestUtil;
namespace fs = std::filesystem;

namespace {

// The built program copied into a temporary program folder with the shipped data.
class BatchTest : public ::testing::Test {
protected:
    TProgramFolder Folder;
    TTempDir Work;
    std::string Exe;

    void SetUp() override { Exe = CopyProgram(Folder); }
    int Run(const std::vector<std::string>& args, std::string* err)
    {
        return RunCorvina(args, err, Exe);
    }
};

} // namespace

TEST_F(BatchTest, ConvertsSilentlyAndRewritesColorTxt)
{
    WriteBytes(Work.File("in.c"), "int a<b;\r\n");
    // A color.txt in another syntax is read and written back in the program's own.
    WriteBytes(Folder.File("color.txt"), Sjis(u"予約語, res ,255,$FFFFFF,2,0,1\n"));
    std::string err;
    EXPECT_EQ(Run({"txt", Work.File("in.c"), Work.File("out.html")}, &err), 0);
    EXPECT_EQ(err, "");
    EXPECT_EQ(ReadBytes(Work.File("out.html")), "<PRE>\r\nint a&#x3C;b;\r\n</PRE>\r\n");
    EXPECT_EQ(ReadBytes(Work.File("design.css")), ReadBytes(Folder.File("design.css")));
    EXPECT_EQ(ReadBytes(Folder.File("color.txt")), Sjis(u"予約語,res,0x0000FF,0xFFFFFF,1,0,1\r\n"));
}

TEST_F(BatchTest, ExtraArgumentsAreIgnoredAndNamesPassAsGiven)
{
    std::string in = Work.File("入力 ファイル.c");
    WriteBytes(in, "x");
    std::string err;
    EXPECT_EQ(Run({"txt", in, Work.File("出力 1.html"), "extra", "more"}, &err), 0) << err;
    EXPECT_EQ(ReadBytes(Work.File("出力 1.html")), "<PRE>\r\nx\r\n</PRE>\r\n");
}

TEST_F(BatchTest, FailuresGoToStderrWithNonZeroStatus)
{
    WriteBytes(Work.File("in.c"), "x");
    struct Case {
        const char* name;
        std::vector<std::string> args;
        const char* stderrText;
    };
    const Case cases[] = {
        {"input missing",
         {"txt", Work.File("none.c"), Work.File("o.html")},
         "エラー: ファイルが見つかりません\n"},
        {"output folder missing",
         {"txt", Work.File("in.c"), Work.File("no/o.html")},
         "エラー: 不正なファイル名です\n"},
        {"empty input name", {"txt", "", Work.File("o.html")}, "エラー: ファイル名が指定されていません\n"},
        {"empty output name", {"txt", Work.File("in.c"), ""}, "エラー: ファイル名が指定されていません\n"},
    };
    for (const Case& c : cases) {
        std::string err;
        EXPECT_EQ(Run(c.args, &err), 1) << c.name;
        EXPECT_EQ(err, c.stderrText) << c.name;
        EXPECT_FALSE(Exists(Work.File("o.html"))) << c.name;
    }
}

TEST_F(BatchTest, MissingDesignCssStopsWithoutRewritingColorTxt)
{
    WriteBytes(Work.File("in.c"), "x");
    fs::remove(FsPath(Folder.File("design.css")));
    WriteBytes(Folder.File("color.txt"), Sjis(u"予約語,res,255,0xFFFFFF,0,0,1\n"));
    std::string err;
    EXPECT_EQ(Run({"txt", Work.File("in.c"), Work.File("o.html")}, &err), 1);
    EXPECT_EQ(err, "エラー: ファイルを開けません: " + Folder.File("design.css") +
                       ": ファイルまたはフォルダーが見つかりません\n");
    EXPECT_FALSE(Exists(Work.File("o.html")));
    EXPECT_EQ(ReadBytes(Folder.File("color.txt")), Sjis(u"予約語,res,255,0xFFFFFF,0,0,1\n"));
}

TEST_F(BatchTest, MalformedColorTxtNamesFileAndLine)
{
    WriteBytes(Work.File("in.c"), "x");
    const std::string bad = "a,b,0,0,0,0,0\r\nbroken\r\n";
    WriteBytes(Folder.File("color.txt"), bad);
    std::string err;
    EXPECT_EQ(Run({"txt", Work.File("in.c"), Work.File("o.html")}, &err), 1);
    EXPECT_NE(err.find("color.txt: 2 行目"), std::string::npos) << err;
    EXPECT_EQ(err.find('\n'), err.size() - 1) << "one line: " << err;
    EXPECT_EQ(ReadBytes(Folder.File("color.txt")), bad);
    EXPECT_FALSE(Exists(Work.File("o.html")));
}

TEST_F(BatchTest, FailedCheckStillRewritesColorTxt)
{
    WriteBytes(Folder.File("color.txt"), "a,b,255,0,0,0,0\n");
    std::string err;
    EXPECT_EQ(Run({"txt", Work.File("none.c"), Work.File("o.html")}, &err), 1);
    EXPECT_EQ(ReadBytes(Folder.File("color.txt")), "a,b,0x0000FF,0x000000,0,0,0\r\n");
}

TEST(RunBatchMode, StatusTellsWhetherAFailureWasReportedAndTheHandlerIsPutBack)
{
    TProgramFolder folder;
    TTempDir work;
    WriteBytes(work.File("in.c"), "x");
    const struct {
        const char* name;
        std::string input;
        int status;
        std::vector<std::string> messages;
    } cases[] = {
        {"converted", work.File("in.c"), 0, {}},
        {"input missing", work.File("none.c"), 1, {"エラー: ファイルが見つかりません"}},
        {"converted after a failure", work.File("in.c"), 0, {}},
    };
    for (const auto& c : cases) {
        TMessageLog log;
        EXPECT_EQ(RunBatchMode({"txt", c.input, work.File("o.html")}), c.status) << c.name;
        EXPECT_EQ(log.Messages, c.messages) << c.name;
        Platform::ShowError("after the run");
        EXPECT_EQ(log.Messages.back(), "エラー: after the run") << c.name << ": handler put back";
    }
}
