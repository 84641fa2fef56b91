// Textwriter: encodes characters into CR LF lines of code page 932 or UTF-8 and writes them to the
// file.
#pragma once

#include "core/Charencoder.h"
#include "core/Textencoding.h"
#include "platform/Files.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

class TTextWriter {
public:
    // encoding: code page 932 or UTF-8, written without a mark.
    explicit TTextWriter(std::string fileName, const TTextEncoding& encoding = {});
    TTextWriter(const TTextWriter&) = delete;
    TTextWriter& operator=(const TTextWriter&) = delete;

    // Encoded by TCharEncoder::PutCode: a character the encoding cannot hold is written as a
    // numeric character reference; a surrogate pair as the one character it stands for, so a
    // high surrogate is held back until the next character.
    void WriteChar(char16_t ch)
    {
        IsOpen = true;
        Reserve(MaxCharBytes);
        Put(ch);
    }
    // Every character of text through WriteChar.
    void WriteText(std::u16string_view text)
    {
        for (char16_t ch : text)
            WriteChar(ch);
    }
    // Ends the current line.
    void FlushLine() { WriteChar(LineBreak); }

    // Writes the rest of the file, unless no character was ever written. An unfinished last
    // line gets its line end. Throws TFileError; a writer dropped without Close leaves no
    // partial output.
    void Close();

    const char16_t LineBreak = 10;
    const TTextEncoding& Encoding() const { return TextEncoding; }

    // The most bytes WriteChar writes at once: a lone high surrogate's reference and the
    // reference of the character after it.
    static constexpr size_t MaxCharBytes = 2 * TCharEncoder::MaxCharBytes;

    // Bytes already encoded and without a line break (markup made once and reused).
    void WriteEncoded(std::string_view bytes)
    {
        if (bytes.empty())
            return;
        char* pos = Claim(bytes.size());
        std::memcpy(pos, bytes.data(), bytes.size());
        Commit(pos + bytes.size(), true);
    }

    // For writers that encode for themselves: room for bytes more (at most the largest buffer,
    // 1 MB, for the buffer to be reused), at the returned position. The bytes are written there
    // and handed over with Commit, before any other call.
    char* Claim(size_t bytes)
    {
        if (High != 0) [[unlikely]]
            PutHeld();
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
    TTextEncoding TextEncoding;
    TCharEncoder Encoder;
    // A high surrogate waiting for its low half; 0 for none.
    char16_t High = 0;
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
    // Encodes ch at Pos, which has room for MaxCharBytes; a line break becomes CR LF.
    void Put(char16_t ch)
    {
        if (ch >= 0x80 || High != 0) {
            PutWide(ch);
            return;
        }
        if (ch == LineBreak) {
            *Pos++ = '\r';
            *Pos++ = '\n';
            LineOpen = false;
            return;
        }
        *Pos++ = static_cast<char>(ch);
        LineOpen = true;
    }
    void PutWide(char16_t ch);
    // Writes the held high surrogate alone.
    void PutHeld();
    // One character at Pos: its bytes in the encoding, or its reference.
    void PutCode(char32_t c)
    {
        LineOpen = true;
        Pos = Encoder.PutCode(c, Pos);
    }
};
