// Win32instance: the mutex that keeps one window per program folder, and the search for the
// window that holds it.
#include "ui/Win32instance.h"

#include "platform/Codepage.h"
#include "platform/Process.h"
#include "ui/Win32controls.h"

namespace {

// How long a later start waits for the holder's window to appear, or for the holder to end.
constexpr int Attempts = 50;
constexpr DWORD AttemptPauseMs = 100;

struct TSearch {
    const wchar_t* Name;
    HWND Found;
};

BOOL CALLBACK FindMarked(HWND hwnd, LPARAM param)
{
    auto& search = *reinterpret_cast<TSearch*>(param);
    wchar_t name[32] = {};
    GetClassNameW(hwnd, name, 32);
    if (std::wstring_view(name) == Win32Controls::WindowClass && GetPropW(hwnd, search.Name)) {
        search.Found = hwnd;
        return FALSE;
    }
    return TRUE;
}

void BringToFront(HWND window)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    AllowSetForegroundWindow(process);
    if (IsIconic(window))
        ShowWindow(window, SW_RESTORE);
    SetForegroundWindow(window);
}

} // namespace

TWin32Instance::TWin32Instance()
{
    std::u16string name = CodePage::FromUtf8(Platform::InstanceName());
    Name.assign(name.begin(), name.end());
    // Per session: another user's window on a shared folder is theirs.
    std::wstring mutexName = L"Local\\" + Name;
    for (int attempt = 0; attempt < Attempts; ++attempt) {
        HANDLE mutex = CreateMutexW(nullptr, FALSE, mutexName.c_str());
        if (mutex != nullptr && GetLastError() != ERROR_ALREADY_EXISTS) {
            Mutex = mutex;
            return;
        }
        // Our handle would keep the mutex alive after its holder ends: let it go first.
        if (mutex != nullptr)
            CloseHandle(mutex);
        if (HWND running = Running()) {
            BringToFront(running);
            return;
        }
        // The holder is still making its window, or is ending.
        Sleep(AttemptPauseMs);
    }
    // The name stays held without a window (the holder shows a start-up error): no second
    // window all the same, as it would overwrite the other's settings.
}

TWin32Instance::~TWin32Instance()
{
    if (Mutex != nullptr)
        CloseHandle(Mutex);
}

void TWin32Instance::Mark(HWND window) const
{
    SetPropW(window, Name.c_str(), reinterpret_cast<HANDLE>(1));
}

HWND TWin32Instance::Running() const
{
    TSearch search{Name.c_str(), nullptr};
    EnumWindows(&FindMarked, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}
