// PosixFiles: the file system of a POSIX system: open/read/write with EINTR loops, outputs that
// are emptied when a write fails, and atomic replacement through a temporary file and rename.
#include "platform/Files.h"
#include "platform/Paths.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <sys/mman.h>
#include <sys/stat.h>
#include <system_error>
#include <thread>
#include <unistd.h>

namespace Platform {
namespace {

struct TErrnoRow {
    int Code;
    TFileReason Reason;
};

constexpr TErrnoRow ErrnoReasons[] = {
    {ENOENT, TFileReason::NotFound},
    {EACCES, TFileReason::AccessDenied},
    {EPERM, TFileReason::AccessDenied},
    {EISDIR, TFileReason::IsFolder},
    {ENOTDIR, TFileReason::NotFolder},
    {ENOSPC, TFileReason::DiskFull},
    {EDQUOT, TFileReason::DiskFull},
    {EROFS, TFileReason::ReadOnlyFileSystem},
    {ENAMETOOLONG, TFileReason::NameTooLong},
    {EFBIG, TFileReason::FileTooLarge},
    {EMFILE, TFileReason::TooManyOpenFiles},
    {ENFILE, TFileReason::TooManyOpenFiles},
    {EIO, TFileReason::InputOutput},
    {EBUSY, TFileReason::Busy},
    {ETXTBSY, TFileReason::Busy},
};

// Japanese for the common errors, the system's text for the rest.
std::string ReasonOf(int code)
{
    for (const TErrnoRow& row : ErrnoReasons)
        if (row.Code == code)
            return std::string(ReasonText(row.Reason));
    return std::strerror(code);
}

// The error of errno for a failed call; the errno of cleaning up afterwards does not count.
[[noreturn]] void Throw(std::string_view message, const std::string& path, int code)
{
    throw FileError(message, path, ReasonOf(code));
}

// Writes data to fd whole; false (errno set) when a write fails.
bool WriteFully(int fd, std::string_view data)
{
    size_t done = 0;
    while (done < data.size()) {
        ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

// Emptying a large file frees its blocks, which takes milliseconds (about 5 for 32 MB on ext4).
// CreateEmpty leaves that to a thread of its own, and whatever reads or writes the file next
// waits for it first, so that the program never sees the old contents; an output to it holds
// its bytes back meanwhile.
class TEmptying {
public:
    ~TEmptying() { Wait(); }

    // Empties and closes fd, the regular file st describes, on a thread where one starts.
    void Start(int fd, const struct stat& st)
    {
        std::lock_guard<std::mutex> hold(Lock);
        Join();
        Device = st.st_dev;
        Inode = st.st_ino;
        Done = false;
        try {
            Worker = std::thread([this, fd] {
                EmptyAndClose(fd);
                Done = true;
            });
        } catch (const std::system_error&) {
            EmptyAndClose(fd);
            Done = true;
        }
    }
    // Waits for the emptying of path's file, if one is under way.
    void WaitFor(const std::string& path)
    {
        std::lock_guard<std::mutex> hold(Lock);
        if (Covers(path))
            Join();
    }
    // Whether path's file is being emptied still.
    bool Busy(const std::string& path)
    {
        std::lock_guard<std::mutex> hold(Lock);
        return !Done && Covers(path);
    }
    void Wait()
    {
        std::lock_guard<std::mutex> hold(Lock);
        Join();
    }

private:
    std::mutex Lock;
    std::thread Worker;
    std::atomic<bool> Done{true};
    dev_t Device = 0;
    ino_t Inode = 0;

    // Whether an emptying was started for path's file.
    bool Covers(const std::string& path) const
    {
        struct stat st;
        return Worker.joinable() && ::stat(path.c_str(), &st) == 0 && st.st_dev == Device &&
               st.st_ino == Inode;
    }

    void Join()
    {
        if (Worker.joinable())
            Worker.join();
    }
    // A failure leaves the old contents, which the next opening for writing empties or reports.
    static void EmptyAndClose(int fd)
    {
        while (::ftruncate(fd, 0) != 0 && errno == EINTR) {
        }
        ::close(fd);
    }
};

TEmptying& Emptying()
{
    static TEmptying emptying;
    return emptying;
}

// From this size on, CreateEmpty empties a file in the background.
constexpr off_t LargeFile = 1 << 20;

// Opens path for writing without emptying it; -1 with errno set on failure.
int OpenUnemptied(const std::string& path)
{
    Emptying().WaitFor(path);
    int fd;
    do
        fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    while (fd < 0 && errno == EINTR);
    return fd;
}

// Empties fd, opened by OpenUnemptied, as O_TRUNC would have. A regular file that is empty
// already is left as it is: emptying it again would make ext4 write the new contents out at
// close, which the program would wait for. False (fd closed, errno set) on failure.
bool Empty(int fd, const struct stat* st)
{
    if (st != nullptr && S_ISREG(st->st_mode) && st->st_size == 0)
        return true;
    int done;
    do
        done = ::ftruncate(fd, 0);
    while (done != 0 && errno == EINTR);
    // What O_TRUNC leaves alone, ftruncate refuses: a device or a pipe stays what it is.
    if (done == 0 || errno == EINVAL)
        return true;
    const int code = errno;
    ::close(fd);
    errno = code;
    return false;
}

// Opens path for writing as O_TRUNC does: created if missing, emptied if it holds anything; -1
// with errno set on failure.
int OpenForWriting(const std::string& path)
{
    const int fd = OpenUnemptied(path);
    if (fd < 0)
        return fd;
    struct stat st;
    return Empty(fd, ::fstat(fd, &st) == 0 ? &st : nullptr) ? fd : -1;
}

// Empties and closes fd after a failed write, then reports the write's error.
[[noreturn]] void FailWrite(int fd, const std::string& path)
{
    int code = errno;
    if (::ftruncate(fd, 0) != 0) {
        // The write error is the one to report.
    }
    ::close(fd);
    Throw(FileMessage::CannotWrite, path, code);
}

class TPosixOutputStream : public TOutputStream {
public:
    explicit TPosixOutputStream(std::string path) : Path(std::move(path)) {}
    ~TPosixOutputStream() override
    {
        if (Fd >= 0) {
            // Dropped unfinished: leave no torn output behind.
            if (::ftruncate(Fd, 0) != 0) {
                // Nothing more can be done while unwinding.
            }
            ::close(Fd);
        }
    }
    TPosixOutputStream(const TPosixOutputStream&) = delete;
    TPosixOutputStream& operator=(const TPosixOutputStream&) = delete;

    void Write(std::string_view data) override
    {
        if (!Started) {
            // While the check's emptying of the file goes on, the output waits here instead,
            // up to a limit.
            if (Held.size() + data.size() <= MaxHeld && Emptying().Busy(Path)) {
                Held.append(data);
                return;
            }
            Start();
        }
        if (Fd < 0)
            Throw(FileMessage::CannotWrite, Path, EBADF);
        if (!WriteFully(Fd, data)) {
            int fd = Fd;
            Fd = -1;
            FailWrite(fd, Path);
        }
    }

    void Finish() override
    {
        if (!Started && !Held.empty())
            Start();
        if (Fd < 0)
            return;
        int fd = Fd;
        Fd = -1;
        if (::close(fd) != 0)
            Throw(FileMessage::CannotWrite, Path, errno);
    }

private:
    std::string Path;
    int Fd = -1;
    bool Started = false;
    std::string Held;
    static constexpr size_t MaxHeld = 64 << 20;

    // Opens the file, emptied, and writes what was held back.
    void Start()
    {
        Started = true;
        Fd = OpenForWriting(Path);
        if (Fd < 0)
            Throw(FileMessage::CannotCreate, Path, errno);
        if (!Held.empty()) {
            if (!WriteFully(Fd, Held)) {
                int fd = Fd;
                Fd = -1;
                FailWrite(fd, Path);
            }
            std::string().swap(Held);
        }
    }
};

// The file a replacement of path writes: the one a link points to, not the link.
std::string Target(const std::string& path)
{
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) != nullptr ? std::string(resolved) : path;
}

// A new hidden file beside target, named after it, into temp; its descriptor, or -1 (errno set).
int MakeTemporaryBeside(const std::string& target, std::string& temp)
{
    std::string dir = ExtractFileDir(target);
    std::string tempName(1, '.');
    tempName.append(target, target.find_last_of('/') + 1);
    tempName.append(".XXXXXX");
    temp = JoinPath(dir.empty() ? "." : dir, tempName);
    return ::mkostemp(temp.data(), O_CLOEXEC);
}

class TPosixFileSystem : public TFileSystem {
public:
    TPathKind Kind(const std::string& path) override
    {
        struct stat st;
        if (::stat(path.c_str(), &st) != 0)
            return TPathKind::None;
        if (S_ISREG(st.st_mode))
            return TPathKind::File;
        return S_ISDIR(st.st_mode) ? TPathKind::Folder : TPathKind::Other;
    }

    std::string ReadAll(const std::string& path) override
    {
        Emptying().WaitFor(path);
        int fd;
        do
            fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        while (fd < 0 && errno == EINTR);
        if (fd < 0)
            Throw(FileMessage::CannotOpen, path, errno);
        struct stat st;
        bool known = ::fstat(fd, &st) == 0;
        if (known && S_ISDIR(st.st_mode)) {
            ::close(fd);
            Throw(FileMessage::CannotOpen, path, EISDIR);
        }
        // Read straight into the result; one byte more than the size shows whether it grew.
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
                int code = errno;
                ::close(fd);
                Throw(FileMessage::CannotRead, path, code);
            }
            if (n == 0)
                break;
            used += static_cast<size_t>(n);
        }
        ::close(fd);
        data.resize(used);
        return data;
    }

