// Textreader: loads the file on the first read and decodes it one line at a time.
#include "core/Textreader.h"

#include "core/Stringlist.h"
#include "platform/Codepage.h"
#include "platform/Platform.h"

TTextReader::TTextReader(std::string fileName) : FileName(std::move(fileName)) {}

TTextReader::~TTextReader() { Close(); }

void TTextReader::Close()
{
    if (Loaded) {
        std::string().swap(Lines);
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
        if (!Platform::FileExists(FileName)) {
            Active = false;
            return EndMark;
        }
        Lines = Platform::ReadFile(FileName);
        size_t zero = Lines.find('\0');
        if (zero != std::string::npos)
            Lines.resize(zero);
        NextOffset = 0;
        LineIndex = -1;
        Loaded = true;
    }
    std::string_view line;
    if (!TStringList::NextLine(Lines, NextOffset, line))
        return EndMark; // exhausted: nothing changes, so every later call ends here too
    ++LineIndex;
    Line.clear();
    CodePage::DecodeAppend(line, Line);
    Column = 1;
    return ReadChar();
}
