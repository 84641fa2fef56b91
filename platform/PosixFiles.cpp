// PosixFiles: the file system of a POSIX system: open/read/write with EINTR loops, outputs that
// are emptied when a write fails, and atomic replacement through a temporary file and rename.
#include "platform/Files.h"
#include "platform/Paths.h"
#include "platform/PosixBackgroundemptier.h"
#include "platform/PosixDescriptor.h"
#include "platform/PosixReasons.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Platform {
namespace {

using Posix::TBackgroundEmptier;
using Posix::TDescriptor;

// Japanese for the common errors, the system's text for the rest.
std::string ReasonOf(int code)
{
    for (const Posix::TErrnoRow& row : Posix::ErrnoReasons)
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

// Opens path, again when a signal interrupts the call; none held (errno set) on failure.
TDescriptor Open(const std::string& path, int flags, mode_t mode = 0)
{
    int fd;
    do
        fd = ::open(path.c_str(), flags, mode);
    while (fd < 0 && errno == EINTR);
    return TDescriptor(fd);
}

TBackgroundEmptier& Emptier()
{
    static TBackgroundEmptier emptier;
    return emptier;
}

// From this size on, CreateEmpty empties a file in the background.
constexpr off_t LargeFile = 1 << 20;

// Opens path for writing without emptying it; none held (errno set) on failure.
TDescriptor OpenUnemptied(const std::string& path)
{
    Emptier().WaitFor(path);
    return Open(path, O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
}

// Empties fd, opened by OpenUnemptied, as O_TRUNC would have. A regular file that is empty
// already is left as it is: emptying it again would make ext4 write the new contents out at
// close, which the program would wait for. False (errno set) on failure.
bool Empty(int fd, const struct stat* st)
{
    if (st != nullptr && S_ISREG(st->st_mode) && st->st_size == 0)
        return true;
    int done;
    do
        done = ::ftruncate(fd, 0);
    while (done != 0 && errno == EINTR);
    // What O_TRUNC leaves alone, ftruncate refuses: a device or a pipe stays what it is.
    return done == 0 || errno == EINVAL;
}

// Opens path for writing as O_TRUNC does: created if missing, emptied if it holds anything; none
// held (errno set) on failure.
TDescriptor OpenForWriting(const std::string& path)
{
    TDescriptor fd = OpenUnemptied(path);
    struct stat st;
    if (fd && !Empty(fd.Get(), ::fstat(fd.Get(), &st) == 0 ? &st : nullptr))
        return {};
    return fd;
}

// Empties fd after a failed write and reports the write's error; fd closes on the way out.
[[noreturn]] void FailWrite(TDescriptor fd, const std::string& path)
{
    const int code = errno;
    if (::ftruncate(fd.Get(), 0) != 0) {
        // The write error is the one to report.
    }
    Throw(FileMessage::CannotWrite, path, code);
}

class TPosixOutputStream : public TOutputStream {
public:
    explicit TPosixOutputStream(std::string path) : Path(std::move(path)) {}
    ~TPosixOutputStream() override
    {
        // Dropped unfinished: leave no torn output behind.
        if (Fd && ::ftruncate(Fd.Get(), 0) != 0) {
            // Nothing more can be done while unwinding.
        }
    }
    TPosixOutputStream(const TPosixOutputStream&) = delete;
    TPosixOutputStream& operator=(const TPosixOutputStream&) = delete;

    void Write(std::string_view data) override
    {
        if (!Started) {
            // While the check's emptying of the file goes on, the output waits here instead,
            // up to a limit.
            if (Held.size() + data.size() <= MaxHeld && Emptier().Busy(Path)) {
                Held.append(data);
                return;
            }
            Start();
        }
        if (!Fd)
            Throw(FileMessage::CannotWrite, Path, EBADF);
        if (!WriteFully(Fd.Get(), data))
            FailWrite(std::move(Fd), Path);
    }

    void Finish() override
    {
        if (!Started && !Held.empty())
            Start();
        // The last data may reach the disk only now: a failed close is a failed write.
        if (const int code = Fd.Close(); code != 0)
            Throw(FileMessage::CannotWrite, Path, code);
    }

private:
    std::string Path;
    TDescriptor Fd;
    bool Started = false;
    std::string Held;
    static constexpr size_t MaxHeld = 64 << 20;

    // Opens the file, emptied, and writes what was held back.
    void Start()
    {
        Started = true;
        Fd = OpenForWriting(Path);
        if (!Fd)
            Throw(FileMessage::CannotCreate, Path, errno);
        if (!Held.empty()) {
            if (!WriteFully(Fd.Get(), Held))
                FailWrite(std::move(Fd), Path);
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

// A new hidden file beside target, named after it, into temp; none held (errno set) on failure.
TDescriptor MakeTemporaryBeside(const std::string& target, std::string& temp)
{
    std::string dir = ExtractFileDir(target);
    std::string tempName(1, '.');
    tempName.append(target, target.find_last_of('/') + 1);
    tempName.append(".XXXXXX");
    temp = JoinPath(dir.empty() ? "." : dir, tempName);
    return TDescriptor(::mkostemp(temp.data(), O_CLOEXEC));
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
        Emptier().WaitFor(path);
        const TDescriptor fd = Open(path, O_RDONLY | O_CLOEXEC);
        if (!fd)
            Throw(FileMessage::CannotOpen, path, errno);
        struct stat st;
        bool known = ::fstat(fd.Get(), &st) == 0;
        if (known && S_ISDIR(st.st_mode))
            Throw(FileMessage::CannotOpen, path, EISDIR);
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
            ssize_t n = ::read(fd.Get(), data.data() + used, data.size() - used);
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                Throw(FileMessage::CannotRead, path, errno);
            }
            if (n == 0)
                break;
            used += static_cast<size_t>(n);
        }
        data.resize(used);
        return data;
    }

    void WriteAll(const std::string& path, std::string_view bytes) override
    {
        TDescriptor fd = OpenForWriting(path);
        if (!fd)
            Throw(FileMessage::CannotCreate, path, errno);
        if (!WriteFully(fd.Get(), bytes))
            FailWrite(std::move(fd), path);
        if (const int code = fd.Close(); code != 0)
            Throw(FileMessage::CannotWrite, path, code);
    }

    bool CanReplace(const std::string& path) override
    {
        std::string temp;
        TDescriptor fd = MakeTemporaryBeside(Target(path), temp);
        if (!fd)
            return false;
        fd.Close();
        ::unlink(temp.c_str());
        return true;
    }

protected:
    void ReplaceWhole(const std::string& path, std::string_view bytes) override
    {
        std::string target = Target(path);
        Emptier().WaitFor(target);

        struct stat st;
        bool existed = ::stat(target.c_str(), &st) == 0;
        if (existed && S_ISDIR(st.st_mode))
            Throw(FileMessage::CannotCreate, path, EISDIR);
        std::string temp;
        TDescriptor fd = MakeTemporaryBeside(target, temp);
        if (!fd)
            Throw(FileMessage::CannotCreate, path, errno);
        mode_t mode = 0;
        if (existed) {
            mode = st.st_mode & 07777;
        } else {
            mode_t mask = ::umask(0);
            ::umask(mask);
            mode = 0666 & ~mask;
        }
        bool ok =
            ::fchmod(fd.Get(), mode) == 0 && WriteFully(fd.Get(), bytes) && ::fsync(fd.Get()) == 0;
        int code = errno;
        if (const int closed = fd.Close(); closed != 0 && ok) {
            ok = false;
            code = closed;
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
        return static_cast<bool>(Open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    }

    bool CreateEmpty(const std::string& path) override
    {
        TDescriptor fd = OpenUnemptied(path);
        if (!fd)
            return false;
        struct stat st;
        const bool known = ::fstat(fd.Get(), &st) == 0;
        if (known && S_ISREG(st.st_mode) && st.st_size >= LargeFile) {
            Emptier().Start(std::move(fd), st);
            return true;
        }
        if (!Empty(fd.Get(), known ? &st : nullptr))
            return false;
        if (const int code = fd.Close(); code != 0)
            Throw(FileMessage::CannotClose, path, code);
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
