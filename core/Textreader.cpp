// Textreader: loads the file on the first read and decodes it one line at a time.
#include "core/Textreader.h"

#include "platform/Codepage.h"
#include "platform/Files.h"

#include <algorithm>

TTextReader::TTextReader(std::string fileName) : FileName(std::move(fileName)) {}

TTextReader::~TTextReader() { Close(); }

void TTextReader::Close()
{
    if (Loaded) {
        Splitter = TLineSplitter();
        std::string().swap(Lines);
        Line.reset();
        LineCapacity = LineLength = 0;
        Loaded = false;
    }
}

// Past the end of the current line: its line break, the next line, or the end mark.
char16_t TTextReader::ReadCharSlow()
{
    if (!Active)
        return EndMark;
    if (Column < 0)
        return NextLine();
    Column = -1;
    return LineBreak;
}

// The slow path of ReadChar: load the file if needed and decode the next line.
char16_t TTextReader::NextLine()
{
    if (!Loaded) {
        if (!Platform::IsFile(FileName)) {
            Active = false;
            return EndMark;
        }
        Lines = Platform::Files().ReadAll(FileName);
        Splitter = TLineSplitter(Lines);
        Loaded = true;
    }
    std::string_view line;
    if (!Splitter.Next(line))
        return EndMark; // exhausted: nothing changes, so every later call ends here too
    if (line.size() > LineCapacity) {
        // At most one character a byte; not zeroed, as every character is written before use.
        LineCapacity = std::max(line.size(), LineCapacity * 2);
        Line = std::make_unique_for_overwrite<char16_t[]>(LineCapacity);
    }
    LineLength = static_cast<size_t>(CodePage::DecodeTo(line, Line.get()) - Line.get());
    Column = 1;
    return ReadChar();
}
