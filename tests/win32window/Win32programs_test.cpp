// Tests of corvinaw.exe, the program without a console: a batch run writes what corvina.exe
// writes, and its messages come up in message boxes.
#include "Testsystem.h"
#include "Win32fixture.h"

#include <filesystem>

using namespace TestUtil;

namespace {

// corvinaw.exe copied into a program folder of its own; returns its path.
std::string CopyWindowProgram(const TTempDir& folder)
{
    std::string copy = folder.File("corvinaw.exe");
    std::filesystem::copy_file(FsPath(CORVINAW_EXE), FsPath(copy));
    return copy;
}

// The message box of another process with caption, or nullptr after a while.
HWND WaitForBox(const wchar_t* caption)
{
    for (int i = 0; i < 300; ++i) {
        if (HWND box = FindWindowW(L"#32770", caption))
            return box;
        Sleep(100);
    }
    return nullptr;
}

} // namespace

TEST(Corvinaw, BatchRunWritesWhatTheConsoleProgramWrites)
{
    TProgramFolder folder;
    TTempDir work;
    WriteBytes(work.File("in.cpp"), Sjis(u"int main() { /* 注釈 */ return 0; }\r\n"));
    std::string err;
    ASSERT_EQ(RunCorvina({"bcb", work.File("in.cpp"), work.File("w.html")}, &err,
                         CopyWindowProgram(folder)),
              0)
        << err;
    EXPECT_EQ(err, "");
    ASSERT_EQ(RunCorvina({"bcb", work.File("in.cpp"), work.File("c.html")}, &err,
                         CopyProgram(folder)),
              0)
        << err;
    EXPECT_EQ(ReadBytes(work.File("w.html")), ReadBytes(work.File("c.html")));
}

TEST(Corvinaw, BatchFailureIsShownInAMessageBoxAndEndsWithStatusOne)
{
    TProgramFolder folder;
    TTempDir work;
    TChild run(CopyWindowProgram(folder), {"txt", work.File("none.c"), work.File("o.html")},
               work.File("err.txt"));
    HWND box = WaitForBox(L"エラー");
    ASSERT_NE(box, nullptr) << "no message box came up";
    EXPECT_EQ(Win32Test::TextOf(GetDlgItem(box, 0xFFFF)), u"ファイルが見つかりません");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(run.Wait(), 1);
    EXPECT_EQ(ReadBytes(work.File("err.txt")), "");
}
