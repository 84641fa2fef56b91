// Tabexpansion: the text a lexer must hand out for an input, worked out without any lexer.
#pragma once

#include "core/Textreader.h"
#include "platform/Codepage.h"

#include <string>
#include <string_view>

namespace TabExpansion {

// text with every tab replaced by the spaces up to the next column that is a multiple of four;
// a line feed starts column 0 and a character takes the columns CodePage::Columns gives it.
inline std::u16string Expand(std::u16string_view text)
{
    std::u16string out;
    int column = 0;
    char16_t prev = 0;
    for (char16_t ch : text) {
        if (ch == u'\t') {
            do {
                out += u' ';
                ++column;
            } while (column % 4 != 0);
            prev = u' ';
            continue;
        }
        out += ch;
        column = ch == u'\n' ? 0 : column + CodePage::Columns(ch, prev);
        prev = ch;
    }
    return out;
}

// The file at path as the text reader yields it (a line feed after every line), expanded.
inline std::u16string ReadExpanded(const std::string& path)
{
    TTextReader reader(path);
    std::u16string text;
    for (char16_t ch = reader.ReadChar(); ch != 0; ch = reader.ReadChar())
        text += ch;
    return Expand(text);
}

} // namespace TabExpansion