    void WriteAll(const std::string& path, std::string_view bytes) override
    {
        int fd = OpenForWriting(path);
        if (fd < 0)
            Throw(FileMessage::CannotCreate, path, errno);
        if (!WriteFully(fd, bytes))
            FailWrite(fd, path);
        if (::close(fd) != 0)
            Throw(FileMessage::CannotWrite, path, errno);
    }

    bool CanReplace(const std::string& path) override
    {
        std::string temp;
        int fd = MakeTemporaryBeside(Target(path), temp);
        if (fd < 0)
            return false;
        ::close(fd);
        ::unlink(temp.c_str());
        return true;
    }

protected:
    void ReplaceWhole(const std::string& path, std::string_view bytes) override
    {
        std::string target = Target(path);
        Emptying().WaitFor(target);

        struct stat st;
        bool existed = ::stat(target.c_str(), &st) == 0;
        if (existed && S_ISDIR(st.st_mode))
            Throw(FileMessage::CannotCreate, path, EISDIR);
        std::string temp;
        int fd = MakeTemporaryBeside(target, temp);
        if (fd < 0)
            Throw(FileMessage::CannotCreate, path, errno);
        mode_t mode = 0;
        if (existed) {
            mode = st.st_mode & 07777;
        } else {
            mode_t mask = ::umask(0);
            ::umask(mask);
            mode = 0666 & ~mask;
        }
        bool ok = ::fchmod(fd, mode) == 0 && WriteFully(fd, bytes) && ::fsync(fd) == 0;
        int code = errno;
        if (::close(fd) != 0 && ok) {
            ok = false;
            code = errno;
        }
        if (ok && ::rename(temp.c_str(), target.c_str()) != 0) {
            ok = false;
            code = errno;
        }
        if (!ok) {
            ::unlink(temp.c_str());
            Throw(FileMessage::CannotWrite, path, code);
        }
    }

public:
    std::unique_ptr<TOutputStream> OpenOutput(const std::string& path) override
    {
        return std::make_unique<TPosixOutputStream>(path);
    }

