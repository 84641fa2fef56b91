// Process: what the program learns from the system at start: its arguments, whether a display
// is there, the window module, and the name that keeps one window per program folder.
#pragma once

#include <string>
#include <string_view>
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

// The name that the window of this program folder holds while it is open, the same for every
// start from that folder by the same user (POSIX: the folder after links, and the user id;
// Windows: the folder in any letter case, within the session): "corvina-" and 16 hex digits.
std::string InstanceName();
// "corvina-" and the 16 hex digits of a 64-bit FNV-1a hash of key; InstanceName's form.
std::string InstanceNameOf(std::string_view key);

} // namespace Platform
