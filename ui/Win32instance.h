// Win32instance: one window per program folder on Windows: a named mutex tells whether a window
// of the folder is open, and that window is found by a property named after the folder.
#pragma once

#include <windows.h>

#include <string>

class TWin32Instance {
public:
    // Takes the name, or, when a window already holds it, brings that window to the front.
    TWin32Instance();
    ~TWin32Instance();
    TWin32Instance(const TWin32Instance&) = delete;
    TWin32Instance& operator=(const TWin32Instance&) = delete;

    // Whether this process holds the name and so opens the window.
    bool First() const { return Mutex != nullptr; }
    // Marks the window as the one a later start brings to the front.
    void Mark(HWND window) const;
    // The open window of the folder, or nullptr.
    HWND Running() const;

private:
    std::wstring Name;
    HANDLE Mutex = nullptr;
};
