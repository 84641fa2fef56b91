// Textencoding: how the bytes of a text file are taken, decided from the bytes alone.
#pragma once

#include "platform/Codepage.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Every text file the program reads is decided on its own, by these rules in this order:
// 1. A byte-order mark: EF BB BF is UTF-8, FF FE UTF-16LE, FE FF UTF-16BE.
// 2. Zero bytes in the pattern of UTF-16 among the two-byte units of the first Utf16Sample
//    bytes: no unit of two zero bytes (U+0000 would end the text at once), at least
//    Utf16MinZeros zero bytes at odd offsets (UTF-16LE) or at even offsets (UTF-16BE), at least
//    one for every Utf16UnitsPerZero units, and at most half as many at the other offsets
//    (characters such as U+3000 and U+4E00 have a zero byte there).
// 3. Bytes before the first zero byte that are strictly valid UTF-8 and hold at least one byte
//    of 0x80 or more: UTF-8.
// 4. Anything else is code page 932, read as it always was.
// The program keeps a file's text in one of two forms: code page 932 bytes as they are, or,
// for every Unicode file, UTF-8 without the mark (UTF-16 up to its first U+0000). In both a
// byte below 0x80 is always that ASCII character, so lines split alike.
class TTextEncoding {
public:
    enum class TForm : std::uint8_t { CodePage932, Utf8, Utf16LE, Utf16BE };

    constexpr TTextEncoding() = default;
    constexpr TTextEncoding(TForm form, bool mark) : Form(form), Mark(mark) {}

    TForm Form = TForm::CodePage932;
    // The file began with a byte-order mark, and is written back with it.
    bool Mark = false;

    bool IsUnicode() const { return Form != TForm::CodePage932; }
    bool IsUtf16() const { return Form == TForm::Utf16LE || Form == TForm::Utf16BE; }
    bool operator==(const TTextEncoding&) const = default;

    static constexpr size_t Utf16Sample = 512;
    static constexpr size_t Utf16MinZeros = 2;
    static constexpr size_t Utf16UnitsPerZero = 32;

    // The encoding of a file's bytes by the rules above.
    static TTextEncoding Detect(std::string_view bytes);
    // The text the program keeps of a file's bytes in this encoding (see above): a view of
    // bytes without the mark, or of storage, which holds UTF-16 turned into UTF-8. Code page
    // 932 bytes are given back whole: the text ends at their first zero byte, which the line
    // splitter finds.
    std::string_view Unwrap(std::string_view bytes, std::string& storage) const;
    // The bytes of a file in this encoding for text in the kept form: the mark when the file
    // had one, UTF-16 from UTF-8.
    std::string Wrap(std::string_view text) const;

    // The characters of kept text, and kept text of characters: code page 932 or UTF-8. A byte
    // gives at most one character, so dest has room for text.size().
    char16_t* DecodeTo(std::string_view text, char16_t* dest) const;
    void DecodeAppend(std::string_view text, std::u16string& out) const;
    std::u16string Decode(std::string_view text) const;
    std::string Encode(std::u16string_view text) const;
    // The reader's step for kept text: CodePage::DecodeLineTo or its UTF-8 twin.
    using TLineDecoder = CodePage::TDecoded (*)(std::string_view text, char16_t* dest, size_t limit);
    TLineDecoder LineDecoder() const;

    // The encoding of a page made from a source in this encoding: UTF-8 without a mark for a
    // Unicode source, code page 932 for any other.
    TTextEncoding PageEncoding() const
    {
        return IsUnicode() ? TTextEncoding(TForm::Utf8, false) : TTextEncoding();
    }
};
