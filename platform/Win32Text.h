// Win32Text: UTF-8 inside the program, UTF-16 at the wide Windows API; only the Win32 units of
// the platform layer include this.
#pragma once

#include <string>
#include <string_view>

namespace Platform::Win32 {

std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view wide);

// path for the wide file API. A path too long for the plain API becomes an absolute path with
// the "\\?\" prefix (which lifts the length limit); a path with the prefix stays as it is.
std::wstring WidePath(const std::string& path);

// The system's text for an error code (GetLastError), without the line end.
std::string ErrorText(unsigned long code);

// The reason for an error code as a file message gives it: Japanese for the common ones, the
// system's text for the rest.
std::string ReasonOf(unsigned long code);

} // namespace Platform::Win32
