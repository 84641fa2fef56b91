// The POSIX platform layer: Japanese reasons for the common file errors, what real failures of
// the disk leave behind, the path rules and the default message box.
#include "Testsystem.h"
#include "Testutil.h"
#include "platform/PosixReasons.h"
#include "platform/Process.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace TestUtil;
using Platform::SystemFiles;
using Platform::TFileReason;
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

// Writes past bytes fail with "file too large" while the object lives, as on a full quota.
class TFileSizeLimit {
public:
    explicit TFileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &Saved);
        OldSignal = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = Saved;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~TFileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &Saved);
        std::signal(SIGXFSZ, OldSignal);
    }
    TFileSizeLimit(const TFileSizeLimit&) = delete;
    TFileSizeLimit& operator=(const TFileSizeLimit&) = delete;

private:
    rlimit Saved{};
    void (*OldSignal)(int) = nullptr;
};

// Whether a descriptor of this process is open on path's file.
bool HeldOpen(const std::string& path)
{
    struct stat file;
    if (::stat(path.c_str(), &file) != 0)
        return false;
    for (const auto& entry : fs::directory_iterator("/proc/self/fd")) {
        struct stat st;
        if (::stat(entry.path().c_str(), &st) == 0 && st.st_dev == file.st_dev &&
            st.st_ino == file.st_ino)
            return true;
    }
    return false;
}

size_t EntriesIn(const std::string& folder)
{
    size_t count = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder))
        ++count;
    return count;
}

} // namespace

TEST(FileReason, CommonErrorsHaveJapaneseReasonsAndTheRestTheSystemsText)
{
    // The table of the code, through the message a failure gives; a code listed twice would
    // never reach its second row.
    using Platform::Posix::ErrnoReasons;
    auto listed = [](int code) {
        return std::count_if(std::begin(ErrnoReasons), std::end(ErrnoReasons),
                             [code](const auto& row) { return row.Code == code; });
    };
    for (const auto& row : ErrnoReasons) {
        EXPECT_EQ(listed(row.Code), 1) << row.Code;
        errno = row.Code;
        TFileError error = Platform::FileError("ファイルを開けません", "/a/b.txt");
        EXPECT_EQ(error.what(), "ファイルを開けません: /a/b.txt: " + Reason(row.Reason))
            << row.Code;
    }
    for (int code = 1; code < 256; ++code) {
        if (listed(code) != 0)
            continue;
        std::string expected = std::string("m: p: ") + std::strerror(code);
        errno = code;
        EXPECT_EQ(Platform::FileError("m", "p").what(), expected) << code;
    }
}

TEST(FileReason, EveryReasonHasItsOwnText)
{
    std::vector<std::string> seen;
    for (int i = 0; i <= static_cast<int>(TFileReason::NotRegularFile); ++i) {
        std::string text = Reason(static_cast<TFileReason>(i));
        EXPECT_FALSE(text.empty()) << i;
        EXPECT_EQ(std::count(seen.begin(), seen.end(), text), 0) << i << " " << text;
        seen.push_back(text);
    }
}