    bool SameFile(const std::string& a, const std::string& b) override
    {
        struct stat sa, sb;
        return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 &&
               sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
    }

    bool CanOpenForReading(const std::string& path) override
    {
        // Without blocking: a pipe of that name must not wait for a writer.
        int fd;
        do
            fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        while (fd < 0 && errno == EINTR);
        if (fd < 0)
            return false;
        ::close(fd);
        return true;
    }

    bool CreateEmpty(const std::string& path) override
    {
        const int fd = OpenUnemptied(path);
        if (fd < 0)
            return false;
        struct stat st;
        const bool known = ::fstat(fd, &st) == 0;
        if (known && S_ISREG(st.st_mode) && st.st_size >= LargeFile) {
            Emptying().Start(fd, st);
            return true;
        }
        if (!Empty(fd, known ? &st : nullptr))
            return false;
        if (::close(fd) != 0)
            Throw(FileMessage::CannotClose, path, errno);
        return true;
    }
};

} // namespace

TFileSystem& SystemFiles()
{
    static TPosixFileSystem fs;
    return fs;
}

TFileError FileError(std::string_view message, const std::string& path)
{
    return FileError(message, path, ReasonOf(errno));
}

void AdviseLargeBuffer(void* data, size_t size)
{
    constexpr uintptr_t Huge = 2u << 20;
    uintptr_t begin = (reinterpret_cast<uintptr_t>(data) + Huge - 1) & ~(Huge - 1);
    uintptr_t end = (reinterpret_cast<uintptr_t>(data) + size) & ~(Huge - 1);
    if (end > begin)
        ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
}

} // namespace Platform
