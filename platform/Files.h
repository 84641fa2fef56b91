// Files: the file operations of the program behind one interface; the system's unless a test
// installs another (an in-memory or fault-injecting one, which live under tests/).
#pragma once

#include <cstddef>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

// A file operation that failed; the message names the path and the reason, in Japanese for the
// common reasons. Paths and messages are UTF-8; file contents are code page 932.
class TFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

namespace Platform {

// What a path names.
enum class TPathKind { None, File, Folder, Other };

// A file written in parts as they are made. The first Write creates or truncates the file;
// nothing touches it before. A failed write, or an object dropped before Finish, leaves the
// file empty rather than torn.
class TOutputStream {
public:
    virtual ~TOutputStream() = default;
    // Throws TFileError.
    virtual void Write(std::string_view data) = 0;
    // Closes the file; nothing is written after this. Throws TFileError.
    virtual void Finish() = 0;
};

class TFileSystem {
public:
    virtual ~TFileSystem() = default;
    virtual TPathKind Kind(const std::string& path) = 0;
    // The whole file as bytes. Throws TFileError.
    virtual std::string ReadAll(const std::string& path) = 0;
    // Creates or truncates path and writes bytes; a short write leaves the file empty. Throws.
    virtual void WriteAll(const std::string& path, std::string_view bytes) = 0;
    // Replaces path as a whole (settings files): readers see the old or the new content, never a
    // torn one; an existing file keeps its permissions. A file that already holds exactly bytes
    // is left untouched, so that settings nobody changed are never written, and a folder that
    // takes no writes still serves them. Throws TFileError.
    void Replace(const std::string& path, std::string_view bytes);
    // A file written as it grows (the conversion's output). Does not touch the file yet.
    virtual std::unique_ptr<TOutputStream> OpenOutput(const std::string& path) = 0;
    // True when both paths name the same existing file.
    virtual bool SameFile(const std::string& a, const std::string& b) = 0;
    // Whether path opens for reading; the file is closed again at once.
    virtual bool CanOpenForReading(const std::string& path) = 0;
    // Creates path or empties it; false when it cannot be opened for writing. Throws TFileError
    // when it opened but could not be closed.
    virtual bool CreateEmpty(const std::string& path) = 0;
    // Whether a replacement of path could go through: its folder takes a new file and an
    // existing file there may be changed. Nothing is left behind.
    virtual bool CanReplace(const std::string& path) = 0;

protected:
    // Replace's writing part: the new bytes in place of path in one step. Throws TFileError.
    virtual void ReplaceWhole(const std::string& path, std::string_view bytes) = 0;
};

// The file system in use: the system's, unless a test installed another.
TFileSystem& Files();
// Tests only: installs fs (not owned); nullptr restores the system's.
void InstallFiles(TFileSystem* fs);
// The system's own file system (POSIX or Win32), which test file systems may pass calls to.
TFileSystem& SystemFiles();

// True when path names an existing regular file (a folder is no file).
inline bool IsFile(const std::string& path) { return Files().Kind(path) == TPathKind::File; }
// For a settings file that may be missing: true for a regular file, false when nothing is
// there; anything else of that name (a folder) throws TFileError naming the path.
bool IsOptionalFile(const std::string& path);

// The messages of failed file operations; the path and the reason follow them.
namespace FileMessage {
inline constexpr std::string_view CannotOpen = "ファイルを開けません";
inline constexpr std::string_view CannotRead = "ファイルを読み込めません";
inline constexpr std::string_view CannotCreate = "ファイルを作成できません";
inline constexpr std::string_view CannotWrite = "ファイルに書き込めません";
inline constexpr std::string_view CannotClose = "ファイルを閉じられません";
} // namespace FileMessage

// The common reasons a file operation fails; each system maps its error codes to them and
// falls back to its own text for the rest.
enum class TFileReason {
    NotFound,
    AccessDenied,
    IsFolder,
    NotFolder,
    DiskFull,
    ReadOnlyFileSystem,
    NameTooLong,
    FileTooLarge,
    TooManyOpenFiles,
    InputOutput,
    Busy,
    NotRegularFile,
};
// The reason in Japanese, as it follows the path in a message.
std::string_view ReasonText(TFileReason reason);

// "message: path: reason" for the system's last error (errno, GetLastError).
TFileError FileError(std::string_view message, const std::string& path);
// "message: path: reason" with the reason given.
TFileError FileError(std::string_view message, const std::string& path, std::string_view reason);

// A hint for a large buffer about to be filled: back it with huge pages where the system offers
// them. Does nothing for small buffers or where the system has no such thing.
void AdviseLargeBuffer(void* data, size_t size);

} // namespace Platform
