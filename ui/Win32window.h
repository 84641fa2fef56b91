// Win32window: the main window as a native Windows window: its controls at their places, with
// their fonts, on top of TForm1, which holds every handler; the message loop and the message box.
#pragma once

#include "platform/Messagebox.h"
#include "ui/Controls.h"
#include "ui/Unit1.h"
#include "ui/Win32controls.h"

#include <windows.h>

#include <memory>
#include <string_view>
#include <vector>

class TWin32Window {
public:
    // Builds the window, hidden, with its controls, then runs the interactive set-up of TForm1.
    // Failures (color.txt, no window) throw.
    TWin32Window();
    // Destroys the window without closing it: color.txt is written by a close only.
    ~TWin32Window();
    TWin32Window(const TWin32Window&) = delete;
    TWin32Window& operator=(const TWin32Window&) = delete;

    HWND Handle() const { return Wnd; }
    // A control by its name in the window description ("btnOK", "Label7", "InputFrame"), or
    // nullptr.
    HWND Find(std::string_view name) const;
    // Shows the window with the focus on the first control of the tab order.
    void Show();
    // Runs the message loop until the window is closed, which ends the program; the result is
    // the exit status.
    int RunMessageLoop();
    // Whether the window has been closed (its close box, "終了", or WM_CLOSE).
    bool Closed() const { return Wnd == nullptr; }
    // Pixels for a length at 96 DPI.
    int Scale(int value) const;

    // The window's behaviour; its controls are the Windows controls below.
    std::unique_ptr<TForm1> Form;
    TForm1Controls Controls;

private:
    HWND Wnd = nullptr;
    int Dpi = 96;
    bool QuitOnDestroy = false;
    Win32Controls::TFonts Fonts;
    // Which of the window's fonts a control shows; nullptr for one that chooses its own.
    using TFontRole = HFONT Win32Controls::TFonts::*;
    struct TNamed {
        std::string_view Name;
        HWND Handle;
        TFontRole Font;
    };
    std::vector<TNamed> Names;
    std::vector<std::unique_ptr<TWin32Control>> Children;
    std::unique_ptr<TWin32FileDialog> Dialogs[2];
    std::unique_ptr<TWin32WindowControl> WindowControl;
    HWND FocusBeforeDeactivation = nullptr;

    void Release();
    void SetDpi(int dpi);
    void CreateFonts();
    void ReleaseFonts();
    static void DeleteFonts(Win32Controls::TFonts& fonts);
    void CreateControls();
    void CreateToolTip(const HWND (&browse)[2]);
    // Places and sizes every control, with its font, at the window's DPI.
    void PlaceControls();
    void ChangeDpi(int dpi, const RECT& suggested);
    // Sizes the window so that its client area is the window's at its DPI.
    void FitClientArea();
    HWND CreateChild(std::string_view name, const wchar_t* windowClass, DWORD style,
                     std::u16string_view caption, TFontRole font, DWORD exStyle = 0);
    template <typename T, typename... Args> T* Adopt(HWND handle, Args&&... args);

    LRESULT Message(UINT message, WPARAM w, LPARAM l);
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM w, LPARAM l);
};

// Shows the program's messages in Windows message boxes for the life of the object: caption,
// text, exclamation icon and OK, owned by the active window; then puts the previous handler back.
class TWin32MessageBoxScope {
public:
    TWin32MessageBoxScope();
    ~TWin32MessageBoxScope();
    TWin32MessageBoxScope(const TWin32MessageBoxScope&) = delete;
    TWin32MessageBoxScope& operator=(const TWin32MessageBoxScope&) = delete;

private:
    Platform::TMessageBoxHandler Previous;
};

// The window program: the window until it is closed, the program's messages in message boxes;
// the result is the exit status. Linked into corvinaw.exe and into the window module that
// corvina.exe loads.
int RunWin32Window();
