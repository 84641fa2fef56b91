// Platform: POSIX implementation of files, paths, program folder and the stderr message box.
#include "platform/Platform.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <iostream>
#include <map>
#include <span>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace Platform {
namespace {

std::string& ProgramFolderOverride()
{
    static std::string folder;
    return folder;
}

long long& WriteFault()
{
    static long long bytes = -1;
    return bytes;
}

std::string& WriteFaultPath()
{
    static std::string path;
    return path;
}

TMessageBoxHandler& Handler()
{
    static TMessageBoxHandler handler;
    return handler;
}

int& Count()
{
    static int count = 0;
    return count;
}

std::string& ReadFault()
{
    static std::string path;
    return path;
}

struct TMemoryFiles {
    std::string Folder;
    std::map<std::string, std::string, std::less<>> Files;
};

TMemoryFiles& Memory()
{
    static TMemoryFiles memory;
    return memory;
}

// The map entry path belongs to when the memory seam covers it, else nullptr.
std::map<std::string, std::string, std::less<>>* MemoryFor(std::string_view path)
{
    TMemoryFiles& m = Memory();
    if (m.Folder.empty() || path.size() <= m.Folder.size() ||
        path.compare(0, m.Folder.size(), m.Folder) != 0 || path[m.Folder.size()] != '/')
        return nullptr;
    return &m.Files;
}

// Takes the injected write fault for a write of path, if one is set: the number of bytes
// allowed, else -1.
long long TakeWriteFault(const std::string& path)
{
    if (!WriteFaultPath().empty() && WriteFaultPath() != path)
        return -1;
    long long bytes = WriteFault();
    WriteFault() = -1;
    return bytes;
}

// Writes the pieces to fd one after the other; false (errno set) on failure, including the
// injected fault.
bool WriteAll(int fd, std::span<const std::string_view> pieces, long long budget)
{
    for (std::string_view data : pieces) {
        size_t limit = data.size();
        bool fault = false;
        if (budget >= 0 && static_cast<unsigned long long>(budget) < limit) {
            limit = static_cast<size_t>(budget);
            fault = true;
        }
        size_t done = 0;
        while (done < limit) {
            ssize_t n = ::write(fd, data.data() + done, limit - done);
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                return false;
            }
            done += static_cast<size_t>(n);
        }
        if (fault) {
            errno = ENOSPC;
            return false;
        }
        if (budget >= 0)
            budget -= static_cast<long long>(limit);
    }
    return true;
}

bool WriteAll(int fd, std::string_view data, long long budget)
{
    return WriteAll(fd, std::span(&data, 1), budget);
}

// WriteFile and ReplaceFile into memory: the fault seam applies, and a failed write leaves the
// old content.
void WriteMemory(std::map<std::string, std::string, std::less<>>& files, const std::string& path,
                 std::span<const std::string_view> pieces)
{
    long long budget = TakeWriteFault(path);
    std::string data;
    for (std::string_view piece : pieces)
        data += piece;
    if (budget >= 0 && static_cast<unsigned long long>(budget) < data.size()) {
        errno = ENOSPC;
        throw FileError("ファイルに書き込めません", path);
    }
    files[path] = std::move(data);
}

void WriteFileOf(const std::string& path, std::span<const std::string_view> pieces)
{
    if (auto* files = MemoryFor(path)) {
        WriteMemory(*files, path, pieces);
        return;
    }
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        throw FileError("ファイルを作成できません", path);
    if (!WriteAll(fd, pieces, TakeWriteFault(path))) {
        int saved = errno;
        if (::ftruncate(fd, 0) != 0) {
            // Nothing more to do: the write error is the one to report.
        }
        ::close(fd);
        errno = saved;
        throw FileError("ファイルに書き込めません", path);
    }
    if (::close(fd) != 0)
        throw FileError("ファイルに書き込めません", path);
}

} // namespace

TOutputFile::TOutputFile(std::string path) : Path(std::move(path)) {}

