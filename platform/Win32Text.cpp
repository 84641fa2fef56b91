// Win32Text: UTF-8 <-> UTF-16 for the wide Windows API, long paths and the system's error texts.
#include "platform/Win32Text.h"

#include "platform/Codepage.h"

#include <windows.h>

namespace Platform::Win32 {
namespace {

// Paths from this length on take the prefix: the plain API stops at MAX_PATH (260) characters
// with the terminator, and a folder must leave room for an 8.3 name (248).
constexpr size_t LongPath = 240;

constexpr std::wstring_view LongPrefix = L"\\\\?\\";
constexpr std::wstring_view UncPrefix = L"\\\\?\\UNC\\";

} // namespace

std::wstring Wide(std::string_view utf8)
{
    std::u16string text = CodePage::FromUtf8(utf8);
    return std::wstring(text.begin(), text.end());
}

std::string Utf8(std::wstring_view wide)
{
    return CodePage::ToUtf8(std::u16string(wide.begin(), wide.end()));
}

std::wstring WidePath(const std::string& path)
{
    std::wstring wide = Wide(path);
    if (wide.size() < LongPath || wide.starts_with(LongPrefix))
        return wide;
    // The prefix turns off the API's own clean-up of the path: make it absolute with
    // backslashes and no "." or ".." first.
    DWORD size = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (size == 0)
        return wide;
    std::wstring full(size, L'\0');
    DWORD n = GetFullPathNameW(wide.c_str(), size, full.data(), nullptr);
    if (n == 0 || n >= size)
        return wide;
    full.resize(n);
    if (full.starts_with(L"\\\\"))
        return std::wstring(UncPrefix) + full.substr(2);
    return std::wstring(LongPrefix) + full;
}

std::string ErrorText(unsigned long code)
{
    wchar_t* buffer = nullptr;
    DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                 FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = n != 0 && buffer != nullptr ? std::wstring(buffer, n) : std::wstring();
    if (buffer != nullptr)
        LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
        text.pop_back();
    if (text.empty())
        return "Windows error " + std::to_string(code);
    return Utf8(text);
}

} // namespace Platform::Win32
