// Win32Files: the file system of Windows through the wide API: binary handles, outputs that are
// emptied when a write fails, the same-file test by volume and file index, and atomic
// replacement of settings through a flushed temporary file moved over the old one.
#include "platform/Files.h"
#include "platform/Paths.h"
#include "platform/Win32Text.h"

#include <windows.h>

#include <atomic>

namespace Platform {
namespace {

using Win32::WidePath;

struct TErrorRow {
    DWORD Code;
    TFileReason Reason;
};

constexpr TErrorRow ErrorReasons[] = {
    {ERROR_FILE_NOT_FOUND, TFileReason::NotFound},
    {ERROR_PATH_NOT_FOUND, TFileReason::NotFound},
    {ERROR_BAD_NETPATH, TFileReason::NotFound},
    {ERROR_INVALID_DRIVE, TFileReason::NotFound},
    {ERROR_ACCESS_DENIED, TFileReason::AccessDenied},
    {ERROR_DIRECTORY, TFileReason::NotFolder},
    {ERROR_DISK_FULL, TFileReason::DiskFull},
    {ERROR_HANDLE_DISK_FULL, TFileReason::DiskFull},
    {ERROR_WRITE_PROTECT, TFileReason::ReadOnlyFileSystem},
    {ERROR_FILENAME_EXCED_RANGE, TFileReason::NameTooLong},
    {ERROR_FILE_TOO_LARGE, TFileReason::FileTooLarge},
    {ERROR_TOO_MANY_OPEN_FILES, TFileReason::TooManyOpenFiles},
    {ERROR_CRC, TFileReason::InputOutput},
    {ERROR_IO_DEVICE, TFileReason::InputOutput},
    {ERROR_READ_FAULT, TFileReason::InputOutput},
    {ERROR_WRITE_FAULT, TFileReason::InputOutput},
    {ERROR_SHARING_VIOLATION, TFileReason::Busy},
    {ERROR_LOCK_VIOLATION, TFileReason::Busy},
    // A module (LoadLibrary) that is not there.
    {ERROR_MOD_NOT_FOUND, TFileReason::NotFound},
};

} // namespace

std::string Win32::ReasonOf(unsigned long code)
{
    for (const TErrorRow& row : ErrorReasons)
        if (row.Code == code)
            return std::string(ReasonText(row.Reason));
    return Win32::ErrorText(code);
}

namespace {

using Win32::ReasonOf;

[[noreturn]] void Throw(std::string_view message, const std::string& path, DWORD code)
{
    throw FileError(message, path, ReasonOf(code));
}

[[noreturn]] void Throw(std::string_view message, const std::string& path, TFileReason reason)
{
    throw FileError(message, path, ReasonText(reason));
}

constexpr DWORD ShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Closes the handle it holds when it goes.
class THandle {
public:
    explicit THandle(HANDLE handle = INVALID_HANDLE_VALUE) : Handle(handle) {}
    ~THandle() { Close(); }
    THandle(const THandle&) = delete;
    THandle& operator=(const THandle&) = delete;

