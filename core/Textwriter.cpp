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
        std::u16string_view part = text.substr(0, br);
        // A long part goes in slices, each encoded once the line grows long.
        while (part.size() > LongLine) {
            Line.append(part.substr(0, LongLine));
            part.remove_prefix(LongLine);
            EncodeLine();
        }
        Line.append(part);
        if (br == std::u16string_view::npos) {
            if (Line.size() >= LongLine)
                EncodeLine();
            return;
        }
        FlushLine();
        text.remove_prefix(br + 1);
    }
}

void TTextWriter::EncodeLine()
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
    CodePage::EncodeAppend(Line, Lines.back());
    LineStarted = LineStarted || !Line.empty();
    Line.clear();
}

void TTextWriter::FlushLine()
{
    EncodeLine();
    Lines.back() += "\r\n";
    LineStarted = false;
}

void TTextWriter::Close()
{
    if (!IsOpen)
        return;
    if (!Line.empty() || LineStarted)
        FlushLine();
    Platform::WriteFile(FileName, Lines);
    std::vector<std::string>().swap(Lines);
    IsOpen = false;
}
