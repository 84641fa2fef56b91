// Linesplitter: the lines of a file's bytes, by the rules every text file of the program follows.
#pragma once

#include <cstddef>
#include <string_view>

// The text ends at the first zero byte. A line ends at CR LF, at a lone LF or at a lone CR, so
// LF CR is two line ends; a line end at the very end starts no further line, and empty data has
// no lines.
class TLineSplitter {
public:
    TLineSplitter() = default;
    // data is borrowed: it must outlive the splitter.
    explicit TLineSplitter(std::string_view data);

    // The next line without its line end; false when none is left.
    bool Next(std::string_view& line);
    // The text the lines are taken from: the data up to its first zero byte.
    std::string_view Text() const { return Data; }
    // The bytes of the line end at text[at], a CR or an LF: 2 for CR LF, else 1.
    static size_t LineEndLength(std::string_view text, size_t at)
    {
        return text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n' ? 2 : 1;
    }

private:
    std::string_view Data;
    size_t Offset = 0;
    // Where the next CR and the next LF at or after Offset are (npos: none left). Each is
    // searched for with memchr and only again once passed, so long runs of short lines of one
    // kind of line end cost one search per line.
    size_t NextCR = 0;
    size_t NextLF = 0;
    size_t Find(char ch, size_t from) const;
};
