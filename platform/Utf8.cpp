// Utf8: the strict check that decides a file is UTF-8, and the decoder and encoder of the text
// the program keeps in UTF-8.
#include "platform/Utf8.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace Utf8 {
namespace {

constexpr std::uint64_t HighBits = 0x8080808080808080ull;
constexpr size_t Block = 8;

// Whether the eight bytes at p are all ASCII.
inline bool AsciiBlock(const unsigned char* p)
{
    std::uint64_t bytes;
    std::memcpy(&bytes, p, Block);
    return (bytes & HighBits) == 0;
}

// Whether any of the eight ASCII bytes at p is a CR or an LF.
inline bool HoldsLineEnd(const unsigned char* p)
{
    std::uint64_t bytes;
    std::memcpy(&bytes, p, Block);
    auto holds = [bytes](std::uint64_t every) {
        const std::uint64_t v = bytes ^ every;
        return ((v - 0x0101010101010101ull) & ~v & HighBits) != 0;
    };
    return holds(0x0D0D0D0D0D0D0D0Dull) || holds(0x0A0A0A0A0A0A0A0Aull);
}

constexpr bool IsContinuation(unsigned b) { return (b & 0xC0) == 0x80; }

// The length of the sequence a lead byte b starts (0 for a byte that starts none), and the
// bounds of the byte after it, which rule out overlong forms, surrogates and codes past
// U+10FFFF.
struct TLead {
    std::uint8_t Length;
    std::uint8_t Low;
    std::uint8_t High;
};
constexpr TLead LeadByte(unsigned b)
{
    if (b >= 0xC2 && b <= 0xDF)
        return {2, 0x80, 0xBF};
    if (b == 0xE0)
        return {3, 0xA0, 0xBF};
    if (b == 0xED)
        return {3, 0x80, 0x9F};
    if (b >= 0xE1 && b <= 0xEF)
        return {3, 0x80, 0xBF};
    if (b == 0xF0)
        return {4, 0x90, 0xBF};
    if (b >= 0xF1 && b <= 0xF3)
        return {4, 0x80, 0xBF};
    if (b == 0xF4)
        return {4, 0x80, 0x8F};
    return {0, 0, 0};
}
constexpr auto Leads = [] {
    std::array<TLead, 256> leads{};
    for (unsigned b = 0; b < 256; ++b)
        leads[b] = LeadByte(b);
    return leads;
}();

// Decodes the sequence at src[i] (not ASCII) of text of n bytes to dest; returns the bytes
// taken. A surrogate's three bytes are taken too (see the header); anything malformed is one
// U+FFFD for one byte.
inline size_t DecodeOne(const unsigned char* src, size_t i, size_t n, char16_t*& dest)
{
    const unsigned b = src[i];
    // Three bytes, the form of every kana and kanji, first.
    if ((b & 0xF0) == 0xE0 && i + 2 < n && IsContinuation(src[i + 1]) &&
        IsContinuation(src[i + 2])) {
        const char32_t c = (b & 0x0F) << 12 | (src[i + 1] & 0x3F) << 6 | (src[i + 2] & 0x3F);
        if (c >= 0x800) {
            *dest++ = static_cast<char16_t>(c);
            return 3;
        }
    }
    const size_t length = b >= 0xF5 ? 0 : b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC2 ? 2 : 0;
    bool ok = length != 0 && i + length <= n;
    char32_t c = b & (0x7F >> length);
    for (size_t k = 1; ok && k < length; ++k) {
        ok = IsContinuation(src[i + k]);
        c = c << 6 | (src[i + k] & 0x3F);
    }
    const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (!ok || c < least[length] || c > 0x10FFFF) {
        *dest++ = 0xFFFD;
        return 1;
    }
    if (c >= 0x10000) {
        c -= 0x10000;
        *dest++ = static_cast<char16_t>(0xD800 + (c >> 10));
        *dest++ = static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    } else {
        *dest++ = static_cast<char16_t>(c);
    }
    return length;
}

template <bool StopAtLineEnd>
CodePage::TDecoded DecodeUntil(std::string_view text, char16_t* dest, size_t limit)
{
    const size_t n = text.size();
    const size_t stop = std::min(n, limit);
    const unsigned char* src = reinterpret_cast<const unsigned char*>(text.data());
    size_t i = 0;
    while (i < stop) {
        // Blocks of ASCII, the most of most sources, are widened without a look at each byte.
        if (i + Block <= stop && AsciiBlock(src + i) && !(StopAtLineEnd && HoldsLineEnd(src + i))) {
            for (size_t k = 0; k < Block; ++k)
                dest[k] = static_cast<char16_t>(src[i + k]);
            dest += Block;
            i += Block;
            continue;
        }
        const size_t end = std::min(i + Block, stop);
        while (i < end) {
            const unsigned b = src[i];
            if (b < 0x80) {
                if (StopAtLineEnd && (b == '\r' || b == '\n'))
                    return {dest, i};
                *dest++ = static_cast<char16_t>(b);
                ++i;
            } else {
                i += DecodeOne(src, i, n, dest);
            }
        }
    }
    return {dest, i};
}

} // namespace

bool IsWideText(std::string_view text)
{
    bool wide = false;
    const unsigned char* src = reinterpret_cast<const unsigned char*>(text.data());
    const size_t n = text.size();
    size_t i = 0;
    while (i < n) {
        if (i + Block <= n && AsciiBlock(src + i)) {
            i += Block;
            continue;
        }
        const unsigned b = src[i];
        if (b < 0x80) {
            ++i;
            continue;
        }
        const TLead lead = Leads[b];
        if (lead.Length == 0 || i + lead.Length > n || src[i + 1] < lead.Low ||
            src[i + 1] > lead.High)
            return false;
        for (size_t k = 2; k < lead.Length; ++k)
            if (!IsContinuation(src[i + k]))
                return false;
        i += lead.Length;
        wide = true;
    }
    return wide;
}

CodePage::TDecoded DecodeLineTo(std::string_view text, char16_t* dest, size_t limit)
{
    return DecodeUntil<true>(text, dest, limit);
}

char16_t* DecodeTo(std::string_view text, char16_t* dest)
{
    return DecodeUntil<false>(text, dest, text.size()).End;
}

void DecodeAppend(std::string_view text, std::u16string& out)
{
    // At most one character a byte: fill a sized buffer, then cut it to what was written.
    const size_t start = out.size();
    out.resize(start + text.size());
    char16_t* end = DecodeTo(text, out.data() + start);
    out.resize(static_cast<size_t>(end - out.data()));
}

std::u16string Decode(std::string_view text)
{
    std::u16string out;
    DecodeAppend(text, out);
    return out;
}

void EncodeAppend(std::u16string_view text, std::string& out)
{
    const size_t start = out.size();
    out.resize(start + text.size() * 3);
    char* pos = out.data() + start;
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t ch = text[i];
        if (IsHighSurrogate(ch) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            pos = Put(CodePoint(ch, text[i + 1]), pos);
            ++i;
        } else {
            pos = Put(ch, pos);
        }
    }
    out.resize(static_cast<size_t>(pos - out.data()));
}

std::string Encode(std::u16string_view text)
{
    std::string out;
    EncodeAppend(text, out);
    return out;
}

} // namespace Utf8
