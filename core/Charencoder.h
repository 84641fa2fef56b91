// Charencoder: the bytes a character becomes in code page 932 or UTF-8 output, or its numeric
// character reference where the output cannot hold it.
#pragma once

#include "core/Textencoding.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

// PutCode is the encoder. For whole texts, ForTexts adds a table of the bytes PutCode writes for
// each 16-bit character where they are one or two; a test holds every entry to PutCode.
class TCharEncoder {
public:
    // Characters one at a time, through PutCode.
    explicit TCharEncoder(const TTextEncoding& encoding);
    // Also whole texts, through Put.
    static TCharEncoder ForTexts(const TTextEncoding& encoding);

    // The code point c (from 0x80) at pos: its bytes, or its reference where the output's
    // encoding has none (every surrogate code point, and in code page 932 every character it
    // lacks). Returns the end.
    char* PutCode(char32_t c, char* pos) const;
    // "&#x", the code point c in upper-case hexadecimal (at least two digits), ";" at pos;
    // returns the end.
    static char* PutReference(char32_t c, char* pos);
    // The most bytes PutCode writes for a 16-bit character: "&#xFFFF;".
    static constexpr size_t MaxCharBytes = 8;

    // From now on Put writes ch, or the character above U+FFFF c, as its reference.
    void Escape(char16_t ch) { Table[ch] = EscapeMark; }
    void Escape(char32_t c) { EscapedPairs.push_back(c); }
    // Whether ch is escaped.
    bool Escapes(char16_t ch) const { return Table[ch] == EscapeMark; }

    // Writes text at pos, which has room for MaxCharBytes a character: a line break as CR LF,
    // a surrogate pair as the one character it stands for, each other character as PutCode
    // does unless escaped. Returns the end. Only for an encoder made ForTexts.
    [[gnu::always_inline]] char* Put(std::u16string_view text, char* pos) const
    {
        const std::uint16_t* table = Table.get();
        const char16_t* const end = text.data() + text.size();
        for (const char16_t* at = text.data(); at != end; ++at) {
            const std::uint16_t code = table[*at];
            if (code < FirstMark) {
                // Both bytes stored, the second overwritten next when there is only one.
                pos[0] = static_cast<char>(code & 0xFF);
                pos[1] = static_cast<char>(code >> 8);
                pos += code > 0xFF ? 2 : 1;
            } else if (code == LineBreakMark) {
                *pos++ = '\r';
                *pos++ = '\n';
            } else {
                const TPut put = PutMarked(code, at, end, pos);
                at = put.At;
                pos = put.Pos;
            }
        }
        return pos;
    }

private:
    bool Unicode;
    // Code page 932's bytes of each character (CodePage::EncodedTable).
    const std::uint16_t* Encoded;
    // Per character, what Put writes: PutCode's bytes where they are one or two, in the order
    // they are written, the first in the low byte (below 0x100 the one byte; else the second,
    // 0x40-0xFC in code page 932 and 0x80-0xBF in UTF-8, in the high byte), or one of the marks
    // below, which no such pair of bytes is.
    static constexpr std::uint16_t FirstMark = 0xFD00;
    static constexpr std::uint16_t CodeMark = 0xFE00;      // longer: PutCode writes it
    static constexpr std::uint16_t SurrogateMark = 0xFE01; // half of a pair, or alone
    static constexpr std::uint16_t LineBreakMark = 0xFE0A; // CR LF
    static constexpr std::uint16_t EscapeMark = 0xFFFF;    // its reference
    std::unique_ptr<std::uint16_t[]> Table;
    // The escaped characters above U+FFFF.
    std::vector<char32_t> EscapedPairs;

    // The character at at (before end), whose table entry is the mark code, at pos; a
    // surrogate pair as one character. Returns the end of what was written and the last
    // character taken (the pair's low half).
    struct TPut {
        char* Pos;
        const char16_t* At;
    };
    TPut PutMarked(std::uint16_t code, const char16_t* at, const char16_t* end, char* pos) const;
};
