// Textwriter: encodes each finished line into the output held in memory.
#include "core/Textwriter.h"

#include "platform/Codepage.h"
#include "platform/Platform.h"

#include <algorithm>

namespace {
// Pieces start small for the many short outputs and double up to this size.
constexpr size_t FirstPieceSize = 4096;
constexpr size_t PieceSize = 8 << 20;
} // namespace

TTextWriter::TTextWriter(std::string fileName) : FileName(std::move(fileName)) {}

void TTextWriter::WriteText(std::u16string_view text)
{
    if (text.empty())
        return;
    IsOpen = true;
    for (;;) {
        size_t br = text.find(LineBreak);
        if (br == std::u16string_view::npos) {
            Line.append(text);
            return;
        }
        Line.append(text.substr(0, br));
        FlushLine();
        text.remove_prefix(br + 1);
    }
}

void TTextWriter::FlushLine()
{
    // At most two bytes a character, and CR LF.
    size_t need = Line.size() * 2 + 2;
    if (Lines.empty() || Lines.back().capacity() - Lines.back().size() < need) {
        size_t size =
            Lines.empty() ? FirstPieceSize : std::min(Lines.back().capacity() * 2, PieceSize);
        Lines.emplace_back();
        Lines.back().reserve(std::max(size, need));
        Platform::AdviseLargeBuffer(Lines.back().data(), Lines.back().capacity());
    }
    std::string& piece = Lines.back();
    CodePage::EncodeAppend(Line, piece);
    piece += "\r\n";
    Line.clear();
}

void TTextWriter::Close()
{
    if (!IsOpen)
        return;
    if (!Line.empty())
        FlushLine();
    Platform::WriteFile(FileName, Lines);
    std::vector<std::string>().swap(Lines);
    IsOpen = false;
}
