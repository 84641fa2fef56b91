// Textwriter: encodes characters into CR LF lines of code page 932 and writes them to the file.
#pragma once

#include "platform/Files.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

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
    void WriteText(std::u16string_view text)
    {
        // Most texts are a token or two long: they go straight in when there is room.
        if (text.size() <= ShortText && static_cast<size_t>(Limit - Pos) >= 2 * ShortText) {
            if (!text.empty()) {
                IsOpen = true;
                Pos = PutAll(text, Pos);
            }
            return;
        }
        WriteLongText(text);
    }
    // Ends the current line.
    void FlushLine() { WriteChar(LineBreak); }

    // Writes the rest of the file, unless no character was ever written. An unfinished last
    // line gets its line end. Throws TFileError; a writer dropped without Close leaves no
    // partial output.
    void Close();

    const char16_t LineBreak = 10;

    // Bytes already in code page 932 and without a line break (markup made once and reused).
    void WriteEncoded(std::string_view bytes)
    {
        if (bytes.empty())
            return;
        IsOpen = true;
        Reserve(bytes.size());
        std::memcpy(Pos, bytes.data(), bytes.size());
        Pos += bytes.size();
        LineOpen = true;
    }

    // For writers that encode for themselves: room for bytes more (at most the largest buffer,
    // 1 MB, for the buffer to be reused), at the returned position. The bytes are written there
    // and handed over with Commit, before any other call.
    char* Claim(size_t bytes)
    {
        Reserve(bytes);
        return Pos;
    }
    // The bytes up to end, encoded, with line ends as CR LF; lineOpen tells whether they end in
    // the middle of a line. Nothing changes when end is the claimed position.
    void Commit(char* end, bool lineOpen)
    {
        if (end == Pos)
            return;
        IsOpen = true;
        LineOpen = lineOpen;
        Pos = end;
    }

private:
    // The encoded output not yet written, filled from Buffer to Pos; Limit ends the buffer. The
    // buffer grows for small outputs, which are written in one piece on Close; once it is full
    // at its largest size, it is written out and reused.
    std::unique_ptr<char[]> Buffer;
    char* Pos = nullptr;
    char* Limit = nullptr;
    std::unique_ptr<Platform::TOutputStream> File;
    const std::uint16_t* Encoded;
    // Characters were written after the last line end.
    bool LineOpen = false;
    bool IsOpen = false;

    void Reserve(size_t bytes)
    {
        if (static_cast<size_t>(Limit - Pos) < bytes)
            MakeRoom(bytes);
    }
    // Writes the full buffer out, or grows it, so that bytes more fit.
    void MakeRoom(size_t bytes);
    // Encodes text, not empty, at pos, which has room for two bytes a character; returns the end.
    char* PutAll(std::u16string_view text, char* pos)
    {
        // A local position: stores through it could otherwise alias the members.
        const std::uint16_t* encoded = Encoded;
        for (char16_t ch : text) {
            if (ch < 0x80) {
                if (ch == u'\n') {
                    *pos++ = '\r';
                    *pos++ = '\n';
                    continue;
                }
                *pos++ = static_cast<char>(ch);
            } else {
                std::uint16_t code = encoded[ch];
                if (code >= 0x100)
                    *pos++ = static_cast<char>(code >> 8);
                *pos++ = static_cast<char>(code & 0xFF);
            }
        }
        LineOpen = text.back() != LineBreak;
        return pos;
    }
    void WriteLongText(std::u16string_view text);
    static constexpr size_t ShortText = 64;
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
