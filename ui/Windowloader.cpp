// Windowloader: the window mode of the executable: checks for a display, then loads the window
// module from the program folder, so that Qt is loaded only when the window is wanted.
#include "ui/Interactive.h"

#include "platform/Platform.h"

#include <cstdlib>
#include <dlfcn.h>
#include <iostream>

namespace {

bool HasDisplay()
{
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0')
            return true;
    }
    return false;
}

} // namespace

int RunInteractive(int argc, char** argv)
{
    if (!HasDisplay()) {
        std::cerr << "corvina: no display for the window (DISPLAY is not set); "
                     "for a conversion without one run: corvina CODE INPUT OUTPUT"
                  << std::endl;
        return 2;
    }
    std::string path = Platform::ProgramFile(WindowModuleName);
    void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) {
        std::cerr << "corvina: the window cannot be loaded: " << ::dlerror() << std::endl;
        return 2;
    }
    auto entry = reinterpret_cast<int (*)(int, char**)>(::dlsym(module, WindowEntryName));
    if (entry == nullptr) {
        std::cerr << "corvina: the window cannot be loaded: " << path << ": no " << WindowEntryName
                  << std::endl;
        return 2;
    }
    // The module stays loaded until the process ends: Qt does not expect to be unloaded.
    return entry(argc, argv);
}
