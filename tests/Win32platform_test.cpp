// The Windows platform layer: Japanese reasons from the Windows error codes, binary files, the
// same-file test, replacing a settings file that is read-only or held open, long paths and the
// "\\?\" prefix, Japanese names with spaces, and the error stream in code page 932.
#include "Testsystem.h"
#include "Testutil.h"
#include "core/Textreader.h"
#include "lexers/Tokenreader.h"
#include "output/Colorsettinglist.h"

#include <windows.h>

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

using namespace TestUtil;
using Platform::SystemFiles;
using Platform::TFileReason;
using Platform::TPathKind;
namespace fs = std::filesystem;

namespace {

std::string Reason(TFileReason reason) { return std::string(Platform::ReasonText(reason)); }

// The message of what op throws, or "" when it throws nothing.
std::string ErrorOf(const std::function<void()>& op)
{
    try {
        op();
    } catch (const TFileError& e) {
        return e.what();
    }
    return "";
}

std::wstring WideOf(const std::string& utf8) { return FsPath(utf8).wstring(); }

// A handle on path held open with the given sharing while the object lives, as another
// program would hold it.
class THeldFile {
public:
    THeldFile(const std::string& path, DWORD share)
        : Handle(CreateFileW(WideOf(path).c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr))
    {}
    ~THeldFile()
    {
        if (Valid())
            CloseHandle(Handle);
    }
    THeldFile(const THeldFile&) = delete;
    THeldFile& operator=(const THeldFile&) = delete;
    bool Valid() const { return Handle != INVALID_HANDLE_VALUE; }
    // What the handle reads from the start.
    std::string Read() const
    {
        SetFilePointer(Handle, 0, nullptr, FILE_BEGIN);
        char buf[4096];
        DWORD n = 0;
        return ReadFile(Handle, buf, sizeof buf, &n, nullptr) ? std::string(buf, n) : "<error>";
    }

private:
    HANDLE Handle;
};

// Files in folder whose name starts with "." and contains name: left-over temporary files.
int TempFilesIn(const std::string& folder, const std::string& name)
{
    int count = 0;
    for (const auto& entry : fs::directory_iterator(FsPath(folder))) {
        std::string file = PathText(entry.path().filename());
        if (file[0] == '.' && file.find(name) != std::string::npos)
            ++count;
    }
    return count;
}

void SetReadOnly(const std::string& path, bool readOnly)
{
    SetFileAttributesW(WideOf(path).c_str(),
                       readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
}

// A folder below base whose path is longer than the plain API allows (260 characters).
std::string LongFolder(const std::string& base)
{
    std::string folder = base;
    while (folder.size() < 300)
        folder = Platform::JoinPath(folder, std::string(50, 'l'));
    fs::create_directories(FsPath("\\\\?\\" + folder));
    return folder;
}

} // namespace

TEST(Win32FileReason, WindowsErrorsGetTheJapaneseReasonOrTheSystemsText)
{
    SetLastError(ERROR_SHARING_VIOLATION);
    EXPECT_EQ(Platform::FileError("m", "C:\\a.txt").what(),
              "m: C:\\a.txt: " + Reason(TFileReason::Busy));
    SetLastError(ERROR_INVALID_NAME);
    std::string other = Platform::FileError("m", "p").what();
    ASSERT_GT(other.size(), 6u) << "the system's own text follows";
    EXPECT_EQ(other.substr(0, 6), "m: p: ");
    for (int i = 0; i <= static_cast<int>(TFileReason::NotRegularFile); ++i)
        EXPECT_NE(other.substr(6), Reason(static_cast<TFileReason>(i)));
}

TEST(Win32Files, FailuresNameThePathAndTheReason)
{
    TTempDir dir;
    fs::create_directory(FsPath(dir.File("folder")));
    auto& files = SystemFiles();
    const std::string missing = dir.File("no\\x");
    const std::string folder = dir.File("folder");
    const struct {
        const char* name;
        std::function<void()> op;
        std::string expected;
    } cases[] = {
        {"read missing", [&] { files.ReadAll(missing); },
         "ファイルを開けません: " + missing + ": " + Reason(TFileReason::NotFound)},
        {"read folder", [&] { files.ReadAll(folder); },
         "ファイルを開けません: " + folder + ": " + Reason(TFileReason::IsFolder)},
        {"write in missing folder", [&] { files.WriteAll(missing, "a"); },
         "ファイルを作成できません: " + missing + ": " + Reason(TFileReason::NotFound)},
        {"write folder", [&] { files.WriteAll(folder, "a"); },
         "ファイルを作成できません: " + folder + ": " + Reason(TFileReason::IsFolder)},
        {"replace folder", [&] { files.Replace(folder, "a"); },
         "ファイルを作成できません: " + folder + ": " + Reason(TFileReason::IsFolder)},
        {"replace in missing folder", [&] { files.Replace(missing, "a"); },
         "ファイルを作成できません: " + missing + ": " + Reason(TFileReason::NotFound)},
        {"output in missing folder", [&] { files.OpenOutput(missing)->Write("a"); },
         "ファイルを作成できません: " + missing + ": " + Reason(TFileReason::NotFound)},
        {"optional folder", [&] { Platform::IsOptionalFile(folder); },
         "ファイルを開けません: " + folder + ": " + Reason(TFileReason::IsFolder)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ErrorOf(c.op), c.expected) << c.name;
}

TEST(Win32Files, KindsAndChecksOfPaths)
{
    TTempDir dir;
    WriteBytes(dir.File("file"), "content");
    WriteBytes(dir.File("other"), "content");
    fs::create_directory(FsPath(dir.File("folder")));
    auto& files = SystemFiles();
    const struct {
        std::string path;
        TPathKind kind;
        bool readable;
    } cases[] = {
        {dir.File("file"), TPathKind::File, true},
        {dir.File("folder"), TPathKind::Folder, false}, // a folder is no input, as on POSIX
        {dir.File("none"), TPathKind::None, false},
        {"NUL", TPathKind::Other, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(files.Kind(c.path), c.kind) << c.path;
        EXPECT_EQ(files.CanOpenForReading(c.path), c.readable) << c.path;
    }
    // By volume and file index: two files of one folder are never the same file.
    EXPECT_TRUE(files.SameFile(dir.File("file"), dir.Path() + "/./file"));
    EXPECT_TRUE(files.SameFile(dir.File("file"), dir.Path() + "\\folder\\..\\FILE"));
    EXPECT_FALSE(files.SameFile(dir.File("file"), dir.File("other")));
    EXPECT_FALSE(files.SameFile(dir.File("file"), dir.File("folder")));
    EXPECT_FALSE(files.SameFile(dir.File("none"), dir.File("none")));

    EXPECT_TRUE(files.CreateEmpty(dir.File("file")));
    EXPECT_EQ(ReadBytes(dir.File("file")), "");
    EXPECT_FALSE(files.CreateEmpty(dir.File("folder")));
    EXPECT_FALSE(files.CreateEmpty(dir.File("no\\new")));
}

TEST(Win32Files, FilesAreBinaryAndOutputsWholeOrEmpty)
{
    TTempDir dir;
    auto& files = SystemFiles();
    // Text mode would write CR LF for LF and stop reading at Ctrl-Z.
    const std::string bytes = std::string("a\nb\r\n\x1A"
                                          "c\0d",
                                          9);
    files.WriteAll(dir.File("bin"), bytes);
    EXPECT_EQ(ReadBytes(dir.File("bin")), bytes);
    EXPECT_EQ(files.ReadAll(dir.File("bin")), bytes);

    WriteBytes(dir.File("kept"), "old");
    files.OpenOutput(dir.File("kept")).reset();
    EXPECT_EQ(ReadBytes(dir.File("kept")), "old") << "an output never written touches nothing";
    auto out = files.OpenOutput(dir.File("out"));
    out->Write("first\n");
    out->Write(bytes);
    out->Finish();
    out.reset();
    EXPECT_EQ(ReadBytes(dir.File("out")), "first\n" + bytes);
    out = files.OpenOutput(dir.File("out"));
    out->Write("part of a new text");
    out.reset();
    EXPECT_EQ(ReadBytes(dir.File("out")), "") << "dropped unfinished: empty, not torn";
}

TEST(Win32Files, LongPathsAndThePrefixWork)
{
    TTempDir dir;
    auto& files = SystemFiles();
    const std::string folder = LongFolder(dir.Path());
    const std::string file = Platform::JoinPath(folder, "長い 名前.txt");
    ASSERT_GT(file.size(), 260u);
    files.WriteAll(file, "long");
    EXPECT_EQ(files.Kind(file), TPathKind::File);
    EXPECT_EQ(files.Kind(folder), TPathKind::Folder);
    EXPECT_EQ(files.ReadAll(file), "long");
    files.Replace(file, "replaced");
    EXPECT_EQ(files.ReadAll(file), "replaced");
    EXPECT_EQ(TempFilesIn("\\\\?\\" + folder, "長い"), 0);
    auto out = files.OpenOutput(file);
    out->Write("output");
    out->Finish();
    EXPECT_EQ(files.ReadAll(file), "output");

    // The same file named with the prefix, short and long.
    const std::string shortFile = dir.File("short.txt");
    files.WriteAll("\\\\?\\" + shortFile, "prefixed");
    EXPECT_EQ(files.ReadAll(shortFile), "prefixed");
    EXPECT_TRUE(files.SameFile(shortFile, "\\\\?\\" + shortFile));
    EXPECT_TRUE(files.SameFile(file, "\\\\?\\" + file));
    EXPECT_EQ(files.ReadAll("\\\\?\\" + file), "output");
}

TEST(Win32Files, AWordListHeldWithoutSharingIsUnreadable)
{
    // The Windows counterpart of a word list without read permission.
    TProgramFolder folder("");
    WriteBytes(folder.File("vc6.sp2"), "x\r\n");
    WriteBytes(folder.File("in.src"), "x");
    THeldFile held(folder.File("vc6.sp2"), 0);
    ASSERT_TRUE(held.Valid());
    TTextReader source(folder.File("in.src"));
    EXPECT_THROW(CreateTokenReader(source, "vc6"), TFileError);
}

TEST(Win32Settings, AReadOnlyColorTxtIsReportedAndKept)
{
    TProgramFolder folder;
    const std::string color = folder.File("color.txt");
    const std::string before = ReadBytes(color);
    SetReadOnly(color, true);
    std::string error;
    {
        TColorSettingList list;
        list.Item(0)->Italic = !list.Item(0)->Italic;
        error = ErrorOf([&] { list.Save(); });
    }
    SetReadOnly(color, false);
    EXPECT_EQ(error,
              "ファイルに書き込めません: " + color + ": " + Reason(TFileReason::AccessDenied));
    EXPECT_EQ(ReadBytes(color), before);
    EXPECT_EQ(TempFilesIn(folder.Path(), "color.txt"), 0);
}

TEST(Win32Settings, UnchangedSettingsAreLeftAloneWhereNoChangeIsAllowed)
{
    TProgramFolder folder;
    const std::string color = folder.File("color.txt");
    const std::string before = ReadBytes(color);
    EXPECT_TRUE(Platform::SystemFiles().CanReplace(color));
    EXPECT_TRUE(Platform::SystemFiles().CanReplace(folder.File("new.key")));
    SetReadOnly(color, true);
    EXPECT_FALSE(Platform::SystemFiles().CanReplace(color));
    EXPECT_EQ(ErrorOf([&] { Platform::SystemFiles().Replace(color, before); }), "");
    SetReadOnly(color, false);
    EXPECT_EQ(ReadBytes(color), before);
    EXPECT_EQ(TempFilesIn(folder.Path(), "color.txt"), 0);
    EXPECT_EQ(TempFilesIn(folder.Path(), "new.key"), 0);
}

TEST(Win32Paths, TypedNamesLoseOnePairOfSurroundingQuotes)
{
    const struct {
        const char* typed;
        const char* name;
    } cases[] = {
        {"\"C:\\a b\\in.c\"", "C:\\a b\\in.c"},
        {"C:\\in.c", "C:\\in.c"},
        {"\"\"in.c\"\"", "\"in.c\""},
        {"\"in.c", "\"in.c"},
        {"in.c\"", "in.c\""},
        {" \"in.c\"", " \"in.c\""},
        {"\"", "\""},
        {"\"\"", ""},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Platform::TypedFileName(c.typed), c.name) << c.typed;
}

TEST(Win32Settings, ReplaceWhileAnotherHandleHasColorTxtOpen)
{
    TProgramFolder folder;
    const std::string color = folder.File("color.txt");
    const std::string before = ReadBytes(color);
    auto toggle = [] {
        TColorSettingList list;
        list.Item(0)->Italic = !list.Item(0)->Italic;
        std::string error = ErrorOf([&] { list.Save(); });
        return error;
    };
    {
        // A reader that allows deleting (as this program reads): the file is replaced; the
        // reader keeps the old content.
        THeldFile reader(color, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
        ASSERT_TRUE(reader.Valid());
        EXPECT_EQ(toggle(), "");
        EXPECT_NE(ReadBytes(color), before);
        EXPECT_EQ(reader.Read(), before);
    }
    const std::string saved = ReadBytes(color);
    {
        // A reader that does not allow it (the C runtime's default): the save fails, naming the
        // file, and the file stays whole.
        THeldFile reader(color, FILE_SHARE_READ | FILE_SHARE_WRITE);
        ASSERT_TRUE(reader.Valid());
        EXPECT_EQ(toggle(),
                  "ファイルに書き込めません: " + color + ": " + Reason(TFileReason::Busy));
        EXPECT_EQ(ReadBytes(color), saved);
    }
    EXPECT_EQ(TempFilesIn(folder.Path(), "color.txt"), 0);
}

TEST(Win32Batch, RunsFromAJapaneseFolderOnJapaneseNamesWithSpaces)
{
    TTempDir dir;
    const std::string programFolder = dir.File("プログラム フォルダー");
    const std::string work = dir.File("作業 café");
    fs::create_directory(FsPath(programFolder));
    fs::create_directory(FsPath(work));
    for (const auto& entry : fs::directory_iterator(CORVINA_DATA_DIR))
        fs::copy_file(entry.path(), FsPath(programFolder) / entry.path().filename());
    const std::string exe = Platform::JoinPath(programFolder, "corvina.exe");
    fs::copy_file(CORVINA_EXE, FsPath(exe));
    WriteBytes(Platform::JoinPath(programFolder, "color.txt"),
               Sjis(u"予約語,res,255,0xFFFFFF,0,0,1\n"));
    const std::string in = Platform::JoinPath(work, "入力 ファイル é.c");
    WriteBytes(in, "int a;\n");
    const std::string out = Platform::JoinPath(work, "出力 1.html");
    std::string err;
    EXPECT_EQ(RunCorvina({"vc7", in, out}, &err, exe), 0) << err;
    EXPECT_EQ(err, "");
    EXPECT_NE(ReadBytes(out).find("int"), std::string::npos);
    EXPECT_TRUE(Exists(Platform::JoinPath(work, "design.css")));
    EXPECT_EQ(ReadBytes(Platform::JoinPath(programFolder, "color.txt")),
              Sjis(u"予約語,res,0x0000FF,0xFFFFFF,0,0,1\r\n"));

    // The same through "\\?\" paths and a long output folder.
    const std::string longWork = LongFolder(work);
    const std::string longOut = Platform::JoinPath(longWork, "出力.html");
    EXPECT_EQ(RunCorvina({"vc7", "\\\\?\\" + in, longOut}, &err, exe), 0) << err;
    EXPECT_NE(SystemFiles().ReadAll(longOut).find("int"), std::string::npos);
    EXPECT_EQ(SystemFiles().Kind(Platform::JoinPath(longWork, "design.css")), TPathKind::File);
}

TEST(Win32MessageBox, RedirectedStderrGetsCodePage932WithCrLf)
{
    TProgramFolder folder;
    const std::string programFolder = folder.File("é フォルダー");
    fs::create_directory(FsPath(programFolder));
    const std::string exe = Platform::JoinPath(programFolder, "corvina.exe");
    fs::copy_file(CORVINA_EXE, FsPath(exe));
    WriteBytes(Platform::JoinPath(programFolder, "color.txt"), ReadBytes(folder.File("color.txt")));
    WriteBytes(folder.File("in.c"), "x");
    TChild child(exe, {"txt", folder.File("in.c"), folder.File("o.html")}, folder.File("err.txt"));
    EXPECT_EQ(child.Wait(), 1);
    // The message names the missing design.css in a folder whose "é" code page 932 cannot
    // hold: it is written "?", never a look-alike.
    std::string expected =
        "エラー: ファイルを開けません: " + Platform::JoinPath(programFolder, "design.css") + ": " +
        Reason(TFileReason::NotFound) + "\r\n";
    std::string bytes = ReadBytes(folder.File("err.txt"));
    EXPECT_EQ(bytes, Sjis(CodePage::FromUtf8(expected)));
    EXPECT_NE(bytes.find("\\? "), std::string::npos) << bytes;
}

TEST(Win32Paths, BothSeparatorsAndTheProgramFolder)
{
    const struct {
        const char* path;
        const char* folder;
    } cases[] = {
        {"a\\b\\c.txt", "a\\b"}, {"a/b\\c.txt", "a/b"}, {"a\\b/c.txt", "a\\b"},
        {"C:\\c.txt", "C:"},     {"c.txt", ""},         {"\\\\?\\C:\\d\\e.txt", "\\\\?\\C:\\d"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Platform::ExtractFileDir(c.path), c.folder) << c.path;
    EXPECT_EQ(Platform::JoinPath("C:\\x", "z.txt"), "C:\\x\\z.txt");
    std::string own = Platform::ExecutableFolder();
    EXPECT_TRUE(fs::is_directory(FsPath(own))) << own;
    EXPECT_NE(own.find('\\'), std::string::npos) << own;
    EXPECT_TRUE(fs::exists(FsPath(Platform::JoinPath(own, "corvina_tests.exe")))) << own;
}
