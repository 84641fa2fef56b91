// Codepage: code page 932 tables, worked out at compile time from the characters of every byte
// and byte pair (Codepagemap.h, checked against the system's converter by the tests).
#include "platform/Codepage.h"

#include "platform/Codepagemap.h"
#include "platform/Unicodewidths.h"
#include "platform/Utf8.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <span>
#include <cstdint>
#include <cstring>

namespace CodePage {
namespace {

constexpr char16_t Invalid = 0xFFFF;

constexpr bool IsLeadByte(unsigned b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

struct TTables {
    std::array<char16_t, 256> Single{};                  // Invalid for lead and undefined bytes
    std::array<std::uint8_t, 256> LeadRow{};             // the row of Double for a lead byte
    std::array<std::array<char16_t, 256>, 60> Double{};  // [row][trail], Invalid if undefined
    std::array<std::uint8_t, 65536> Width{};             // 0: not representable
    std::array<std::uint8_t, 65536> Columns{};           // LowHalf for a low surrogate
    std::array<char16_t, 65536> Fold{};
    std::array<std::uint16_t, 65536> Written{}; // bytes of a character, lead in high byte, or
                                                // Replacement when Width is 0
    std::array<char16_t, 65536> FoldedWritten{};

    constexpr TTables()
    {
        for (unsigned b = 0; b < 256; ++b)
            Single[b] = Map::Single[b];
        for (auto& row : Double)
            row.fill(Invalid);
        unsigned row = 0;
        for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
            if (!IsLeadByte(lead))
                continue;
            LeadRow[lead] = static_cast<std::uint8_t>(row);
            for (unsigned t = 0; t < Map::TrailCount; ++t)
                Double[row][Map::FirstTrail + t] = Map::Double[row][t];
            ++row;
        }

        // Reverse table. Where several byte pairs decode to one character, Windows writes the
        // first in code order, but the IBM extensions (0xFA-0xFC) before their NEC-selected
        // copies (0xED, 0xEE): fill those two rows last.
        auto setEncoded = [this](char16_t ch, unsigned code, std::uint8_t width) {
            if (ch != Invalid && Width[ch] == 0) {
                Written[ch] = static_cast<std::uint16_t>(code);
                Width[ch] = width;
            }
        };
        for (unsigned b = 0; b < 256; ++b)
            setEncoded(Single[b], b, 1);
        for (int pass = 0; pass < 2; ++pass)
            for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
                bool necSelected = lead == 0xED || lead == 0xEE;
                if (!IsLeadByte(lead) || necSelected != (pass == 1))
                    continue;
                for (unsigned trail = 0x40; trail <= 0xFC; ++trail)
                    setEncoded(Double[LeadRow[lead]][trail], lead << 8 | trail, 2);
            }
        for (unsigned b = 0; b < 256; ++b)
            if (Width[PrivateBase + b] == 0) {
                Written[PrivateBase + b] = static_cast<std::uint16_t>(b);
                Width[PrivateBase + b] = 1;
            }
        for (unsigned c = 0; c < 65536; ++c)
            if (Width[c] == 0)
                Written[c] = static_cast<std::uint16_t>(Replacement);

        for (unsigned c = 0; c < 65536; ++c)
            Columns[c] = Width[c] != 0 ? Width[c] : 1;
        auto setColumns = [this](const auto& ranges, std::uint8_t columns) {
            for (const Unicode::TRange& range : ranges)
                for (char32_t c = range.First; c <= range.Last && c < 0x10000; ++c)
                    if (Width[c] == 0)
                        Columns[c] = columns;
        };
        setColumns(Unicode::WideRanges, 2);
        setColumns(Unicode::ZeroRanges, 0);
        for (unsigned c = 0xDC00; c <= 0xDFFF; ++c)
            Columns[c] = LowHalf;

        for (unsigned c = 0; c < 65536; ++c)
            Fold[c] = static_cast<char16_t>(c);
        auto foldRange = [this](unsigned first, unsigned last, unsigned offset) {
            for (unsigned c = first; c <= last; ++c)
                Fold[c] = static_cast<char16_t>(c + offset);
        };
        foldRange('A', 'Z', 0x20);
        foldRange(0xC0, 0xDE, 0x20);
        Fold[0xD7] = 0xD7;
        foldRange(0x391, 0x3A9, 0x20);
        Fold[0x3A2] = 0x3A2;
        foldRange(0x400, 0x40F, 0x50);
        foldRange(0x410, 0x42F, 0x20);
        foldRange(0x2160, 0x216F, 0x10);
        foldRange(0xFF21, 0xFF3A, 0x20);

        for (unsigned c = 0; c < 65536; ++c)
            FoldedWritten[c] = Width[c] != 0 ? Fold[c] : Fold[static_cast<char16_t>(Replacement)];
    }
};

// Built by the compiler: nothing of it is worked out when the program starts.
constexpr TTables Built;

constexpr const TTables& Tables() { return Built; }

} // namespace

