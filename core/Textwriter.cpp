// Textwriter: the output buffer, written out whenever it is full and on Close.
#include "core/Textwriter.h"

#include "platform/Utf8.h"

#include <algorithm>
#include <cstring>

namespace {
// The buffer starts small for the many short outputs and doubles up to this size.
constexpr size_t FirstBufferSize = 4096;
constexpr size_t BufferSize = 1 << 20;

} // namespace

TTextWriter::TTextWriter(std::string fileName, const TTextEncoding& encoding)
    : File(Platform::Files().OpenOutput(fileName)), TextEncoding(encoding), Encoder(encoding)
{
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
