// Fuzzcheck: one input through a lexer and the HTML writer, checking what every run must keep.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace FuzzCheck {

// The language codes an input can select with its first byte (taken modulo their number): the
// factory's in its order, then the window's code for plain text.
unsigned CodeCount();
std::string CodeAt(unsigned index);

// The layout of an input: byte 0 selects the code; the rest is split at each pair of zero bytes
// into the source, escape.txt and the .key, .sp1, .sp2, .sp3 and .ope lists. A part that is not
// there is a missing file.
inline constexpr const char* Separator = "\0\0";

// Builds an input of that layout from its parts (source first).
std::string MakeInput(unsigned codeIndex, const std::string* parts, size_t count);

// Runs one input in a program folder held in memory. Empty when every check holds, otherwise
// what went wrong.
std::string Run(const std::uint8_t* data, size_t size);

} // namespace FuzzCheck
