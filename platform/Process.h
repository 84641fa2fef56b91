// Process: what the program learns from the system at start: its arguments, whether a display
// is there, and the window module.
#pragma once

#include <string>
#include <vector>

namespace Platform {

// The command-line arguments after the program name, UTF-8 (on Windows from the wide command
// line, not the ANSI argv).
std::vector<std::string> Arguments(int argc, char** argv);

// Whether a window can be shown (POSIX: DISPLAY, WAYLAND_DISPLAY or QT_QPA_PLATFORM is set;
// Windows: always).
bool HasDisplay();

// The window's entry point, loaded from the module file at path; nullptr with error set when
// it cannot be loaded. The module stays loaded until the process ends.
using TWindowEntry = int (*)(int argc, char** argv);
TWindowEntry LoadWindowModule(const std::string& path, const std::string& entryName,
                              std::string& error);

} // namespace Platform
