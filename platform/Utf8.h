// Utf8: UTF-8 text <-> 16-bit characters, for files read and written in UTF-8 or UTF-16.
#pragma once

#include "platform/Codepage.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace Utf8 {

// Whether text is UTF-8 by the strict rules (no stray continuation byte, no overlong form, no
// surrogate, nothing above U+10FFFF, no sequence cut at the end) and holds a byte of 0x80 or
// more. One pass that stops at the first fault; ASCII is checked eight bytes at a time.
bool IsWideText(std::string_view text);

// The decoders take the text the program keeps, which is valid UTF-8 but for one thing: a
// surrogate that UTF-16 held alone is written in the three bytes of its code (as its own
// encoder writes it), so that it comes back unchanged. A malformed byte decodes to U+FFFD.

// Decodes the start of text to dest up to the first CR or LF byte, or up to the end of text, or
// until at least limit bytes are taken (a character is never cut: up to three more). dest has
// room for limit + 1 characters, which a character of four bytes (a surrogate pair) needs.
CodePage::TDecoded DecodeLineTo(std::string_view text, char16_t* dest, size_t limit);
// Decodes text to dest, which has room for text.size() characters; returns the end.
char16_t* DecodeTo(std::string_view text, char16_t* dest);
// Appends the decoded characters of text to out.
void DecodeAppend(std::string_view text, std::u16string& out);
std::u16string Decode(std::string_view text);

// A surrogate pair as the four bytes of its character; a surrogate without its partner as the
// three bytes of its code (see above).
void EncodeAppend(std::u16string_view text, std::string& out);
std::string Encode(std::u16string_view text);

// The code point of a surrogate pair.
constexpr char32_t CodePoint(char16_t high, char16_t low)
{
    return 0x10000 + ((static_cast<char32_t>(high) - 0xD800) << 10) + (low - 0xDC00);
}
constexpr bool IsHighSurrogate(char16_t ch) { return ch >= 0xD800 && ch <= 0xDBFF; }
constexpr bool IsLowSurrogate(char16_t ch) { return ch >= 0xDC00 && ch <= 0xDFFF; }
constexpr bool IsSurrogate(char16_t ch) { return ch >= 0xD800 && ch <= 0xDFFF; }

// Writes the UTF-8 bytes of the code point c (up to 0x10FFFF, surrogates as they are) at pos;
// returns the end.
inline char* Put(char32_t c, char* pos)
{
    if (c < 0x80) {
        *pos++ = static_cast<char>(c);
    } else if (c < 0x800) {
        *pos++ = static_cast<char>(0xC0 | c >> 6);
        *pos++ = static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        *pos++ = static_cast<char>(0xE0 | c >> 12);
        *pos++ = static_cast<char>(0x80 | (c >> 6 & 0x3F));
        *pos++ = static_cast<char>(0x80 | (c & 0x3F));
    } else {
        *pos++ = static_cast<char>(0xF0 | c >> 18);
        *pos++ = static_cast<char>(0x80 | (c >> 12 & 0x3F));
        *pos++ = static_cast<char>(0x80 | (c >> 6 & 0x3F));
        *pos++ = static_cast<char>(0x80 | (c & 0x3F));
    }
    return pos;
}

} // namespace Utf8