TOutputFile::~TOutputFile()
{
    if (Fd >= 0) {
        // Dropped unfinished: leave no torn output behind.
        if (::ftruncate(Fd, 0) != 0) {
            // Nothing more can be done while unwinding.
        }
        ::close(Fd);
    }
}

void TOutputFile::Write(std::string_view data)
{
    if (!Started) {
        Started = true;
        InMemory = MemoryFor(Path) != nullptr;
        if (!InMemory) {
            Budget = TakeWriteFault(Path);
            Fd = ::open(Path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
            if (Fd < 0)
                throw FileError("ファイルを作成できません", Path);
        }
    }
    if (InMemory) {
        MemoryData += data;
        return;
    }
    if (Fd < 0) {
        errno = EBADF;
        throw FileError("ファイルに書き込めません", Path);
    }
    if (!WriteAll(Fd, data, Budget))
        Fail();
    if (Budget >= 0)
        Budget -= static_cast<long long>(data.size());
}

void TOutputFile::Fail()
{
    int saved = errno;
    if (::ftruncate(Fd, 0) != 0) {
        // The write error is the one to report.
    }
    ::close(Fd);
    Fd = -1;
    errno = saved;
    throw FileError("ファイルに書き込めません", Path);
}

void TOutputFile::Finish()
{
    if (InMemory) {
        // The whole output goes in at once, through the same fault seam as WriteFile.
        std::string data = std::move(MemoryData);
        MemoryData.clear();
        std::string_view view(data);
        if (auto* files = MemoryFor(Path))
            WriteMemory(*files, Path, std::span(&view, 1));
        return;
    }
    if (Fd < 0)
        return;
    int fd = Fd;
    Fd = -1;
    if (::close(fd) != 0)
        throw FileError("ファイルに書き込めません", Path);
}

std::string ProgramFolder()
{
    if (!ProgramFolderOverride().empty())
        return ProgramFolderOverride();
    char buf[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0)
        return ".";
    std::string dir = ExtractFileDir(std::string_view(buf, static_cast<size_t>(n)));
    return dir.empty() ? "." : dir;
}

void SetProgramFolder(const std::string& folder) { ProgramFolderOverride() = folder; }

std::string ProgramFile(std::string_view name) { return JoinPath(ProgramFolder(), name); }

std::string JoinPath(std::string_view folder, std::string_view name)
{
    std::string path(folder);
    path += '/';
    path += name;
    return path;
}

std::string ExtractFileDir(std::string_view path)
{
    size_t slash = path.find_last_of('/');
    if (slash == std::string_view::npos)
        return {};
    if (slash == 0)
        return "/";
    return std::string(path.substr(0, slash));
}

bool FileExists(const std::string& path)
{
    if (auto* files = MemoryFor(path))
        return files->count(path) != 0;
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

void AdviseLargeBuffer(void* data, size_t size)
{
    constexpr uintptr_t Huge = 2u << 20;
    uintptr_t begin = (reinterpret_cast<uintptr_t>(data) + Huge - 1) & ~(Huge - 1);
    uintptr_t end = (reinterpret_cast<uintptr_t>(data) + size) & ~(Huge - 1);
    if (end > begin)
        ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
}

bool OptionalFileExists(const std::string& path)
{
    if (auto* files = MemoryFor(path))
        return files->count(path) != 0;
    struct stat st;
    if (::stat(path.c_str(), &st) != 0)
        return false;
    if (S_ISREG(st.st_mode))
        return true;
    errno = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
    throw FileError("ファイルを開けません", path);
}

bool SameFile(const std::string& a, const std::string& b)
{
    struct stat sa, sb;
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

TFileError FileError(std::string_view message, const std::string& path)
{
    std::string text(message);
    text += ": ";
    text += path;
    text += ": ";
    text += std::strerror(errno);
    return TFileError(text);
}

std::string ReadFile(const std::string& path)
{
    if (!ReadFault().empty() && ReadFault() == path) {
        errno = EIO;
        throw FileError("ファイルを読み込めません", path);
    }
    if (auto* files = MemoryFor(path)) {
        auto it = files->find(path);
        if (it == files->end()) {
            errno = ENOENT;
            throw FileError("ファイルを開けません", path);
        }
        return it->second;
    }
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw FileError("ファイルを開けません", path);
    struct stat st;
    bool known = ::fstat(fd, &st) == 0;
    if (known && S_ISDIR(st.st_mode)) {
        ::close(fd);
        errno = EISDIR;
        throw FileError("ファイルを開けません", path);
    }
    // Read straight into the result; one byte more than the size shows whether the file grew.
    std::string data;
    size_t expected = known && st.st_size > 0 ? static_cast<size_t>(st.st_size) : 0;
    data.reserve(expected + 1);
    AdviseLargeBuffer(data.data(), data.capacity());
    data.resize(expected + 1);
    size_t used = 0;
    for (;;) {
        if (used == data.size())
            data.resize(data.size() < 65536 ? 65536 : data.size() * 2);
        ssize_t n = ::read(fd, data.data() + used, data.size() - used);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            int saved = errno;
            ::close(fd);
            errno = saved;
            throw FileError("ファイルを読み込めません", path);
        }
        if (n == 0)
            break;
        used += static_cast<size_t>(n);
    }
    ::close(fd);
    data.resize(used);
    return data;
}

void WriteFile(const std::string& path, std::string_view data)
{
    WriteFileOf(path, std::span(&data, 1));
}


void ReplaceFile(const std::string& path, std::string_view data)
{
    if (auto* files = MemoryFor(path)) {
        WriteMemory(*files, path, std::span(&data, 1));
        return;
    }
    // Replace the file a link points to, not the link.
    std::string target = path;
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) != nullptr)
        target = resolved;

    struct stat st;
    bool existed = ::stat(target.c_str(), &st) == 0;
    if (existed && S_ISDIR(st.st_mode)) {
        errno = EISDIR;
        throw FileError("ファイルを作成できません", path);
    }
    std::string dir = ExtractFileDir(target);
    std::string tempName(1, '.');
    tempName.append(target, target.find_last_of('/') + 1);
    tempName.append(".XXXXXX");
    std::string temp = JoinPath(dir.empty() ? "." : dir, tempName);
    int fd = ::mkstemp(temp.data());
    if (fd < 0)
        throw FileError("ファイルを作成できません", path);
    mode_t mode = 0;
    if (existed) {
        mode = st.st_mode & 07777;
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    bool ok =
        ::fchmod(fd, mode) == 0 && WriteAll(fd, data, TakeWriteFault(path)) && ::fsync(fd) == 0;
    int saved = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        saved = errno;
    }
    if (ok && ::rename(temp.c_str(), target.c_str()) != 0) {
        ok = false;
        saved = errno;
    }
    if (!ok) {
        ::unlink(temp.c_str());
        errno = saved;
        throw FileError("ファイルに書き込めません", path);
    }
}

