// PosixProcess: arguments, the display check and the window module on a POSIX system.
#include "platform/Process.h"

#include "platform/Files.h"
#include "platform/Paths.h"

#include <climits>
#include <cstdlib>
#include <dlfcn.h>
#include <unistd.h>

namespace Platform {

std::vector<std::string> Arguments(int argc, char** argv)
{
    return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>();
}

bool HasDisplay()
{
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0')
            return true;
    }
    return false;
}

TWindowEntry LoadWindowModule(const std::string& path, const std::string& entryName,
                              std::string& error)
{
    // A missing module is the common case and gets the file reason; for the rest the loader's
    // own text tells what is wrong (a missing library, a damaged file).
    if (Files().Kind(path) != TPathKind::File) {
        error = path + ": " + std::string(ReasonText(TFileReason::NotFound));
        return nullptr;
    }
    void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) {
        const char* reason = ::dlerror();
        error = reason != nullptr ? reason : path;
        return nullptr;
    }
    auto entry = reinterpret_cast<TWindowEntry>(::dlsym(module, entryName.c_str()));
    if (entry == nullptr) {
        error = path + ": 関数 " + entryName + " がありません";
        return nullptr;
    }
    // The module stays loaded until the process ends: Qt does not expect to be unloaded.
    return entry;
}

std::string InstanceName()
{
    // The folder after links, so that two paths to one folder are one window.
    std::string folder = ProgramFolder();
    char resolved[PATH_MAX];
    if (::realpath(folder.c_str(), resolved) != nullptr)
        folder = resolved;
    return InstanceNameOf(std::to_string(::getuid()) + ":" + folder);
}

} // namespace Platform
