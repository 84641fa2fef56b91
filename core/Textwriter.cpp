// Textwriter: encodes each finished line into the output held in memory.
#include "core/Textwriter.h"

#include "platform/Codepage.h"
#include "platform/Platform.h"

TTextWriter::TTextWriter(std::string fileName) : FileName(std::move(fileName)) {}

void TTextWriter::WriteChar(char16_t ch)
{
    IsOpen = true;
    if (ch == LineBreak)
        FlushLine();
    else
        Line.push_back(ch);
}

void TTextWriter::WriteText(std::u16string_view text)
{
    for (char16_t ch : text)
        WriteChar(ch);
}

void TTextWriter::FlushLine()
{
    CodePage::EncodeAppend(Line, Lines);
    Lines += "\r\n";
    Line.clear();
}

void TTextWriter::Close()
{
    if (!IsOpen)
        return;
    if (!Line.empty())
        FlushLine();
    Platform::WriteFile(FileName, Lines);
    std::string().swap(Lines);
    IsOpen = false;
}
