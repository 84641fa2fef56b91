// Textwriter: the output buffer, written out whenever it is full and on Close.
#include "core/Textwriter.h"

#include "platform/Codepage.h"

#include <algorithm>
#include <cstring>

namespace {
// The buffer starts small for the many short outputs and doubles up to this size.
constexpr size_t FirstBufferSize = 4096;
constexpr size_t BufferSize = 1 << 20;
// Text is encoded in slices that fit an empty buffer at two bytes a character.
constexpr size_t Slice = BufferSize / 2;

} // namespace

TTextWriter::TTextWriter(std::string fileName)
    : File(Platform::Files().OpenOutput(fileName)), Encoded(CodePage::EncodedTable())
{
}

void TTextWriter::WriteLongText(std::u16string_view text)
{
    if (text.empty())
        return;
    IsOpen = true;
    while (!text.empty()) {
        // At most two bytes a character (CR LF for a line break).
        size_t n = std::min(text.size(), Slice);
        Reserve(n * 2);
        Pos = PutAll(text.substr(0, n), Pos);
        text.remove_prefix(n);
    }
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
    if (LineOpen)
        FlushLine();
    File->Write(std::string_view(Buffer.get(), static_cast<size_t>(Pos - Buffer.get())));
    File->Finish();
    Buffer.reset();
    Pos = Limit = nullptr;
    IsOpen = false;
}
