// Tests of the two programs as the user starts them: corvinaw.exe (no console) converts as
// corvina.exe does and shows its messages in message boxes; with fewer than three arguments both
// open the window, corvina.exe through the window DLL beside it, which it reports when missing.
#include "Testsystem.h"
#include "Win32fixture.h"

#include <winver.h>

#include <algorithm>
#include <filesystem>
#include <optional>

using namespace TestUtil;

namespace {

// A built file copied into folder under its own name; returns the copy's path.
std::string CopyBuilt(const TTempDir& folder, const std::string& built)
{
    std::filesystem::path from = FsPath(built);
    std::string copy = folder.File(PathText(from.filename()));
    std::filesystem::copy_file(from, FsPath(copy));
    return copy;
}

std::string CopyWindowProgram(const TTempDir& folder) { return CopyBuilt(folder, CORVINAW_EXE); }

// The console program and, with it unless told otherwise, the window DLL; returns the program.
std::string CopyConsoleProgram(const TTempDir& folder, bool withWindow = true)
{
    if (withWindow)
        CopyBuilt(folder, CORVINA_WINDOW_DLL);
    return CopyProgram(folder);
}

struct TWindowSearch {
    DWORD Process;
    const wchar_t* Caption;
    HWND Found;
};

BOOL CALLBACK FindProcessWindow(HWND hwnd, LPARAM param)
{
    auto& search = *reinterpret_cast<TWindowSearch*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    wchar_t caption[64] = {};
    GetWindowTextW(hwnd, caption, 64);
    if (process == search.Process && IsWindowVisible(hwnd) &&
        std::wstring_view(caption) == search.Caption) {
        search.Found = hwnd;
        return FALSE;
    }
    return TRUE;
}

// The visible top-level window of child's with caption, or nullptr after a while. Only the
// child's: other tests may show windows of the same caption at the same time.
HWND WaitForWindow(const TChild& child, const wchar_t* caption)
{
    TWindowSearch search{static_cast<DWORD>(child.ProcessId()), caption, nullptr};
    for (int i = 0; i < 300 && child.ProcessId() >= 0; ++i) {
        EnumWindows(&FindProcessWindow, reinterpret_cast<LPARAM>(&search));
        if (search.Found != nullptr)
            return search.Found;
        Sleep(100);
    }
    return nullptr;
}

// color.txt as it is shipped but with one colour in decimal: it loads the same, and only a
// rewrite when the window closes turns it back into the shipped bytes.
std::string ShippedColorsInDecimal(const std::string& shipped)
{
    std::string decimal = shipped;
    const std::string hex = "0x800000";
    size_t at = decimal.find(hex);
    if (at != std::string::npos)
        decimal.replace(at, hex.size(), std::to_string(0x800000));
    return decimal;
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
    HWND box = WaitForWindow(run, L"エラー");
    ASSERT_NE(box, nullptr) << "no message box came up";
    EXPECT_EQ(Win32Test::TextOf(GetDlgItem(box, 0xFFFF)), u"ファイルが見つかりません");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(run.Wait(), 1);
    EXPECT_EQ(ReadBytes(work.File("err.txt")), "");
}

TEST(Programs, FewerThanThreeArgumentsOpenTheWindowWhichWritesColorTxtOnClosing)
{
    struct TCase {
        const char* What;
        bool Console;
        std::vector<std::string> Args;
    };
    const TCase cases[] = {
        {"corvina.exe, no argument", true, {}},
        {"corvina.exe, one argument", true, {"bcb"}},
        {"corvina.exe, two arguments", true, {"bcb", "in.cpp"}},
        {"corvinaw.exe, no argument", false, {}},
    };
    for (const TCase& c : cases) {
        TProgramFolder folder;
        TTempDir work;
        std::string exe = c.Console ? CopyConsoleProgram(folder) : CopyWindowProgram(folder);
        std::string shipped = ReadBytes(folder.File("color.txt"));
        std::string decimal = ShippedColorsInDecimal(shipped);
        ASSERT_NE(decimal, shipped);
        WriteBytes(folder.File("color.txt"), decimal);

        TChild run(exe, c.Args, work.File("err.txt"));
        HWND window = WaitForWindow(run, L"Corvina");
        ASSERT_NE(window, nullptr) << c.What << ": no window came up; "
                                   << FromErrorStream(ReadBytes(work.File("err.txt")));
        EXPECT_EQ(Win32Test::ClassOf(window), "CorvinaForm1") << c.What;
        PostMessageW(window, WM_CLOSE, 0, 0);
        EXPECT_EQ(run.Wait(), 0) << c.What;
        EXPECT_EQ(ReadBytes(folder.File("color.txt")), shipped) << c.What;
        EXPECT_EQ(ReadBytes(work.File("err.txt")), "") << c.What;
    }
}

TEST(Programs, ConsoleProgramWithoutAWorkingWindowDllSaysSoAndFails)
{
    struct TCase {
        const char* What;
        // The window DLL's bytes, or none for no DLL; the built DLL without the window's entry
        // when Content is none and WithoutEntry is set.
        std::optional<std::string> Content;
        bool WithoutEntry;
        std::string Reason;
    };
    const TCase cases[] = {
        {"missing", std::nullopt, false, "ファイルまたはフォルダーが見つかりません"},
        {"empty", "", false, "壊れているか、この Windows の DLL ではありません"},
        {"not a DLL", "MZ but nothing more", false,
         "壊れているか、この Windows の DLL ではありません"},
        {"another DLL", std::nullopt, true, "関数 CorvinaRunWindow がありません"},
    };
    const std::vector<std::string> argumentLists[] = {{}, {"bcb", "in.cpp"}};
    for (const TCase& c : cases) {
        TProgramFolder folder;
        TTempDir work;
        std::string exe = CopyConsoleProgram(folder, false);
        std::string dll = folder.File("corvina_window.dll");
        if (c.Content)
            WriteBytes(dll, *c.Content);
        if (c.WithoutEntry)
            std::filesystem::copy_file(FsPath(CORVINA_NOENTRY_DLL), FsPath(dll));
        std::string before = ReadBytes(folder.File("color.txt"));
        for (const std::vector<std::string>& args : argumentLists) {
            std::string err;
            EXPECT_EQ(RunCorvina(args, &err, exe), 2) << c.What;
            EXPECT_EQ(err.rfind("エラー: ウィンドウの DLL を読み込めません: ", 0), 0u)
                << c.What << ": " << err;
            EXPECT_NE(err.find("corvina_window.dll: " + c.Reason + "\n"), std::string::npos)
                << c.What << ": " << err;
            EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << c.What << ": " << err;
        }
        EXPECT_EQ(ReadBytes(folder.File("color.txt")), before) << c.What;
    }
}

TEST(Programs, ASecondStartOnTheSameFolderEndsAndLeavesTheWindowAlone)
{
    TProgramFolder folder, other;
    TTempDir work;
    std::string window = CopyWindowProgram(folder);
    std::string console = CopyConsoleProgram(folder);
    TChild first(window, {}, work.File("first.txt"));
    HWND shown = WaitForWindow(first, L"Corvina");
    ASSERT_NE(shown, nullptr) << "no window came up";

    // Both programs, with fewer than three arguments, end at once: no second window, and the
    // open one comes back from the task bar.
    struct TCase {
        const char* What;
        std::string Exe;
        std::vector<std::string> Args;
    };
    const TCase cases[] = {{"corvinaw.exe", window, {}},
                           {"corvina.exe", console, {}},
                           {"corvina.exe, two arguments", console, {"bcb", "in.cpp"}}};
    for (const TCase& c : cases) {
        ShowWindow(shown, SW_MINIMIZE);
        ASSERT_TRUE(IsIconic(shown));
        std::string err;
        EXPECT_EQ(RunCorvina(c.Args, &err, c.Exe), 0) << c.What << ": " << err;
        EXPECT_EQ(err, "") << c.What;
        EXPECT_FALSE(IsIconic(shown)) << c.What << ": the open window stayed minimised";
    }
    EXPECT_TRUE(IsWindow(shown));
    EXPECT_TRUE(IsWindowVisible(shown));

    // A batch run goes on as ever.
    WriteBytes(work.File("in.txt"), "a < b\r\n");
    std::string err;
    EXPECT_EQ(RunCorvina({"txt", work.File("in.txt"), work.File("out.html")}, &err, console), 0)
        << err;
    EXPECT_TRUE(Exists(work.File("out.html")));

    // Another folder has a window of its own.
    TChild second(CopyWindowProgram(other), {}, work.File("second.txt"));
    HWND secondShown = WaitForWindow(second, L"Corvina");
    EXPECT_NE(secondShown, nullptr) << "the window of another folder did not come up";
    if (secondShown != nullptr)
        PostMessageW(secondShown, WM_CLOSE, 0, 0);
    EXPECT_EQ(second.Wait(), 0);
    PostMessageW(shown, WM_CLOSE, 0, 0);
    EXPECT_EQ(first.Wait(), 0);
}

// What Explorer shows of the files: the icon, the version of the build in Japanese, and for the
// two programs the manifest that asks for visual styles and per-monitor DPI.
TEST(Programs, EachFileCarriesIconVersionAndTheProgramsTheirManifest)
{
    struct TCase {
        const char* Path;
        const char16_t* Name;
        bool Manifest;
    };
    const TCase cases[] = {{CORVINA_EXE, u"corvina.exe", true},
                           {CORVINAW_EXE, u"corvinaw.exe", true},
                           {CORVINA_WINDOW_DLL, u"corvina_window.dll", false}};
    const std::u16string version = CodePage::FromUtf8(CORVINA_VERSION);
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Path);
        std::wstring path = FsPath(c.Path).wstring();
        HMODULE file = LoadLibraryExW(path.c_str(), nullptr,
                                      LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(file, nullptr);
        EXPECT_NE(FindResourceW(file, MAKEINTRESOURCEW(1), RT_GROUP_ICON), nullptr) << "no icon";
        HRSRC manifest = FindResourceW(file, MAKEINTRESOURCEW(1), RT_MANIFEST);
        EXPECT_EQ(manifest != nullptr, c.Manifest);
        if (manifest != nullptr) {
            std::string text(static_cast<const char*>(LockResource(LoadResource(file, manifest))),
                             SizeofResource(file, manifest));
            for (const char* part :
                 {"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
                  ">PerMonitorV2, system</dpiAwareness>", ">true</dpiAware>",
                  ">true</longPathAware>", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
                  "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
                  "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
                  "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"})
                EXPECT_NE(text.find(part), std::string::npos) << part;
        }
        FreeLibrary(file);

        DWORD ignored = 0;
        DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
        ASSERT_GT(size, 0u) << "no version information";
        std::vector<char> info(size);
        ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, info.data()));
        auto value = [&](const wchar_t* name) {
            std::wstring query = std::wstring(L"\\StringFileInfo\\041104B0\\") + name;
            void* text = nullptr;
            UINT length = 0;
            if (!VerQueryValueW(info.data(), query.c_str(), &text, &length) || length == 0)
                return std::u16string();
            return std::u16string(static_cast<const char16_t*>(text));
        };
        EXPECT_EQ(value(L"FileVersion"), version);
        EXPECT_EQ(value(L"ProductVersion"), version);
        EXPECT_EQ(value(L"ProductName"), u"Corvina");
        EXPECT_EQ(value(L"OriginalFilename"), c.Name);
        EXPECT_NE(value(L"FileDescription").find(u"ソースコード"), std::u16string::npos);
        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
        std::u16string numbers =
            CodePage::FromUtf8(std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." +
                               std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." +
                               std::to_string(HIWORD(fixed->dwFileVersionLS)));
        EXPECT_EQ(numbers, version);
    }
}
