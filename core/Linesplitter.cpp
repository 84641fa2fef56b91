// Linesplitter: memchr for each kind of line end, then the CR LF pair.
#include "core/Linesplitter.h"

#include <algorithm>
#include <cstring>

TLineSplitter::TLineSplitter(std::string_view data) : Data(data.substr(0, data.find('\0')))
{
    NextCR = Find('\r', 0);
    NextLF = Find('\n', 0);
}

size_t TLineSplitter::Find(char ch, size_t from) const
{
    if (from >= Data.size())
        return std::string_view::npos;
    const void* hit = std::memchr(Data.data() + from, ch, Data.size() - from);
    return hit ? static_cast<size_t>(static_cast<const char*>(hit) - Data.data())
               : std::string_view::npos;
}

bool TLineSplitter::Next(std::string_view& line)
{
    size_t size = Data.size();
    if (Offset >= size)
        return false;
    if (NextCR < Offset)
        NextCR = Find('\r', Offset);
    if (NextLF < Offset)
        NextLF = Find('\n', Offset);
    size_t end = std::min(std::min(NextCR, NextLF), size);
    line = Data.substr(Offset, end - Offset);
    if (end < size)
        end += LineEndLength(Data, end);
    Offset = end;
    return true;
}
