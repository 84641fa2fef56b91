// Charencoder: the encoder of one character and the table that stands for it.
#include "core/Charencoder.h"

#include "platform/Codepage.h"
#include "platform/Utf8.h"

#include <algorithm>

namespace {

// PutCode's body, inline where the table's marks call it.
[[gnu::always_inline]] inline char* Encode(bool unicode, const std::uint16_t* encoded, char32_t c,
                                           char* pos)
{
    if (unicode)
        return c >= 0xD800 && c <= 0xDFFF ? TCharEncoder::PutReference(c, pos) : Utf8::Put(c, pos);
    // None of the characters from 0x80 up that code page 932 holds is written as the one
    // byte of the replacement.
    constexpr auto replacement = static_cast<std::uint16_t>(CodePage::Replacement);
    const std::uint16_t code = c < 0x10000 ? encoded[c] : replacement;
    if (code == replacement)
        return TCharEncoder::PutReference(c, pos);
    if (code >= 0x100)
        *pos++ = static_cast<char>(code >> 8);
    *pos++ = static_cast<char>(code & 0xFF);
    return pos;
}

} // namespace

TCharEncoder::TCharEncoder(const TTextEncoding& encoding)
    : Unicode(encoding.IsUnicode()), Encoded(CodePage::EncodedTable())
{
}

TCharEncoder TCharEncoder::ForTexts(const TTextEncoding& encoding)
{
    TCharEncoder encoder(encoding);
    encoder.Table = std::make_unique_for_overwrite<std::uint16_t[]>(65536);
    std::uint16_t* table = encoder.Table.get();
    // PutCode's bytes where there are one or two, worked out from the same tables without a
    // call per character; the encoder test holds every entry to PutCode.
    constexpr auto replacement = static_cast<std::uint16_t>(CodePage::Replacement);
    for (unsigned c = 0; c < 65536; ++c) {
        std::uint16_t entry = CodeMark;
        if (c < 0x80) {
            entry = static_cast<std::uint16_t>(c);
        } else if (Utf8::IsSurrogate(static_cast<char16_t>(c))) {
            entry = SurrogateMark;
        } else if (encoder.Unicode) {
            if (c < 0x800)
                entry = static_cast<std::uint16_t>((0xC0 | c >> 6) | (0x80 | (c & 0x3F)) << 8);
        } else {
            const std::uint16_t code = encoder.Encoded[c];
            if (code != replacement)
                entry = code < 0x100 ? code : static_cast<std::uint16_t>(code >> 8 | code << 8);
        }
        table[c] = entry;
    }
    table[u'\n'] = LineBreakMark;
    return encoder;
}

char* TCharEncoder::PutReference(char32_t c, char* pos)
{
    static const char hex[] = "0123456789ABCDEF";
    int digits = 2;
    while (digits < 6 && (c >> (4 * digits)) != 0)
        ++digits;
    *pos++ = '&';
    *pos++ = '#';
    *pos++ = 'x';
    for (int d = digits - 1; d >= 0; --d)
        *pos++ = hex[(c >> (4 * d)) & 0xF];
    *pos++ = ';';
    return pos;
}

char* TCharEncoder::PutCode(char32_t c, char* pos) const
{
    return Encode(Unicode, Encoded, c, pos);
}

TCharEncoder::TPut TCharEncoder::PutMarked(std::uint16_t code, const char16_t* at,
                                           const char16_t* end, char* pos) const
{
    const char16_t ch = *at;
    if (code == CodeMark)
        return {Encode(Unicode, Encoded, ch, pos), at};
    if (code != SurrogateMark || !Utf8::IsHighSurrogate(ch) || at + 1 == end ||
        !Utf8::IsLowSurrogate(at[1]))
        return {PutReference(ch, pos), at};
    const char32_t c = Utf8::CodePoint(ch, at[1]);
    const bool escaped = std::find(EscapedPairs.begin(), EscapedPairs.end(), c) != EscapedPairs.end();
    return {escaped ? PutReference(c, pos) : Encode(Unicode, Encoded, c, pos), at + 1};
}