namespace {

constexpr std::uint64_t EveryByte(unsigned char b) { return 0x0101010101010101ull * b; }

// Whether any of the eight ASCII bytes is b.
constexpr bool HoldsByte(std::uint64_t bytes, unsigned char b)
{
    const std::uint64_t v = bytes ^ EveryByte(b);
    return ((v - EveryByte(1)) & ~v & EveryByte(0x80)) != 0;
}

// Decodes from text to dest until the end of text, until at least limit bytes are used (a pair
// may take one byte more) or, with StopAtLineEnd, before the first CR or LF byte; the first
// such byte is never the trail byte of a pair.
template <bool StopAtLineEnd>
TDecoded DecodeUntil(std::string_view text, char16_t* dest, size_t limit)
{
    const TTables& t = Tables();
    const size_t n = text.size();
    const size_t stop = std::min(n, limit);
    const unsigned char* src = reinterpret_cast<const unsigned char*>(text.data());
    constexpr size_t Block = 8;
    size_t i = 0;
    while (i < stop) {
        // Blocks of ASCII, the most of most sources, are widened without a look at each byte.
        if (i + Block <= stop) {
            std::uint64_t bytes;
            std::memcpy(&bytes, src + i, Block);
            if ((bytes & EveryByte(0x80)) == 0 &&
                !(StopAtLineEnd && (HoldsByte(bytes, '\r') || HoldsByte(bytes, '\n')))) {
                for (size_t k = 0; k < Block; ++k)
                    dest[k] = static_cast<char16_t>(src[i + k]);
                dest += Block;
                i += Block;
                continue;
            }
        }
        // Otherwise byte by byte to the end of the block (a pair may reach one byte past it).
        size_t end = std::min(i + Block, stop);
        while (i < end) {
            unsigned b = src[i];
            if (b < 0x80) {
                if (StopAtLineEnd && (b == '\r' || b == '\n'))
                    return {dest, i};
                *dest++ = static_cast<char16_t>(b);
                ++i;
                continue;
            }
            char16_t ch = t.Single[b];
            if (ch == Invalid && IsLeadByte(b) && i + 1 < n) {
                ch = t.Double[t.LeadRow[b]][src[i + 1]];
                if (ch != Invalid) {
                    *dest++ = ch;
                    i += 2;
                    continue;
                }
            }
            // An undefined byte, or a lead byte without a valid partner: keep the byte alone; the
            // byte after it is read afresh.
            *dest++ = ch != Invalid ? ch : static_cast<char16_t>(PrivateBase + b);
            ++i;
        }
    }
    return {dest, i};
}

} // namespace

char16_t* DecodeTo(std::string_view text, char16_t* dest)
{
    return DecodeUntil<false>(text, dest, text.size()).End;
}

TDecoded DecodeLineTo(std::string_view text, char16_t* dest, size_t limit)
{
    return DecodeUntil<true>(text, dest, limit);
}

void DecodeAppend(std::string_view text, std::u16string& out)
{
    // At most one character a byte: fill a sized buffer, then cut it to what was written.
    size_t start = out.size();
    out.resize(start + text.size());
    char16_t* end = DecodeTo(text, out.data() + start);
    out.resize(static_cast<size_t>(end - out.data()));
}

std::u16string Decode(std::string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    DecodeAppend(text, out);
    return out;
}

void EncodeAppend(char16_t ch, std::string& out)
{
    std::uint16_t code = Tables().Written[ch];
    if (code >= 0x100)
        out.push_back(static_cast<char>(code >> 8));
    out.push_back(static_cast<char>(code & 0xFF));
}

void EncodeAppend(std::u16string_view text, std::string& out)
{
    const std::uint16_t* written = Tables().Written.data();
    out.reserve(out.size() + text.size() * 2);
    for (char16_t ch : text) {
        std::uint16_t code = written[ch];
        if (code >= 0x100)
            out.push_back(static_cast<char>(code >> 8));
        out.push_back(static_cast<char>(code & 0xFF));
    }
}

const std::uint16_t* EncodedTable() { return Tables().Written.data(); }

std::string Encode(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size() * 2);
    EncodeAppend(text, out);
    return out;
}

namespace {

bool InRanges(std::span<const Unicode::TRange> ranges, char32_t c)
{
    auto after = std::upper_bound(ranges.begin(), ranges.end(), c,
                                  [](char32_t c, const Unicode::TRange& r) { return c < r.First; });
    return after != ranges.begin() && c <= std::prev(after)->Last;
}

} // namespace

const std::uint8_t* const ColumnTable = Built.Columns.data();

int LowHalfColumns(char16_t ch, char16_t prev)
{
    if (!Utf8::IsHighSurrogate(prev))
        return 1;
    const char32_t c = Utf8::CodePoint(prev, ch);
    const int pair = InRanges(Unicode::WideRanges, c) ? 2 : InRanges(Unicode::ZeroRanges, c) ? 0 : 1;
    return pair - 1;
}

const char16_t* FoldedWrittenTable() { return Tables().FoldedWritten.data(); }

char16_t FoldCase(char16_t ch) { return Tables().Fold[ch]; }

const char16_t* FoldTable() { return Tables().Fold.data(); }

bool SameText(std::u16string_view a, std::u16string_view b)
{
    return SameFolded(a, b, Tables().Fold.data());
}

bool SameText(std::string_view a, std::string_view b)
{
    if (a == b)
        return true;
    return SameText(Decode(a), Decode(b));
}

std::string ToUtf8(std::u16string_view text) { return Utf8::Encode(text); }

std::u16string FromUtf8(std::string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        unsigned char b = static_cast<unsigned char>(text[i]);
        int extra = b < 0x80 ? 0 : b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : -1;
        char32_t c = extra == 0 ? b : extra == 1 ? b & 0x1F : extra == 2 ? b & 0x0F : b & 0x07;
        bool ok = extra >= 0 && i + extra < text.size();
        for (int k = 1; ok && k <= extra; ++k) {
            unsigned char cont = static_cast<unsigned char>(text[i + k]);
            if ((cont & 0xC0) != 0x80)
                ok = false;
            else
                c = c << 6 | (cont & 0x3F);
        }
        if (!ok) {
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        i += extra + 1;
        if (c >= 0x10000) {
            c -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(c));
        }
    }
    return out;
}

} // namespace CodePage