TEST(PosixFiles, FailuresNameThePathAndTheReason)
{
    TTempDir dir;
    WriteBytes(dir.File("file"), "x");
    fs::create_directory(dir.File("folder"));
    ASSERT_EQ(::mkfifo(dir.File("pipe").c_str(), 0600), 0);
    auto& files = SystemFiles();
    const std::string missing = dir.File("no/x");
    const std::string longName = dir.File(std::string(300, 'a'));
    const struct {
        const char* name;
        std::function<void()> op;
        std::string expected;
    } cases[] = {
        {"read missing", [&] { files.ReadAll(missing); },
         "ファイルを開けません: " + missing + ": " + Reason(TFileReason::NotFound)},
        {"read folder", [&] { files.ReadAll(dir.File("folder")); },
         "ファイルを開けません: " + dir.File("folder") + ": " + Reason(TFileReason::IsFolder)},
        {"read through a file", [&] { files.ReadAll(dir.File("file/x")); },
         "ファイルを開けません: " + dir.File("file/x") + ": " + Reason(TFileReason::NotFolder)},
        {"write in missing folder", [&] { files.WriteAll(missing, "a"); },
         "ファイルを作成できません: " + missing + ": " + Reason(TFileReason::NotFound)},
        {"write folder", [&] { files.WriteAll(dir.File("folder"), "a"); },
         "ファイルを作成できません: " + dir.File("folder") + ": " + Reason(TFileReason::IsFolder)},
        {"write long name", [&] { files.WriteAll(longName, "a"); },
         "ファイルを作成できません: " + longName + ": " + Reason(TFileReason::NameTooLong)},
        {"replace folder", [&] { files.Replace(dir.File("folder"), "a"); },
         "ファイルを作成できません: " + dir.File("folder") + ": " + Reason(TFileReason::IsFolder)},
        {"replace in missing folder", [&] { files.Replace(missing, "a"); },
         "ファイルを作成できません: " + missing + ": " + Reason(TFileReason::NotFound)},
        {"output in missing folder", [&] { files.OpenOutput(missing)->Write("a"); },
         "ファイルを作成できません: " + missing + ": " + Reason(TFileReason::NotFound)},
        {"optional folder", [&] { Platform::IsOptionalFile(dir.File("folder")); },
         "ファイルを開けません: " + dir.File("folder") + ": " + Reason(TFileReason::IsFolder)},
        {"optional pipe", [&] { Platform::IsOptionalFile(dir.File("pipe")); },
         "ファイルを開けません: " + dir.File("pipe") + ": " + Reason(TFileReason::NotRegularFile)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ErrorOf(c.op), c.expected) << c.name;
    EXPECT_EQ(EntriesIn(dir.Path()), 3u) << "nothing left behind";
}

TEST(PosixFiles, KindsAndChecksOfPaths)
{
    TTempDir dir;
    WriteBytes(dir.File("file"), "content");
    fs::create_directory(dir.File("folder"));
    fs::create_symlink(dir.File("file"), dir.File("link"));
    ASSERT_EQ(::mkfifo(dir.File("pipe").c_str(), 0600), 0);
    auto& files = SystemFiles();
    using Platform::TPathKind;
    const struct {
        const char* name;
        TPathKind kind;
        bool readable;
    } cases[] = {
        {"file", TPathKind::File, true},     {"link", TPathKind::File, true},
        {"folder", TPathKind::Folder, true}, {"pipe", TPathKind::Other, true},
        {"none", TPathKind::None, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(files.Kind(dir.File(c.name)), c.kind) << c.name;
        // A pipe without a writer must not block the check.
        EXPECT_EQ(files.CanOpenForReading(dir.File(c.name)), c.readable) << c.name;
    }
    EXPECT_TRUE(Platform::IsOptionalFile(dir.File("link")));
    EXPECT_FALSE(Platform::IsOptionalFile(dir.File("none")));

    EXPECT_TRUE(files.SameFile(dir.File("file"), dir.File("link")));
    EXPECT_TRUE(files.SameFile(dir.File("file"), dir.Path() + "/./file"));
    EXPECT_FALSE(files.SameFile(dir.File("file"), dir.File("folder")));
    EXPECT_FALSE(files.SameFile(dir.File("none"), dir.File("none")));

    EXPECT_TRUE(files.CreateEmpty(dir.File("file")));
    EXPECT_EQ(ReadBytes(dir.File("file")), "");
    EXPECT_TRUE(files.CreateEmpty(dir.File("new")));
    EXPECT_TRUE(fs::is_regular_file(dir.File("new")));
    EXPECT_FALSE(files.CreateEmpty(dir.File("folder")));
    EXPECT_FALSE(files.CreateEmpty(dir.File("no/new")));
}

TEST(PosixFiles, ALargeFileEmptiedByTheCheckIsEmptyToWhateverComesNext)
{
    // Such a file is emptied in the background; reading, writing or replacing it waits for that,
    // and an output dropped unfinished leaves it empty all the same.
    TTempDir dir;
    auto& files = SystemFiles();
    const std::string large(3 << 20, 'x');
    const std::string path = dir.File("large");
    const std::function<void()> next[] = {
        [&] { EXPECT_EQ(files.ReadAll(path), ""); },
        [&] {
            files.WriteAll(path, "new");
            EXPECT_EQ(ReadBytes(path), "new");
        },
        [&] {
            auto out = files.OpenOutput(path);
            out->Write("ne");
            out->Write("w");
            out->Finish();
            EXPECT_EQ(ReadBytes(path), "new");
        },
        [&] {
            files.OpenOutput(path)->Write("torn");
            EXPECT_EQ(files.ReadAll(path), "");
        },
        [&] {
            files.Replace(path, "new");
            EXPECT_EQ(ReadBytes(path), "new");
        },
        [&] { EXPECT_TRUE(files.CreateEmpty(path)); },
    };
    // A use that skipped its wait shows in most rounds, not in every one.
    for (int round = 0; round < 3; ++round) {
        for (const auto& step : next) {
            WriteBytes(path, large);
            ASSERT_TRUE(files.CreateEmpty(path));
            step();
            EXPECT_LE(fs::file_size(path), 3u);
            EXPECT_FALSE(HeldOpen(path)) << "the emptying is over when the next use of it is";
        }
    }
    // One file at a time: emptying a second one waits for the first.
    const std::string other = dir.File("other");
    WriteBytes(path, large);
    WriteBytes(other, large);
    ASSERT_TRUE(files.CreateEmpty(path));
    ASSERT_TRUE(files.CreateEmpty(other));
    EXPECT_FALSE(HeldOpen(path));
}

TEST(PosixFiles, OutputAppearsWholeOnFinishAndEmptyWhenDropped)
{
    TTempDir dir;
    auto& files = SystemFiles();
    WriteBytes(dir.File("kept"), "old");
    files.OpenOutput(dir.File("kept")).reset();
    EXPECT_EQ(ReadBytes(dir.File("kept")), "old") << "an output never written touches nothing";

    auto out = files.OpenOutput(dir.File("out"));
    out->Write("first ");
    out->Write("");
    out->Write("second");
    out->Finish();
    out.reset();
    EXPECT_EQ(ReadBytes(dir.File("out")), "first second");

    out = files.OpenOutput(dir.File("out"));
    out->Write("part of a new text");
    out.reset();
    EXPECT_EQ(ReadBytes(dir.File("out")), "") << "dropped unfinished: empty, not torn";

    // Over a longer file nothing of the old text is left; a device takes the output as it is.
    WriteBytes(dir.File("long"), "a much longer old text");
    out = files.OpenOutput(dir.File("long"));
    out->Write("new");
    out->Finish();
    EXPECT_EQ(ReadBytes(dir.File("long")), "new");
    out = files.OpenOutput("/dev/null");
    out->Write("new");
    EXPECT_NO_THROW(out->Finish());
}

TEST(PosixFiles, AFileTooLargeForTheDiskIsLeftEmptyOrAsItWas)
{
    TTempDir dir;
    auto& files = SystemFiles();
    const std::string big(10000, 'x');
    const std::string tooLarge = ": " + Reason(TFileReason::FileTooLarge);
    WriteBytes(dir.File("whole"), "old");
    WriteBytes(dir.File("grown"), "old");
    WriteBytes(dir.File("replaced"), "old content");
    std::string whole, grown, replaced;
    {
        TFileSizeLimit limit(4096);
        whole = ErrorOf([&] { files.WriteAll(dir.File("whole"), big); });
        auto out = files.OpenOutput(dir.File("grown"));
        out->Write(big.substr(0, 3000));
        grown = ErrorOf([&] { out->Write(big.substr(0, 3000)); });
        replaced = ErrorOf([&] { files.Replace(dir.File("replaced"), big); });
    }
    EXPECT_EQ(whole, "ファイルに書き込めません: " + dir.File("whole") + tooLarge);
    EXPECT_EQ(ReadBytes(dir.File("whole")), "");
    EXPECT_EQ(grown, "ファイルに書き込めません: " + dir.File("grown") + tooLarge);
    EXPECT_EQ(ReadBytes(dir.File("grown")), "");
    EXPECT_EQ(replaced, "ファイルに書き込めません: " + dir.File("replaced") + tooLarge);
    EXPECT_EQ(ReadBytes(dir.File("replaced")), "old content");
    EXPECT_EQ(EntriesIn(dir.Path()), 3u) << "no temporary file left";
}

TEST(PosixFiles, ReplaceOfANewFileFollowsTheUmask)
{
    TTempDir dir;
    mode_t old = ::umask(027);
    SystemFiles().Replace(dir.File("new"), "a");
    ::umask(old);
    struct stat st;
    ASSERT_EQ(::stat(dir.File("new").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(ReadBytes(dir.File("new")), "a");
}

TEST(PosixFiles, ReplaceLeavesAFileThatAlreadyHoldsTheBytesAlone)
{
    const struct {
        const char* name;
        std::string held;
        std::string bytes;
        bool kept;
    } cases[] = {
        {"the same bytes", "a,b\r\n", "a,b\r\n", true},
        {"empty and empty", "", "", true},
        {"other bytes of the same size", "a,b\r\n", "a,c\r\n", false},
        {"the held bytes longer", "a,b\r\nc", "a,b\r\n", false},
        {"the held bytes shorter", "a,b", "a,b\r\n", false},
    };
    for (const auto& c : cases) {
        for (bool viaLink : {false, true}) {
            TTempDir dir;
            std::string target = dir.File("target.txt");
            std::string path = viaLink ? dir.File("link.txt") : target;
            WriteBytes(target, c.held);
            if (viaLink)
                fs::create_symlink(target, path);
            unsigned long long before = FileIdentity(target);
            SystemFiles().Replace(path, c.bytes);
            EXPECT_EQ(ReadBytes(target), c.bytes) << c.name << viaLink;
            EXPECT_EQ(FileIdentity(target) == before, c.kept) << c.name << viaLink;
            EXPECT_EQ(fs::is_symlink(path), viaLink) << c.name;
            EXPECT_EQ(EntriesIn(dir.Path()), viaLink ? 2u : 1u) << c.name;
        }
    }
}

TEST(PosixFiles, AFolderThatTakesNoFileServesUnchangedBytesAndRefusesOthers)
{
    // A shared install: settings nobody changed are left as they are; a change is refused.
    TTempDir dir;
    std::string folder = dir.File("locked");
    fs::create_directory(folder);
    std::string color = Platform::JoinPath(folder, "color.txt");
    WriteBytes(color, "same");
    EXPECT_TRUE(SystemFiles().CanReplace(color));
    EXPECT_TRUE(SystemFiles().CanReplace(Platform::JoinPath(folder, "new.key")));
    EXPECT_EQ(EntriesIn(folder), 1u) << "the check leaves nothing behind";
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read |
                                fs::perms::others_exec);
    fs::permissions(dir.Path(), fs::perms::others_read | fs::perms::others_exec,
                    fs::perm_options::add);
    auto attempt = [&] {
        if (!DropSuperuser())
            std::_Exit(2);
        bool ok = !SystemFiles().CanReplace(color) &&
                  ErrorOf([&] { SystemFiles().Replace(color, "same"); }).empty() &&
                  ErrorOf([&] {
                      SystemFiles().Replace(color, "other");
                  }).starts_with("ファイルを作成できません: ");
        std::_Exit(ok ? 0 : 1);
    };
    EXPECT_EXIT(attempt(), ::testing::ExitedWithCode(0), "");
    fs::permissions(folder, fs::perms::owner_all);
    EXPECT_EQ(ReadBytes(color), "same");
}

TEST(PosixPaths, FolderPartJoinAndTypedNames)
{
    const struct {
        const char* path;
        const char* folder;
    } cases[] = {
        {"a/b/c.txt", "a/b"}, {"/c.txt", "/"}, {"c.txt", ""},
        {"a/", "a"},          {"", ""},        {"/a/b/", "/a/b"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Platform::ExtractFileDir(c.path), c.folder) << c.path;
    EXPECT_EQ(Platform::JoinPath("/x/y", "z.txt"), "/x/y/z.txt");
    // A double quote is a letter of a POSIX name.
    for (const char* typed : {"\"in.c\"", "\"", "in.c"})
        EXPECT_EQ(Platform::TypedFileName(typed), typed);
}

TEST(PosixPaths, ProgramFolderIsTheExecutablesUnlessATestSetsOne)
{
    std::string own = Platform::ExecutableFolder();
    EXPECT_TRUE(fs::path(own).is_absolute() && fs::is_directory(own)) << own;
    Platform::SetProgramFolder("/elsewhere");
    EXPECT_EQ(Platform::ProgramFile("color.txt"), "/elsewhere/color.txt");
    Platform::SetProgramFolder("");
    EXPECT_EQ(Platform::ProgramFolder(), own);
}

TEST(PosixMessageBox, WithoutAHandlerTheMessageIsOneLineOnStderr)
{
    Platform::TMessageBoxHandler previous = Platform::SetMessageBoxHandler(nullptr);
    ::testing::internal::CaptureStderr();
    Platform::ShowError("ファイルが見つかりません");
    std::string err = ::testing::internal::GetCapturedStderr();
    Platform::SetMessageBoxHandler(std::move(previous));
    EXPECT_EQ(err, "エラー: ファイルが見つかりません\n");
}

TEST(PosixProcess, AWindowModuleThatDoesNotLoadIsExplained)
{
    TTempDir dir;
    WriteBytes(dir.File("empty.so"), "");
    const std::string libc = "/lib/x86_64-linux-gnu/libc.so.6";
    struct Row {
        std::string Path;
        std::string Entry;
        std::string ErrorHas;
    } rows[] = {
        {dir.File("missing.so"), "Run", "missing.so: " + Reason(TFileReason::NotFound)},
        {dir.File("empty.so"), "Run", "empty.so"},
        {libc, "NoSuchEntry", libc + ": 関数 NoSuchEntry がありません"},
    };
    for (const Row& row : rows) {
        if (row.Path == libc && !fs::exists(libc))
            continue;
        std::string error;
        EXPECT_EQ(Platform::LoadWindowModule(row.Path, row.Entry, error), nullptr) << row.Path;
        EXPECT_NE(error.find(row.ErrorHas), std::string::npos) << error;
    }
}
