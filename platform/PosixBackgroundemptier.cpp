// PosixBackgroundemptier: empties a large file on a thread of its own, and makes whatever uses
// that file next wait for it.
#include "platform/PosixBackgroundemptier.h"

#include <cerrno>
#include <system_error>
#include <unistd.h>

namespace Platform::Posix {

TBackgroundEmptier::~TBackgroundEmptier()
{
    std::lock_guard<std::mutex> hold(Lock);
    Join();
}

void TBackgroundEmptier::Start(TDescriptor file, const struct stat& st)
{
    std::lock_guard<std::mutex> hold(Lock);
    Join();
    Device = st.st_dev;
    Inode = st.st_ino;
    Done = false;
    File = std::move(file);
    try {
        Worker = std::thread([this] {
            EmptyAndClose(File);
            Done = true;
        });
    } catch (const std::system_error&) {
        EmptyAndClose(File);
        Done = true;
    }
}

void TBackgroundEmptier::WaitFor(const std::string& path)
{
    std::lock_guard<std::mutex> hold(Lock);
    if (Covers(path))
        Join();
}

bool TBackgroundEmptier::Busy(const std::string& path)
{
    std::lock_guard<std::mutex> hold(Lock);
    return !Done && Covers(path);
}

bool TBackgroundEmptier::Covers(const std::string& path) const
{
    struct stat st;
    return Worker.joinable() && ::stat(path.c_str(), &st) == 0 && st.st_dev == Device &&
           st.st_ino == Inode;
}

void TBackgroundEmptier::Join()
{
    if (Worker.joinable())
        Worker.join();
}

// A failure leaves the old contents, which the next opening for writing empties or reports.
void TBackgroundEmptier::EmptyAndClose(TDescriptor& file)
{
    while (::ftruncate(file.Get(), 0) != 0 && errno == EINTR) {
    }
    file.Close();
}

} // namespace Platform::Posix
