// Convert: the driver of one run: copies templates and converts the source token by token.
#pragma once

#include "core/Textreader.h"
#include "core/Textwriter.h"

#include <string>

class TColorSettingList;

class TConvert {
public:
    explicit TConvert(const TColorSettingList& styles) : Styles(styles) {}

    // Every character of reader into writer, unchanged.
    void Copy(TTextReader& reader, TTextWriter& writer);
    // The source through the lexer of code and the HTML token writer.
    void Convert(TTextReader& reader, TTextWriter& writer, const std::string& code);

    const char16_t EndMark = 0;

private:
    const TColorSettingList& Styles;
};
