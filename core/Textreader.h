// Textreader: a text file as a stream of 16-bit characters, a line break after every line.
#pragma once

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
        if (Column >= 1 && static_cast<size_t>(Column) <= Line.size())
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
    std::string FileName;
    std::u16string Line;
    int Column = -1;
    int LineIndex = -1;
    bool Active = true;
    bool Loaded = false;

    char16_t ReadCharSlow();
    char16_t NextLine();
};
