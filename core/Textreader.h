// Textreader: a text file as a stream of 16-bit characters, a line break after every line.
#pragma once

#include <memory>
#include <string>

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
    void Close();

    const char16_t EndMark = 0;
    const char16_t LineBreak = 10;

private:
    // The file's bytes up to the first zero byte; its lines are read in order from NextOffset.
    std::string Lines;
    size_t NextOffset = 0;
    // Where the next CR and the next LF at or after NextOffset are (npos: none left).
    size_t NextCR = 0;
    size_t NextLF = 0;
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
    // The next line's bytes, advancing past its line end; false when none is left.
    bool NextLineBytes(std::string_view& line);
    size_t FindFrom(char ch, size_t from) const;
};
