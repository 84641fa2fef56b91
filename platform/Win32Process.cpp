// Win32Process: arguments from the wide command line, the display and the window module on
// Windows.
#include "platform/Paths.h"
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

namespace {

// The reasons a module does not load that file messages do not know, in Japanese.
struct TLoadFailureRow {
    DWORD Code;
    const char* Reason;
};
constexpr TLoadFailureRow LoadFailures[] = {
    {ERROR_BAD_EXE_FORMAT, "壊れているか、この Windows の DLL ではありません"},
    {ERROR_DLL_INIT_FAILED, "DLL の初期化に失敗しました"},
};

std::string LoadFailure(DWORD code)
{
    for (const TLoadFailureRow& row : LoadFailures)
        if (row.Code == code)
            return row.Reason;
    return Win32::ReasonOf(code);
}

} // namespace

TWindowEntry LoadWindowModule(const std::string& path, const std::string& entryName,
                              std::string& error)
{
    // No message box of the system's own for a module that is missing or damaged: the caller
    // reports it on its error stream.
    UINT previousMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE module = LoadLibraryW(Win32::WidePath(path).c_str());
    DWORD code = GetLastError();
    SetErrorMode(previousMode);
    if (module == nullptr) {
        error = path + ": " + LoadFailure(code);
        return nullptr;
    }
    auto entry = reinterpret_cast<TWindowEntry>(
        reinterpret_cast<void*>(GetProcAddress(module, entryName.c_str())));
    if (entry == nullptr) {
        error = path + ": 関数 " + entryName + " がありません";
        FreeLibrary(module);
        return nullptr;
    }
    // The module stays loaded until the process ends.
    return entry;
}

std::string InstanceName()
{
    // Windows file names ignore letter case: one folder, one name, however it was typed.
    std::wstring folder = Win32::Wide(ProgramFolder());
    if (!folder.empty())
        CharUpperBuffW(folder.data(), static_cast<DWORD>(folder.size()));
    return InstanceNameOf(Win32::Utf8(folder));
}

} // namespace Platform
