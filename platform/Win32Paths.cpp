// Win32Paths: the separator, the executable's folder and typed file names on Windows.
#include "platform/Paths.h"
#include "platform/Win32Text.h"

#include <windows.h>

namespace Platform {

const char PathSeparator = '\\';

std::string ExecutableFolder()
{
    // The buffer grows until the name fits: a long path may exceed MAX_PATH.
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (n == 0)
            return ".";
        if (n < name.size()) {
            name.resize(n);
            break;
        }
        if (name.size() >= 32768)
            return ".";
        name.resize(name.size() * 2);
    }
    std::string dir = ExtractFileDir(Win32::Utf8(name));
    return dir.empty() ? "." : dir;
}

std::string TypedFileName(std::string_view typed)
{
    if (typed.size() >= 2 && typed.front() == '"' && typed.back() == '"')
        typed = typed.substr(1, typed.size() - 2);
    return std::string(typed);
}

} // namespace Platform
