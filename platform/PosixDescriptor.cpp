// PosixDescriptor: an open file descriptor with one owner, which closes it.
#include "platform/PosixDescriptor.h"

#include <cerrno>
#include <unistd.h>
#include <utility>

namespace Platform::Posix {

TDescriptor::~TDescriptor()
{
    if (Fd < 0)
        return;
    const int code = errno;
    ::close(Fd);
    errno = code;
}

TDescriptor& TDescriptor::operator=(TDescriptor&& other) noexcept
{
    // The one held before goes with taken, which is safe when other is this object.
    TDescriptor taken(std::move(other));
    std::swap(Fd, taken.Fd);
    return *this;
}

int TDescriptor::Release() { return std::exchange(Fd, -1); }

int TDescriptor::Close()
{
    if (Fd < 0)
        return 0;
    return ::close(Release()) == 0 ? 0 : errno;
}

} // namespace Platform::Posix
