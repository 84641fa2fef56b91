// Win32program: the window program on Windows.
#pragma once

// The window program: the window until it is closed, the program's messages in message boxes;
// the result is the exit status. Linked into corvinaw.exe and into the window module that
// corvina.exe loads.
int RunWin32Window();
