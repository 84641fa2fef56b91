// Textreader: a text file as a stream of 16-bit characters, a line break after every line.
#pragma once

#include "core/Textencoding.h"

#include <cstddef>
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
        if (Pos != End)
            return *Pos++;
        return ReadCharSlow();
    }
    // The characters already decoded that ReadChar has yet to give, line breaks included: a
    // caller may take some of them at once and Skip them. Empty when the next call decodes.
    std::u16string_view Unread() const { return {Pos, static_cast<size_t>(End - Pos)}; }
    // Passes over count characters of Unread.
    void Skip(size_t count) { Pos += count; }
    // The bytes of the file not yet decoded: 0 before the first read.
    size_t UndecodedBytes() const { return Text.size() - Offset; }
    // From now on the rest of the file is decoded on a thread of its own, a few slices ahead of
    // ReadChar; UndecodedBytes no longer counts. Does nothing before the first read.
    void DecodeAhead();
    // Lets the file go; from then on ReadChar gives the end mark.
    void Close();
    // The encoding of the file, decided from its bytes; code page 932 for a missing file. Loads
    // the file if no character was read yet, without taking any.
    const TTextEncoding& Encoding();

    const char16_t EndMark = 0;
    const char16_t LineBreak = 10;

private:
    // The file's bytes (UTF-16 turned into UTF-8), their encoding, the text to decode (the
    // bytes without a mark, up to the end of the text) and how far it is decoded.
    std::string Bytes;
    TTextEncoding TextEncoding;
    TTextEncoding::TLineDecoder DecodeLine = &CodePage::DecodeLineTo;
    std::string_view Text;
    size_t Offset = 0;
    std::string FileName;
    // The characters of the latest slice of lines: each line followed by its line break. A slice
    // ends after some Slice bytes, so a long line is decoded over several.
    // Aligned to a cache line of its own: the decoder fills one slice while another is read.
    struct alignas(64) TSlice {
        std::unique_ptr<char16_t[]> Chars;
        size_t Length = 0;
    };
    TSlice Own;
    const char16_t* Pos = nullptr;
    const char16_t* End = nullptr;
    bool Active = true;
    bool Loaded = false;
    // While decoding ahead: the decoding thread and the slices it hands over (Textreader.cpp),
    // and the slice being read.
    struct TAhead;
    std::unique_ptr<TAhead> Ahead;
    TSlice* Reading = nullptr;

    static constexpr size_t Slice = 32768;
    char16_t ReadCharSlow();
    // Reads the file on the first look at it: false when there is none.
    bool Load();
    // Makes the next slice the one ReadChar reads; false when the text is used up.
    bool Fill();
    // Decodes the next slice into slice; false when the text is used up.
    bool Decode(TSlice& slice);
    void StopDecoder();
};
