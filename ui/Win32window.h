// Win32window: the main window as a native Windows window: its controls at their places, with
// their fonts, on top of TForm1, which holds every handler. Its members lie in four files by job:
// Win32window.cpp (window class, frame and DPI), Win32windowchildren.cpp (making the controls),
// Win32windowlayout.cpp (places and fonts), Win32windowmessages.cpp (messages and the loop).
#pragma once

#include "ui/Controls.h"
#include "ui/Unit1.h"
#include "ui/Win32controls.h"
#include "ui/Win32fonts.h"

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
    TWin32Fonts Fonts;
    // Which of the window's fonts a control shows; nullptr for one that chooses its own.
    using TFontRole = HFONT (TWin32Fonts::*)() const;
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

    // Window class, frame and DPI.
    void Release();
    void SetDpi(int dpi);
    void ChangeDpi(int dpi, const RECT& suggested);
    // Sizes the window so that its client area is the window's at its DPI.
    void FitClientArea();

    // Making the controls.
    void CreateControls();
    void CreateToolTip(const HWND (&browse)[2]);
    HWND CreateChild(std::string_view name, const wchar_t* windowClass, DWORD style,
                     std::u16string_view caption, TFontRole font, DWORD exStyle = 0);
    template <typename T, typename... Args>
    T* Adopt(HWND handle, Args&&... args);

    // Places and sizes every control, with its font, at the window's DPI.
    void PlaceControls();

    // Messages.
    LRESULT Message(UINT message, WPARAM w, LPARAM l);
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM w, LPARAM l);
};
