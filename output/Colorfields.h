// Colorfields: the color.txt line syntax: quoted fields, integers and one display item a line.
#pragma once

#include "output/Colorsetting.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ColorFields {

// The fields of a line as color.txt is read: blanks (0x01 to 0x20) separate and surround fields,
// a comma ends one, a double quote opens a field that runs to the closing one ("" stands for ").
std::vector<std::string> SplitFields(std::string_view line);
// Fields joined by commas; a field with a blank, a double quote or a comma goes in quotes.
std::string JoinFields(const std::vector<std::string>& fields);
// An integer in decimal, or hexadecimal after "0x", "0X" or "$"; false if it is none.
bool ParseInteger(std::string_view text, std::int32_t& value);

// One display item as the program writes its line.
std::string FormatLine(const TColorSetting& item);
// One display item from its line. On failure returns false and says why in error (UTF-8).
bool ParseLine(std::string_view line, TColorSetting& item, std::string& error);

} // namespace ColorFields
