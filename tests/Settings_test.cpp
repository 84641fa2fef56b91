// The user's settings survive: color.txt is replaced whole, keeps its permissions and its link,
// survives a failed write, stays valid when two runs end at the same moment, and is left alone
// when it already holds what would be written.
#include "Faultyfiles.h"
#include "Testsystem.h"
#include "Testutil.h"
#include "output/Colorsettinglist.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <memory>

using namespace TestUtil;
namespace fs = std::filesystem;

namespace {

fs::perms ModeOf(const std::string& path) { return fs::status(FsPath(path)).permissions(); }

// Files in folder whose name starts with "." and contains "color.txt": left-over temp files.
int TempFilesIn(const std::string& folder)
{
    int count = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        std::string name = entry.path().filename().string();
        if (name[0] == '.' && name.find("color.txt") != std::string::npos)
            ++count;
    }
    return count;
}

// Loads color.txt, makes the first item italic, and writes it back when released.
void ToggleFirstItalic()
{
    TColorSettingList list;
    list.SaveOnDestroy();
    list.Item(0)->Italic = !list.Item(0)->Italic;
}

class Settings : public ::testing::Test {
protected:
    TProgramFolder Folder;
    TFaultyFiles Faulty;
    TInstalledFiles Installed{Faulty};
};

} // namespace

TEST_F(Settings, SaveKeepsPermissions)
{
    if (!IsPosix())
        GTEST_SKIP() << "POSIX mode bits; Windows keeps a file's attributes (Win32Settings)";
    for (unsigned mode : {0600, 0640, 0664, 0444}) {
        fs::permissions(FsPath(Folder.File("color.txt")), static_cast<fs::perms>(mode));
        ToggleFirstItalic();
        EXPECT_EQ(ModeOf(Folder.File("color.txt")), static_cast<fs::perms>(mode))
            << std::oct << mode;
    }
    EXPECT_EQ(TempFilesIn(Folder.Path()), 0);
}

TEST_F(Settings, SymlinkedColorTxtKeepsItsLinkAndTheTargetIsReplaced)
{
    if (!IsPosix())
        GTEST_SKIP() << "symbolic links need a privilege on Windows; the Windows counterpart "
                        "replaces a color.txt another handle holds open (Win32Settings)";
    TTempDir elsewhere;
    std::string target = elsewhere.File("my colors.txt");
    fs::rename(Folder.File("color.txt"), target);
    fs::create_symlink(target, Folder.File("color.txt"));
    std::string before = ReadBytes(target);

    ToggleFirstItalic();

    EXPECT_TRUE(fs::is_symlink(Folder.File("color.txt")));
    EXPECT_EQ(fs::read_symlink(Folder.File("color.txt")), target);
    std::string after = ReadBytes(target);
    EXPECT_NE(after, before);
    TColorSettingList reloaded;
    EXPECT_EQ(reloaded.Count(), 12);
    EXPECT_EQ(TempFilesIn(Folder.Path()) + TempFilesIn(elsewhere.Path()), 0);
}

TEST_F(Settings, FailedWriteLeavesTheOldFileAndNoTempFile)
{
    std::string before = ReadBytes(Folder.File("color.txt"));
    for (long long bytes : {0LL, 10LL, static_cast<long long>(before.size()) - 1}) {
        TColorSettingList list;
        list.Item(0)->Italic = !list.Item(0)->Italic;
        Faulty.FailNextWrite(bytes);
        EXPECT_THROW(list.Save(), TFileError) << bytes;
        EXPECT_EQ(ReadBytes(Folder.File("color.txt")), before) << bytes;
        EXPECT_EQ(TempFilesIn(Folder.Path()), 0) << bytes;
    }
}

TEST_F(Settings, WriteFailureAtExitIsReportedNotThrown)
{
    // The destructor reports a failed write in the message box and never throws.
    TMessageLog log;
    {
        TColorSettingList list;
        list.SaveOnDestroy();
        // A changed item: unchanged settings are not written at all.
        list.Item(0)->Bold = !list.Item(0)->Bold;
        Faulty.FailNextWrite(5);
    }
    ASSERT_EQ(log.Messages.size(), 1u);
    EXPECT_NE(log.Messages[0].find("color.txt"), std::string::npos) << log.Messages[0];
}

TEST_F(Settings, TwoBatchRunsAtOnceBothSucceedAndLeaveAValidColorTxt)
{
    std::string exe = CopyProgram(Folder);
    TTempDir work;
    std::string source;
    for (int i = 0; i < 20000; ++i)
        source += "int value = 1; // a line of C\r\n";
    WriteBytes(work.File("in.cpp"), source);
    std::string color = ReadBytes(Folder.File("color.txt"));
    // Each round starts from the same items with LF line ends, so that both runs write the file
    // back (in CR LF) at the same moment rather than find it as they would write it.
    std::string lfColor;
    for (char c : color)
        if (c != '\r')
            lfColor += c;
    ASSERT_NE(lfColor, color);
    for (int round = 0; round < 5; ++round) {
        WriteBytes(Folder.File("color.txt"), lfColor);
        std::vector<std::unique_ptr<TChild>> runs;
        for (int k = 1; k <= 2; ++k) {
            std::string n = std::to_string(k);
            std::vector<std::string> args = {"vc7", work.File("in.cpp"),
                                             work.File("out" + n + ".html")};
            runs.push_back(std::make_unique<TChild>(exe, args, work.File("err" + n)));
        }
        for (int k = 1; k <= 2; ++k) {
            std::string n = std::to_string(k);
            EXPECT_EQ(runs[k - 1]->Wait(), 0) << ReadBytes(work.File("err" + n));
            EXPECT_GT(fs::file_size(work.File("out" + n + ".html")), source.size());
        }
        EXPECT_EQ(ReadBytes(Folder.File("color.txt")), color) << "round " << round;
        EXPECT_EQ(TempFilesIn(Folder.Path()), 0);
    }
}

TEST_F(Settings, ABatchRunLeavesAColorTxtThatHoldsWhatItWouldWriteAlone)
{
    if (!IsPosix())
        GTEST_SKIP() << "Windows replaces color.txt at every end (Win32Settings)";
    std::string exe = CopyProgram(Folder);
    TTempDir work;
    WriteBytes(work.File("in.cpp"), "int a;\r\n");
    const std::string color = Folder.File("color.txt");
    const struct {
        const char* name;
        std::string before; // "" for the shipped file as it is
        bool kept;
    } cases[] = {
        {"as the program writes it", "", true},
        {"in another syntax", Sjis(u"予約語, res ,255,$FFFFFF,2,0,1\n"), false},
    };
    for (const auto& c : cases) {
        if (!c.before.empty())
            WriteBytes(color, c.before);
        std::string before = ReadBytes(color);
        unsigned long long identity = FileIdentity(color);
        std::string err;
        EXPECT_EQ(RunCorvina({"vc7", work.File("in.cpp"), work.File("out.html")}, &err, exe), 0)
            << err;
        EXPECT_EQ(FileIdentity(color) == identity, c.kept) << c.name;
        if (c.kept)
            EXPECT_EQ(ReadBytes(color), before) << c.name;
        else
            EXPECT_NE(ReadBytes(color), before) << c.name;
        EXPECT_EQ(TempFilesIn(Folder.Path()), 0) << c.name;
    }
}
