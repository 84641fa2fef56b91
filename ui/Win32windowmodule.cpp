// Win32windowmodule: the entry of the window module corvina_window.dll, which corvina.exe loads
// to open the window.
#include "ui/Interactive.h"
#include "ui/Win32program.h"

extern "C" __declspec(dllexport) int CorvinaRunWindow(int, char**) { return RunWin32Window(); }
