// Textwriter: the output buffer, written out whenever it is full and on Close.
#include "core/Textwriter.h"

#include "platform/Codepage.h"
#include "platform/Utf8.h"

#include <algorithm>
#include <cstring>

namespace {
// The buffer starts small for the many short outputs and doubles up to this size.
constexpr size_t FirstBufferSize = 4096;
constexpr size_t BufferSize = 1 << 20;

} // namespace

TTextWriter::TTextWriter(std::string fileName, const TTextEncoding& encoding)
    : File(Platform::Files().OpenOutput(fileName)), TextEncoding(encoding),
      Encoded(CodePage::EncodedTable())
{
}

char* TTextWriter::PutReference(char32_t c, char* pos)
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

void TTextWriter::PutWide(char16_t ch)
{
    if (High != 0) {
        const char16_t high = High;
        High = 0;
        if (Utf8::IsLowSurrogate(ch)) {
            PutCode(Utf8::CodePoint(high, ch));
            return;
        }
        PutCode(high);
        if (ch < 0x80) {
            Put(ch);
            return;
        }
    }
    if (Utf8::IsHighSurrogate(ch)) {
        High = ch;
        LineOpen = true;
        return;
    }
    PutCode(ch);
}

void TTextWriter::PutHeld()
{
    Reserve(MaxCharBytes);
    const char16_t high = High;
    High = 0;
    PutCode(high);
}

void TTextWriter::PutCode(char32_t c)
{
    LineOpen = true;
    if (TextEncoding.IsUnicode()) {
        Pos = c >= 0xD800 && c <= 0xDFFF ? PutReference(c, Pos) : Utf8::Put(c, Pos);
        return;
    }
    // Only characters from 0x80 up come here, and none of them that code page 932 holds is
    // written as the one byte of the replacement.
    const std::uint16_t code =
        c < 0x10000 ? Encoded[c] : static_cast<std::uint16_t>(CodePage::Replacement);
    if (code == static_cast<std::uint16_t>(CodePage::Replacement)) {
        Pos = PutReference(c, Pos);
        return;
    }
    if (code >= 0x100)
        *Pos++ = static_cast<char>(code >> 8);
    *Pos++ = static_cast<char>(code & 0xFF);
}

void TTextWriter::MakeRoom(size_t bytes)
{
    size_t used = static_cast<size_t>(Pos - Buffer.get());
    size_t capacity = static_cast<size_t>(Limit - Buffer.get());
    if (capacity >= BufferSize && bytes <= capacity) {
        File->Write(std::string_view(Buffer.get(), used));
        Pos = Buffer.get();
        return;
    }
    size_t size = std::max({capacity * 2, FirstBufferSize, used + bytes});
    size = std::max(std::min(size, BufferSize), used + bytes);
    // Not zeroed: every byte up to Pos is written before it is read.
    auto grown = std::make_unique_for_overwrite<char[]>(size);
    if (used != 0)
        std::memcpy(grown.get(), Buffer.get(), used);
    Buffer = std::move(grown);
    Pos = Buffer.get() + used;
    Limit = Buffer.get() + size;
}

void TTextWriter::Close()
{
    if (!IsOpen)
        return;
    if (High != 0)
        PutHeld();
    if (LineOpen)
        FlushLine();
    File->Write(std::string_view(Buffer.get(), static_cast<size_t>(Pos - Buffer.get())));
    File->Finish();
    Buffer.reset();
    Pos = Limit = nullptr;
    IsOpen = false;
}
