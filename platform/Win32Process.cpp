// Win32Process: arguments from the wide command line, the display and the window module on
// Windows.
#include "platform/Process.h"
#include "platform/Win32Text.h"

#include <windows.h>

#include <shellapi.h>

namespace Platform {

std::vector<std::string> Arguments(int, char**)
{
    // The narrow argv went through the ANSI code page with best-fit: ask for the wide one.
    std::vector<std::string> args;
    int count = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &count);
    if (argv == nullptr)
        return args;
    for (int i = 1; i < count; ++i)
        args.push_back(Win32::Utf8(argv[i]));
    LocalFree(argv);
    return args;
}

bool HasDisplay() { return true; }

TWindowEntry LoadWindowModule(const std::string& path, const std::string& entryName,
                              std::string& error)
{
    HMODULE module = LoadLibraryW(Win32::WidePath(path).c_str());
    if (module == nullptr) {
        error = path + ": " + Win32::ErrorText(GetLastError());
        return nullptr;
    }
    auto entry = reinterpret_cast<TWindowEntry>(
        reinterpret_cast<void*>(GetProcAddress(module, entryName.c_str())));
    if (entry == nullptr) {
        error = path + ": no " + entryName;
        return nullptr;
    }
    // The module stays loaded until the process ends.
    return entry;
}

} // namespace Platform
