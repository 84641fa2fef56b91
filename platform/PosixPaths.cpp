// PosixPaths: the separator, the executable's folder and typed file names on a POSIX system.
#include "platform/Paths.h"

#include <climits>
#include <unistd.h>

namespace Platform {

const char PathSeparator = '/';

std::string ExecutableFolder()
{
    char buf[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0)
        return ".";
    std::string dir = ExtractFileDir(std::string_view(buf, static_cast<size_t>(n)));
    return dir.empty() ? "." : dir;
}

std::string TypedFileName(std::string_view typed) { return std::string(typed); }

} // namespace Platform