void SetWriteFault(long long bytesBeforeFailure, const std::string& path)
{
    WriteFault() = bytesBeforeFailure;
    WriteFaultPath() = path;
}

void SetReadFault(const std::string& path) { ReadFault() = path; }

void SetMemoryFolder(const std::string& folder)
{
    Memory().Folder = folder;
    if (folder.empty())
        Memory().Files.clear();
}

void PutMemoryFile(const std::string& path, std::string data)
{
    if (auto* files = MemoryFor(path))
        (*files)[path] = std::move(data);
}

void RemoveMemoryFile(const std::string& path)
{
    if (auto* files = MemoryFor(path))
        files->erase(path);
}

const std::string* MemoryFile(const std::string& path)
{
    auto* files = MemoryFor(path);
    if (files == nullptr)
        return nullptr;
    auto it = files->find(path);
    return it == files->end() ? nullptr : &it->second;
}

void SetMessageBoxHandler(TMessageBoxHandler handler) { Handler() = std::move(handler); }

void ShowMessageBox(const std::string& caption, const std::string& text, TMessageIcon icon)
{
    ++Count();
    if (Handler()) {
        Handler()(caption, text, icon);
        return;
    }
    std::cerr << caption << ": " << text << std::endl;
}

int MessageBoxCount() { return Count(); }

} // namespace Platform
