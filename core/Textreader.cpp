// Textreader: loads the file on the first read and decodes it one line at a time.
#include "core/Textreader.h"

#include "platform/Codepage.h"
#include "platform/Files.h"

#include <algorithm>
#include <cstring>

TTextReader::TTextReader(std::string fileName) : FileName(std::move(fileName)) {}

TTextReader::~TTextReader() { Close(); }

void TTextReader::Close()
{
    if (Loaded) {
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

size_t TTextReader::FindFrom(char ch, size_t from) const
{
    if (from >= Lines.size())
        return std::string::npos;
    const void* hit = std::memchr(Lines.data() + from, ch, Lines.size() - from);
    return hit ? static_cast<size_t>(static_cast<const char*>(hit) - Lines.data()) : std::string::npos;
}

// A line ends at CR LF, LF or CR; a line end at the very end of the data starts no further line.
bool TTextReader::NextLineBytes(std::string_view& line)
{
    size_t size = Lines.size();
    if (NextOffset >= size)
        return false;
    // Each line end is searched for once: a position is looked up again only once passed.
    if (NextCR < NextOffset)
        NextCR = FindFrom('\r', NextOffset);
    if (NextLF < NextOffset)
        NextLF = FindFrom('\n', NextOffset);
    size_t end = std::min(std::min(NextCR, NextLF), size);
    line = std::string_view(Lines).substr(NextOffset, end - NextOffset);
    if (end < size)
        end += Lines[end] == '\r' && end + 1 < size && Lines[end + 1] == '\n' ? 2 : 1;
    NextOffset = end;
    return true;
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
        size_t zero = Lines.find('\0');
        if (zero != std::string::npos)
            Lines.resize(zero);
        NextOffset = 0;
        NextCR = FindFrom('\r', 0);
        NextLF = FindFrom('\n', 0);
        Loaded = true;
    }
    std::string_view line;
    if (!NextLineBytes(line))
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
