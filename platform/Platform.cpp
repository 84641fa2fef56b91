// Platform: POSIX implementation of files, paths, program folder and the stderr message box.
#include "platform/Platform.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <iostream>
#include <sys/stat.h>
#include <unistd.h>

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

// Writes all of data to fd; false (errno set) on failure, including the injected fault.
bool WriteAll(int fd, std::string_view data)
{
    size_t limit = data.size();
    bool fault = false;
    if (WriteFault() >= 0) {
        if (static_cast<unsigned long long>(WriteFault()) < limit) {
            limit = static_cast<size_t>(WriteFault());
            fault = true;
        }
        WriteFault() = -1;
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
    return true;
}

} // namespace

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
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
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
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw FileError("ファイルを開けません", path);
    struct stat st;
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        errno = EISDIR;
        throw FileError("ファイルを開けません", path);
    }
    std::string data;
    if (st.st_size > 0)
        data.reserve(static_cast<size_t>(st.st_size));
    char buf[65536];
    for (;;) {
        ssize_t n = ::read(fd, buf, sizeof buf);
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
        data.append(buf, static_cast<size_t>(n));
    }
    ::close(fd);
    return data;
}

void WriteFile(const std::string& path, std::string_view data)
{
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        throw FileError("ファイルを作成できません", path);
    if (!WriteAll(fd, data)) {
        int saved = errno;
        ::close(fd);
        errno = saved;
        throw FileError("ファイルに書き込めません", path);
    }
    if (::close(fd) != 0)
        throw FileError("ファイルに書き込めません", path);
}

void ReplaceFile(const std::string& path, std::string_view data)
{
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
    bool ok = ::fchmod(fd, mode) == 0 && WriteAll(fd, data) && ::fsync(fd) == 0;
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

void SetWriteFault(long long bytesBeforeFailure) { WriteFault() = bytesBeforeFailure; }

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