    bool Valid() const { return Handle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return Handle; }
    // Closes now; false when closing failed.
    bool Close()
    {
        if (!Valid())
            return true;
        HANDLE handle = Handle;
        Handle = INVALID_HANDLE_VALUE;
        return CloseHandle(handle) != 0;
    }

private:
    HANDLE Handle;
};

HANDLE OpenExisting(const std::string& path, DWORD access, DWORD flags = FILE_ATTRIBUTE_NORMAL)
{
    return CreateFileW(WidePath(path).c_str(), access, ShareAll, nullptr, OPEN_EXISTING, flags,
                       nullptr);
}

// The handle of what path names, for its attributes only (a folder too; links are followed).
HANDLE OpenForQuery(const std::string& path)
{
    return OpenExisting(path, 0, FILE_FLAG_BACKUP_SEMANTICS);
}

// Creates path or opens it and cuts it to nothing, as POSIX O_TRUNC does: the file keeps its
// attributes and whatever else is attached to it.
HANDLE OpenForWriting(const std::string& path)
{
    HANDLE h = CreateFileW(WidePath(path).c_str(), GENERIC_WRITE, ShareAll, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return h;
    if (!SetEndOfFile(h)) {
        DWORD code = GetLastError();
        CloseHandle(h);
        SetLastError(code);
        return INVALID_HANDLE_VALUE;
    }
    return h;
}

// Throws for a path that did not open: a folder is named as one (the API says "access denied").
[[noreturn]] void ThrowOpenError(std::string_view message, const std::string& path)
{
    DWORD code = GetLastError();
    if (code == ERROR_ACCESS_DENIED) {
        DWORD attributes = GetFileAttributesW(WidePath(path).c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
            Throw(message, path, TFileReason::IsFolder);
    }
    Throw(message, path, code);
}

// Writes data to h whole, in pieces a DWORD can count; false (GetLastError set) on failure.
bool WriteFully(HANDLE h, std::string_view data)
{
    constexpr size_t Chunk = 1u << 30;
    size_t done = 0;
    while (done < data.size()) {
        DWORD part = static_cast<DWORD>(data.size() - done < Chunk ? data.size() - done : Chunk);
        DWORD written = 0;
        if (!WriteFile(h, data.data() + done, part, &written, nullptr))
            return false;
        if (written == 0) {
            SetLastError(ERROR_WRITE_FAULT);
            return false;
        }
        done += written;
    }
    return true;
}

// Empties h after a failed write, so no torn file is left.
void Empty(HANDLE h)
{
    LARGE_INTEGER zero{};
    if (SetFilePointerEx(h, zero, nullptr, FILE_BEGIN))
        SetEndOfFile(h);
}

class TWin32OutputStream : public TOutputStream {
public:
    explicit TWin32OutputStream(std::string path) : Path(std::move(path)) {}
    ~TWin32OutputStream() override
    {
        // Dropped unfinished: leave no torn output behind.
        if (File && File->Valid())
            Empty(File->Get());
    }
    TWin32OutputStream(const TWin32OutputStream&) = delete;
    TWin32OutputStream& operator=(const TWin32OutputStream&) = delete;

    void Write(std::string_view data) override
    {
        if (!Started) {
            Started = true;
            HANDLE h = OpenForWriting(Path);
            if (h == INVALID_HANDLE_VALUE)
                ThrowOpenError(FileMessage::CannotCreate, Path);
            File = std::make_unique<THandle>(h);
        }
        if (!File || !File->Valid())
            Throw(FileMessage::CannotWrite, Path, static_cast<DWORD>(ERROR_INVALID_HANDLE));
        if (!WriteFully(File->Get(), data)) {
            DWORD code = GetLastError();
            Empty(File->Get());
            File.reset();
            Throw(FileMessage::CannotWrite, Path, code);
        }
    }

    void Finish() override
    {
        if (!File)
            return;
        std::unique_ptr<THandle> file = std::move(File);
        if (!file->Close())
            Throw(FileMessage::CannotWrite, Path, GetLastError());
    }

private:
    std::string Path;
    std::unique_ptr<THandle> File;
    bool Started = false;
};

// A name for the temporary file beside path that no other run picks at the same time: a dot,
// the file's name, the process and a counter.
std::string TemporaryName(const std::string& path)
{
    static std::atomic<unsigned> counter{0};
    size_t separator = path.find_last_of("\\/");
    size_t nameStart = separator == std::string::npos ? 0 : separator + 1;
    std::string name = path.substr(0, nameStart);
    name += '.';
    name.append(path, nameStart);
    name += '.';
    name += std::to_string(GetCurrentProcessId());
    name += '-';
    name += std::to_string(counter++);
    return name;
}

// Whether a failed move may succeed when tried again: another program holds the file for a
// moment (a virus scanner, an indexer), or another run is replacing it at the same time.
bool Transient(DWORD code)
{
    return code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION ||
           code == ERROR_ACCESS_DENIED;
}

// Why path cannot be replaced when the move was denied: a handle that does not share deleting
// is "in use", which the move itself reports as "access denied".
DWORD DeniedReason(const std::wstring& path, DWORD code)
{
    if (code != ERROR_ACCESS_DENIED)
        return code;
    HANDLE h = CreateFileW(path.c_str(), DELETE, ShareAll, nullptr, OPEN_EXISTING,
                           FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
        CloseHandle(h);
        return code;
    }
    return GetLastError() == ERROR_SHARING_VIOLATION ? ERROR_SHARING_VIOLATION : code;
}

// Puts temp in the place of path in one rename, so that a reader finds the old file or the new
// one and never none; 0 or the error code. The new file takes the attributes of the old one.
// The rename fails while another handle has the old file open; that is tried again for a moment
// and then left to ReplaceFileW, which can replace a file that is open with FILE_SHARE_DELETE
// (but has an instant without either file, so it comes last).
DWORD MoveOver(const std::wstring& temp, const std::wstring& path)
{
    DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES)
        SetFileAttributesW(temp.c_str(),
                           attributes &
                               (FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN |
                                FILE_ATTRIBUTE_NOT_CONTENT_INDEXED | FILE_ATTRIBUTE_SYSTEM));
    constexpr DWORD Waits[] = {10, 20, 40, 80, 160, 320, 0};
    DWORD code = 0;
    for (DWORD wait : Waits) {
        if (MoveFileExW(temp.c_str(), path.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return 0;
        code = GetLastError();
        if (!Transient(code) || wait == 0)
            break;
        Sleep(wait);
    }
    if (!Transient(code))
        return code;
    if (ReplaceFileW(path.c_str(), temp.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                     nullptr))
        return 0;
    // The old file is gone and the new one still has its temporary name: give it its place.
    if (GetLastError() == ERROR_UNABLE_TO_MOVE_REPLACEMENT &&
        MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return 0;
    return DeniedReason(path, code);
}

// Whether the existing path carries the read-only attribute.
bool MarkedReadOnly(const std::string& path)
{
    DWORD attributes = GetFileAttributesW(WidePath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

class TWin32FileSystem : public TFileSystem {
public:
    TPathKind Kind(const std::string& path) override
    {
        THandle h(OpenForQuery(path));
        if (!h.Valid())
            return TPathKind::None;
        BY_HANDLE_FILE_INFORMATION info;
        if (GetFileType(h.Get()) != FILE_TYPE_DISK || !GetFileInformationByHandle(h.Get(), &info))
            return TPathKind::Other;
        return (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? TPathKind::Folder
                                                                  : TPathKind::File;
    }

    std::string ReadAll(const std::string& path) override
    {
        THandle h(OpenExisting(path, GENERIC_READ, FILE_FLAG_SEQUENTIAL_SCAN));
        if (!h.Valid())
            ThrowOpenError(FileMessage::CannotOpen, path);
        if (GetFileType(h.Get()) != FILE_TYPE_DISK)
            Throw(FileMessage::CannotOpen, path, TFileReason::NotRegularFile);
        LARGE_INTEGER size{};
        size_t expected = GetFileSizeEx(h.Get(), &size) && size.QuadPart > 0
                              ? static_cast<size_t>(size.QuadPart)
                              : 0;
        // Read straight into the result; one byte more than the size shows whether it grew.
        std::string data;
        data.resize(expected + 1);
        size_t used = 0;
        constexpr size_t Chunk = 1u << 30;
        for (;;) {
            if (used == data.size())
                data.resize(data.size() < 65536 ? 65536 : data.size() * 2);
            size_t room = data.size() - used;
            DWORD part = static_cast<DWORD>(room < Chunk ? room : Chunk);
            DWORD n = 0;
            if (!ReadFile(h.Get(), data.data() + used, part, &n, nullptr))
                Throw(FileMessage::CannotRead, path, GetLastError());
            if (n == 0)
                break;
            used += n;
        }
        data.resize(used);
        return data;
    }

    void WriteAll(const std::string& path, std::string_view bytes) override
    {
        THandle h(OpenForWriting(path));
        if (!h.Valid())
            ThrowOpenError(FileMessage::CannotCreate, path);
        if (!WriteFully(h.Get(), bytes)) {
            DWORD code = GetLastError();
            Empty(h.Get());
            Throw(FileMessage::CannotWrite, path, code);
        }
        if (!h.Close())
            Throw(FileMessage::CannotWrite, path, GetLastError());
    }

    bool CanReplace(const std::string& path) override
    {
        if (Kind(path) == TPathKind::File && MarkedReadOnly(path))
            return false;
        THandle h(CreateFileW(WidePath(TemporaryName(path)).c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_NEW, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE,
                              nullptr));
        return h.Valid();
    }

protected:
    void ReplaceWhole(const std::string& path, std::string_view bytes) override
    {
        TPathKind kind = Kind(path);
        if (kind == TPathKind::Folder)
            Throw(FileMessage::CannotCreate, path, TFileReason::IsFolder);
        // A read-only file is not to be changed; not every file system refuses the move itself.
        if (kind == TPathKind::File && MarkedReadOnly(path))
            Throw(FileMessage::CannotWrite, path, TFileReason::AccessDenied);
        std::string temp = TemporaryName(path);
        std::wstring wideTemp = WidePath(temp);
        std::wstring widePath = WidePath(path);
        THandle h(CreateFileW(wideTemp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!h.Valid())
            Throw(FileMessage::CannotCreate, path, GetLastError());
        bool ok = WriteFully(h.Get(), bytes) && FlushFileBuffers(h.Get());
        DWORD code = ok ? 0 : GetLastError();
        if (!h.Close() && ok) {
            ok = false;
            code = GetLastError();
        }
        if (ok)
            code = MoveOver(wideTemp, widePath);
        if (code != 0) {
            DeleteFileW(wideTemp.c_str());
            Throw(FileMessage::CannotWrite, path, code);
        }
    }

public:
    std::unique_ptr<TOutputStream> OpenOutput(const std::string& path) override
    {
        return std::make_unique<TWin32OutputStream>(path);
    }

    bool SameFile(const std::string& a, const std::string& b) override
    {
        THandle ha(OpenForQuery(a));
        THandle hb(OpenForQuery(b));
        BY_HANDLE_FILE_INFORMATION ia, ib;
        return ha.Valid() && hb.Valid() && GetFileInformationByHandle(ha.Get(), &ia) &&
               GetFileInformationByHandle(hb.Get(), &ib) &&
               ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber &&
               ia.nFileIndexHigh == ib.nFileIndexHigh && ia.nFileIndexLow == ib.nFileIndexLow;
    }

    bool CanOpenForReading(const std::string& path) override
    {
        // A folder does not open this way, so it is no input, as on POSIX.
        THandle h(OpenExisting(path, GENERIC_READ));
        return h.Valid();
    }

    bool CreateEmpty(const std::string& path) override
    {
        THandle h(OpenForWriting(path));
        if (!h.Valid())
            return false;
        if (!h.Close())
            Throw(FileMessage::CannotClose, path, GetLastError());
        return true;
    }
};

} // namespace

TFileSystem& SystemFiles()
{
    static TWin32FileSystem fs;
    return fs;
}

TFileError FileError(std::string_view message, const std::string& path)
{
    return FileError(message, path, ReasonOf(GetLastError()));
}

void AdviseLargeBuffer(void*, size_t) {}

} // namespace Platform
