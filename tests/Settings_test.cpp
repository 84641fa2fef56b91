// The user's settings survive: color.txt is replaced whole, keeps its permissions and its link,
// survives a failed write, and stays valid when two runs end at the same moment.
#include "Faultyfiles.h"
#include "Testutil.h"
#include "output/Colorsettinglist.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace TestUtil;
namespace fs = std::filesystem;

namespace {

mode_t ModeOf(const std::string& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

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
    for (mode_t mode : {0600, 0640, 0664, 0444}) {
        ASSERT_EQ(::chmod(Folder.File("color.txt").c_str(), mode), 0);
        ToggleFirstItalic();
        EXPECT_EQ(ModeOf(Folder.File("color.txt")), mode) << std::oct << mode;
    }
    EXPECT_EQ(TempFilesIn(Folder.Path()), 0);
}

TEST_F(Settings, SymlinkedColorTxtKeepsItsLinkAndTheTargetIsReplaced)
{
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
        Faulty.FailNextWrite(5);
    }
    ASSERT_EQ(log.Messages.size(), 1u);
    EXPECT_NE(log.Messages[0].find("color.txt"), std::string::npos) << log.Messages[0];
}

TEST_F(Settings, TwoBatchRunsAtOnceBothSucceedAndLeaveAValidColorTxt)
{
    std::string exe = Folder.File("corvina");
    fs::copy_file(CORVINA_EXE, exe);
    TTempDir work;
    std::string source;
    for (int i = 0; i < 20000; ++i)
        source += "int value = 1; // a line of C\r\n";
    WriteBytes(work.File("in.cpp"), source);
    std::string color = ReadBytes(Folder.File("color.txt"));
    for (int round = 0; round < 5; ++round) {
        std::string script;
        for (int k = 1; k <= 2; ++k)
            script += "('" + exe + "' vc7 '" + work.File("in.cpp") + "' '" +
                      work.File("out" + std::to_string(k) + ".html") + "' 2>'" +
                      work.File("err" + std::to_string(k)) + "'; echo $? >'" +
                      work.File("status" + std::to_string(k)) + "') & ";
        script += "wait";
        ASSERT_EQ(std::system(("sh -c \"" + script + "\"").c_str()), 0);
        for (int k = 1; k <= 2; ++k) {
            std::string n = std::to_string(k);
            EXPECT_EQ(ReadBytes(work.File("status" + n)), "0\n") << ReadBytes(work.File("err" + n));
            EXPECT_GT(fs::file_size(work.File("out" + n + ".html")), source.size());
        }
        EXPECT_EQ(ReadBytes(Folder.File("color.txt")), color) << "round " << round;
        EXPECT_EQ(TempFilesIn(Folder.Path()), 0);
    }
}
