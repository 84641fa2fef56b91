// Textwriter: output pieces in memory, written to the file in one go.
#include "core/Textwriter.h"

#include "platform/Codepage.h"
#include "platform/Platform.h"

#include <algorithm>

namespace {
// Pieces start small for the many short outputs and double up to this size.
constexpr size_t FirstPieceSize = 4096;
constexpr size_t PieceSize = 8 << 20;
// Text is encoded in slices of this many characters, so a huge token needs no huge piece.
constexpr size_t Slice = PieceSize / 4;

} // namespace

TTextWriter::TTextWriter(std::string fileName)
    : FileName(std::move(fileName)), Encoded(CodePage::EncodedTable())
{
}

void TTextWriter::WriteText(std::u16string_view text)
{
    if (text.empty())
        return;
    IsOpen = true;
    while (!text.empty()) {
        // At most two bytes a character (CR LF for a line break).
        size_t n = std::min(text.size(), Slice);
        Reserve(n * 2);
        for (char16_t ch : text.substr(0, n))
            Put(ch);
        text.remove_prefix(n);
    }
}

void TTextWriter::EndPiece()
{
    if (!Pieces.empty())
        Pieces.back().Size = static_cast<size_t>(Pos - Pieces.back().Data.get());
}

void TTextWriter::NewPiece(size_t bytes)
{
    size_t last = Pieces.empty() ? 0 : static_cast<size_t>(Limit - Pieces.back().Data.get());
    EndPiece();
    size_t size = std::max(last == 0 ? FirstPieceSize : std::min(last * 2, PieceSize), bytes);
    TPiece piece;
    // Not zeroed: every byte up to Pos is written before it is read.
    piece.Data = std::make_unique_for_overwrite<char[]>(size);
    Platform::AdviseLargeBuffer(piece.Data.get(), size);
    Pos = piece.Data.get();
    Limit = Pos + size;
    Pieces.push_back(std::move(piece));
}

void TTextWriter::Close()
{
    if (!IsOpen)
        return;
    if (LineOpen)
        FlushLine();
    EndPiece();
    std::vector<std::string_view> views;
    views.reserve(Pieces.size());
    for (const TPiece& piece : Pieces)
        views.emplace_back(piece.Data.get(), piece.Size);
    Platform::WriteFile(FileName, views);
    Pieces.clear();
    Pos = Limit = nullptr;
    IsOpen = false;
}
