// Codepage: code page 932 (Shift-JIS, Microsoft's table) <-> 16-bit characters by lookup tables.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace CodePage {

// Bytes that code page 932 does not define decode to PrivateBase + byte and encode back to
// that byte, so a file with stray bytes survives a read and a write unchanged.
inline constexpr char16_t PrivateBase = 0xF700;

// The character code page 932 writes for a character it cannot hold.
inline constexpr char Replacement = '?';

// Decodes text to dest, which has room for text.size() characters; returns the end.
char16_t* DecodeTo(std::string_view text, char16_t* dest);
// Decodes the start of text to dest up to the first CR or LF byte, or up to the end of text, or
// until at least limit bytes are taken (a pair may take one more): dest has room for limit + 1
// characters. Returns the end of the characters and the bytes taken.
struct TDecoded {
    char16_t* End;
    size_t Used;
};
TDecoded DecodeLineTo(std::string_view text, char16_t* dest, size_t limit);
// Appends the decoded characters of text to out.
void DecodeAppend(std::string_view text, std::u16string& out);
std::u16string Decode(std::string_view text);

// Appends the one or two bytes of ch (or Replacement) to out.
void EncodeAppend(char16_t ch, std::string& out);
void EncodeAppend(std::u16string_view text, std::string& out);
std::string Encode(std::u16string_view text);

// For every character (65536 entries) the bytes code page 932 writes for it: a value below 0x100
// is one byte; any other is a lead byte (high) and a trail byte (low). A character the code page
// cannot hold has Replacement. For writers that encode as they go.
const std::uint16_t* EncodedTable();

// The display columns of ch after the character prev: its bytes in code page 932 where the code
// page holds it (so a text has the same columns in every encoding); otherwise 2 for an East
// Asian Wide or Fullwidth character, 0 for a mark or format character (Mn, Me, Cf), 1 for the
// rest. A surrogate pair is one character of its code point's width: the high half counts 1,
// the low half after it the rest (-1 to 1). A surrogate without its partner counts 1.
inline int Columns(char16_t ch, char16_t prev);
// The columns of every character (65536 entries), LowHalf for a low surrogate; and what a low
// surrogate after prev adds.
extern const std::uint8_t* const ColumnTable;
inline constexpr std::uint8_t LowHalf = 0xFF;
int LowHalfColumns(char16_t ch, char16_t prev);
inline int Columns(char16_t ch, char16_t prev)
{
    const int columns = ColumnTable[ch];
    return columns != LowHalf ? columns : LowHalfColumns(ch, prev);
}

// For every character (65536 entries): the folded form of the character code page 932 writes for
// it, that is FoldCase of the character, or of Replacement when the code page cannot hold it.
const char16_t* FoldedWrittenTable();

// Simple case folding: the lower-case partner of a letter (ASCII, Latin-1, Greek, Cyrillic,
// full-width Latin, Roman numerals), otherwise ch itself.
char16_t FoldCase(char16_t ch);
// FoldCase of every character (65536 entries), for loops that fold many characters.
const char16_t* FoldTable();

// Equality without regard to letter case, of wide texts and of code page 932 texts.
bool SameText(std::u16string_view a, std::u16string_view b);
bool SameText(std::string_view a, std::string_view b);
// SameText of wide texts with fold, the FoldTable, at hand: inline, for lookups per identifier.
inline bool SameFolded(std::u16string_view a, std::u16string_view b, const char16_t* fold)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i] && fold[a[i]] != fold[b[i]])
            return false;
    return true;
}

// UTF-16 <-> UTF-8, for messages and paths that leave the program.
std::string ToUtf8(std::u16string_view text);
std::u16string FromUtf8(std::string_view text);

} // namespace CodePage
