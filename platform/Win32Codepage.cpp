// Win32Codepage: the code page 932 converter of Windows. Asked with MB_ERR_INVALID_CHARS, so an
// undefined byte or pair fails instead of turning into the default character.
#include "platform/Codepagedecoder.h"

#include <windows.h>

#include <stdexcept>

namespace CodePage {

TCodePageDecoder::TCodePageDecoder()
{
    if (!IsValidCodePage(932))
        throw std::runtime_error("code page 932 is not installed");
}

TCodePageDecoder::~TCodePageDecoder() = default;

char16_t TCodePageDecoder::Decode(const char* bytes, std::size_t length)
{
    wchar_t out[4];
    int n = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes, static_cast<int>(length), out, 4);
    return n == 1 ? static_cast<char16_t>(out[0]) : NoChar;
}

} // namespace CodePage
