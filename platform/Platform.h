// Platform: the operating-system layer: files, paths, program folder and the message box.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

// A file operation that failed; the message names the path and the system's reason.
// Paths and messages are in the system's encoding (UTF-8); file contents are code page 932.
class TFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

namespace Platform {

// A file written in parts as they are made. The first Write creates or truncates it; a failed
// write, or an object dropped before Finish, leaves it empty rather than torn.
class TOutputFile {
public:
    explicit TOutputFile(std::string path);
    ~TOutputFile();
    TOutputFile(const TOutputFile&) = delete;
    TOutputFile& operator=(const TOutputFile&) = delete;

    // Throws TFileError.
    void Write(std::string_view data);
    // Closes the file; nothing is written after this. Throws TFileError.
    void Finish();

private:
    std::string Path;
    int Fd = -1;
    // Bytes the injected write fault still allows, or -1.
    long long Budget = -1;
    bool Started = false;
    bool InMemory = false;
    std::string MemoryData;

    [[noreturn]] void Fail();
};

// The folder of the running executable, unless a test has set another one.
std::string ProgramFolder();
void SetProgramFolder(const std::string& folder);

// folder + separator + name.
std::string ProgramFile(std::string_view name);
std::string JoinPath(std::string_view folder, std::string_view name);

// The folder part of a path, without the trailing separator; empty when there is none.
std::string ExtractFileDir(std::string_view path);

// True when path names an existing regular file (a directory is no file).
bool FileExists(const std::string& path);

// For a settings file that may be missing: true for a regular file, false when nothing is there;
// anything else of that name (a folder) throws TFileError naming the path.
bool OptionalFileExists(const std::string& path);

// True when both paths name the same existing file (same device and inode).
bool SameFile(const std::string& a, const std::string& b);

// The whole file as bytes. Throws TFileError.
std::string ReadFile(const std::string& path);

// Creates or truncates path and writes data. A short write is an error, after which the file is
// left empty rather than torn. Throws TFileError.
void WriteFile(const std::string& path, std::string_view data);

// Replaces path as a whole: data goes to a temporary file in the same folder, which is flushed
// and renamed over path, keeping its permissions. Readers see the old or the new file, never a
// torn one. Throws TFileError.
void ReplaceFile(const std::string& path, std::string_view data);

// A hint for a large buffer about to be filled: back it with huge pages where the system offers
// them, so filling it takes few page faults. Does nothing for small buffers.
void AdviseLargeBuffer(void* data, size_t size);

// "message: path: reason" for the current errno.
TFileError FileError(std::string_view message, const std::string& path);

// Test seam: the next write through WriteFile or ReplaceFile fails after this many bytes; with a
// path, the next write of that path. A negative value switches the fault off.
void SetWriteFault(long long bytesBeforeFailure, const std::string& path = {});

// Test seam: every ReadFile of path fails as an unreadable file does. Empty switches it off.
void SetReadFault(const std::string& path);

// Test seam: files under folder live in memory. FileExists, ReadFile, WriteFile and ReplaceFile
// use a map for any path that starts with folder and a separator, and never touch the disk.
// An empty folder switches the seam off and forgets the files.
void SetMemoryFolder(const std::string& folder);
void PutMemoryFile(const std::string& path, std::string data);
void RemoveMemoryFile(const std::string& path);
// The content of a file in memory, or nullptr when there is none.
const std::string* MemoryFile(const std::string& path);

enum class TMessageIcon { Warning, Error, Information };

// The modal message box. Batch mode writes "caption: text" as one line to stderr; the window
// installs a graphical box. Texts are UTF-8.
using TMessageBoxHandler =
    std::function<void(const std::string& caption, const std::string& text, TMessageIcon icon)>;
void SetMessageBoxHandler(TMessageBoxHandler handler);
void ShowMessageBox(const std::string& caption, const std::string& text,
                    TMessageIcon icon = TMessageIcon::Warning);

// How many message boxes have been shown; a batch run that showed one has failed.
int MessageBoxCount();

// The caption of the messages the program shows itself.
inline constexpr const char* ErrorCaption = "エラー";
inline void ShowError(const std::string& text) { ShowMessageBox(ErrorCaption, text); }

} // namespace Platform
