// PosixCodepage: the code page 932 converter of glibc's iconv ("CP932", Microsoft's mapping).
#include "platform/Codepagedecoder.h"

#include <iconv.h>
#include <stdexcept>

namespace CodePage {

TCodePageDecoder::TCodePageDecoder()
{
    iconv_t cd = iconv_open("UTF-16LE", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error("iconv: code page CP932 is not available");
    Handle = cd;
}

TCodePageDecoder::~TCodePageDecoder() { iconv_close(static_cast<iconv_t>(Handle)); }

char16_t TCodePageDecoder::Decode(const char* bytes, std::size_t length)
{
    iconv_t cd = static_cast<iconv_t>(Handle);
    char outBuf[8];
    char* inPtr = const_cast<char*>(bytes);
    size_t inLeft = length;
    char* outPtr = outBuf;
    size_t outLeft = sizeof outBuf;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1) || inLeft != 0 ||
        sizeof outBuf - outLeft != 2)
        return NoChar;
    return static_cast<char16_t>(static_cast<unsigned char>(outBuf[0]) |
                                 static_cast<unsigned char>(outBuf[1]) << 8);
}

} // namespace CodePage
