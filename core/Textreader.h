// Textreader: a text file as a stream of 16-bit characters, a line break after every line.
#pragma once

#include "core/Linesplitter.h"

#include <memory>
#include <string>
#include <string_view>

class TTextReader {
public:
    explicit TTextReader(std::string fileName);
    ~TTextReader();
    TTextReader(const TTextReader&) = delete;
    TTextReader& operator=(const TTextReader&) = delete;

    // The next character; 10 after every line, 0 at the end and for ever after.
    char16_t ReadChar()
    {
        if (Column >= 1 && static_cast<size_t>(Column) <= LineLength)
            return Line[static_cast<size_t>(Column++) - 1];
        return ReadCharSlow();
    }
    // The characters of the current line that ReadChar has yet to give, without its line break
    // (empty when there are none): a caller may take some of them at once and Skip them.
    std::u16string_view Unread() const
    {
        if (Column < 1)
            return {};
        const size_t at = static_cast<size_t>(Column) - 1;
        return {Line.get() + at, LineLength - at};
    }
    // Passes over count characters of Unread.
    void Skip(size_t count) { Column += static_cast<long long>(count); }
    void Close();

    const char16_t EndMark = 0;
    const char16_t LineBreak = 10;

private:
    // The file's bytes, and its lines taken from them in order.
    std::string Lines;
    TLineSplitter Splitter;
    std::string FileName;
    // The current line, decoded; the buffer grows to the longest line and is then reused.
    std::unique_ptr<char16_t[]> Line;
    size_t LineCapacity = 0;
    size_t LineLength = 0;
    long long Column = -1;
    bool Active = true;
    bool Loaded = false;

    char16_t ReadCharSlow();
    char16_t NextLine();
};
