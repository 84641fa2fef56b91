// Win32program: the window program on Windows: DPI awareness, message boxes, one window per
// program folder, and the window until it is closed.
#include "ui/Win32program.h"

#include "platform/Messagebox.h"
#include "ui/Win32instance.h"
#include "ui/Win32messagebox.h"
#include "ui/Win32window.h"

#include <exception>

int RunWin32Window()
{
    // The manifest makes the programs aware of each monitor's DPI; a program without it is
    // drawn at the system's DPI at least, rather than stretched by the system.
    if (!IsProcessDPIAware())
        SetProcessDPIAware();
    TWin32MessageBoxScope messageBox;
    // One window per program folder: a second one would write its settings over the first's.
    TWin32Instance instance;
    if (!instance.First())
        return 0;
    try {
        TWin32Window window;
        instance.Mark(window.Handle());
        window.Show();
        return window.RunMessageLoop();
    } catch (const std::exception& e) {
        Platform::ShowError(e.what());
    } catch (...) {
        Platform::ShowError("");
    }
    return 1;
}
