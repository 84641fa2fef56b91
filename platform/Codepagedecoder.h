// Codepagedecoder: the system's own code page 932 converter, asked about one byte or one byte
// pair at a time: what the built-in tables (Codepagemap.h) are made from and checked against.
// The program itself never calls it.
#pragma once

#include <cstddef>

namespace CodePage {

class TCodePageDecoder {
public:
    // What Decode gives for bytes that are not exactly one character.
    static constexpr char16_t NoChar = 0xFFFF;

    // Throws std::runtime_error when the system has no code page 932 converter.
    TCodePageDecoder();
    ~TCodePageDecoder();
    TCodePageDecoder(const TCodePageDecoder&) = delete;
    TCodePageDecoder& operator=(const TCodePageDecoder&) = delete;

    // The one character that bytes (one byte or a lead and a trail byte) decode to, without
    // any best-fit or default character; NoChar when they are invalid or decode to more or
    // fewer than one character.
    char16_t Decode(const char* bytes, std::size_t length);

private:
    void* Handle = nullptr;
};

} // namespace CodePage
