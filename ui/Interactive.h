// Interactive: the entry of the window mode, kept apart so the batch path never touches Qt.
#pragma once

// Runs the window until it closes; the result is the process's exit status.
int RunInteractive(int argc, char** argv);

// The entry of the window module in the program folder, which RunInteractive loads; the name is
// looked up at run time. Linux: the Qt window; Windows: the native one, so that the console
// program loads the window's system libraries only when it opens the window.
inline constexpr const char* WindowModuleName = "corvina_window.so";
inline constexpr const char* Win32WindowModuleName = "corvina_window.dll";
inline constexpr const char* WindowEntryName = "CorvinaRunWindow";
extern "C" int CorvinaRunWindow(int argc, char** argv);
