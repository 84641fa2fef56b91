// Colorsetting: one display item: CSS class, colours, bold, italic and whether it is switched on.
#pragma once

#include <cstdint>
#include <string>

class TColorSetting {
public:
    std::string Name;     // code page 932: the token-kind name it highlights
    std::string CssClass; // code page 932
    std::int32_t Color = 0;            // text colour, 0x00BBGGRR
    std::int32_t BackColor = 0xFFFFFF; // background colour, 0x00BBGGRR
    bool Bold = false;
    bool Italic = false;
    bool Enabled = false;
};
