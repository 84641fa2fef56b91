// Textwriter: gathers characters into CR LF lines and writes the file in one piece on Close.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class TTextWriter {
public:
    explicit TTextWriter(std::string fileName);
    TTextWriter(const TTextWriter&) = delete;
    TTextWriter& operator=(const TTextWriter&) = delete;

    void WriteChar(char16_t ch)
    {
        IsOpen = true;
        if (ch == LineBreak)
            FlushLine();
        else
            Line.push_back(ch);
        if (Line.size() >= LongLine)
            EncodeLine();
    }
    void WriteText(std::u16string_view text);
    void FlushLine();

    // Writes the file, unless no character was ever written. Throws TFileError.
    void Close();

    const char16_t LineBreak = 10;

private:
    // The finished lines, encoded, each followed by CR LF. The output is kept in pieces of a
    // few megabytes, so a large output is never copied to grow and each byte is touched once.
    std::vector<std::string> Lines;
    std::string FileName;
    // The characters of the unfinished line not yet encoded; LineStarted when some already are.
    std::u16string Line;
    bool LineStarted = false;
    bool IsOpen = false;

    // A line this long is encoded before it ends, so a huge line is never held twice.
    static constexpr size_t LongLine = 1 << 16;
    void EncodeLine();
};
