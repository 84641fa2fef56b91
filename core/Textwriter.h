// Textwriter: encodes characters into CR LF lines of code page 932 and writes the file on Close.
#pragma once

#include <cstdint>
#include <memory>
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
        Reserve(2);
        Put(ch);
    }
    void WriteText(std::u16string_view text);
    // Ends the current line.
    void FlushLine() { WriteChar(LineBreak); }

    // Writes the file, unless no character was ever written. An unfinished last line gets its
    // line end. Throws TFileError.
    void Close();

    const char16_t LineBreak = 10;

private:
    // The output, encoded, in pieces of a few megabytes: a large output is never copied to grow
    // and each byte is touched once. The last piece is filled from Pos up to Limit.
    struct TPiece {
        std::unique_ptr<char[]> Data;
        size_t Size = 0;
    };
    std::vector<TPiece> Pieces;
    char* Pos = nullptr;
    char* Limit = nullptr;
    std::string FileName;
    const std::uint16_t* Encoded;
    // Characters were written after the last line end.
    bool LineOpen = false;
    bool IsOpen = false;

    void Reserve(size_t bytes)
    {
        if (static_cast<size_t>(Limit - Pos) < bytes)
            NewPiece(bytes);
    }
    void NewPiece(size_t bytes);
    void EndPiece();
    // Encodes ch at Pos, which has room for two bytes; a line break becomes CR LF.
    void Put(char16_t ch)
    {
        if (ch < 0x80) {
            if (ch == LineBreak) {
                *Pos++ = '\r';
                *Pos++ = '\n';
                LineOpen = false;
                return;
            }
            *Pos++ = static_cast<char>(ch);
        } else {
            std::uint16_t code = Encoded[ch];
            if (code >= 0x100)
                *Pos++ = static_cast<char>(code >> 8);
            *Pos++ = static_cast<char>(code & 0xFF);
        }
        LineOpen = true;
    }
};
