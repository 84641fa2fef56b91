// Win32Messagebox: the error stream of Windows: wide text to a console, code page 932 bytes
// when redirected to a file or a pipe, lines ending CR LF.
#include "platform/Messagebox.h"

#include "platform/Codepage.h"

#include <windows.h>

namespace Platform {

void WriteErrorLine(const std::string& text)
{
    HANDLE h = GetStdHandle(STD_ERROR_HANDLE);
    if (h == nullptr || h == INVALID_HANDLE_VALUE)
        return;
    std::u16string line = CodePage::FromUtf8(text);
    line += u"\r\n";
    DWORD mode = 0;
    DWORD done = 0;
    if (GetConsoleMode(h, &mode)) {
        std::wstring wide(line.begin(), line.end());
        WriteConsoleW(h, wide.data(), static_cast<DWORD>(wide.size()), &done, nullptr);
        return;
    }
    // Characters code page 932 cannot hold become "?", never a look-alike.
    std::string bytes = CodePage::Encode(line);
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr);
}

} // namespace Platform
