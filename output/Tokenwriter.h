// Tokenwriter: renders tokens as SPAN elements or bare text, escaping the characters of escape.txt.
#pragma once

#include "core/Stringlist.h"
#include "core/Textwriter.h"
#include "core/Token.h"
#include "output/Colorsettinglist.h"

#include <array>
#include <bitset>
#include <memory>
#include <string>
#include <vector>

class TTokenWriter {
public:
    // Reads escape.txt from the program folder when it exists. Throws TFileError.
    TTokenWriter(TTextWriter& writer, const TColorSettingList& styles);
    // The same with the lines of an escape list given, read from no file.
    TTokenWriter(TTextWriter& writer, const TColorSettingList& styles, TStringList escapeList);
    TTokenWriter(const TTokenWriter&) = delete;
    TTokenWriter& operator=(const TTokenWriter&) = delete;

    void WriteToken(const TToken& token);
    std::u16string Escape(std::u16string_view text) const;

private:
    TTextWriter& Writer;
    const TColorSettingList& Styles;
    TStringList EscapeList;

    // Per character: whether escape.txt lists it (letter case aside). Built once from EscapeList.
    std::unique_ptr<std::bitset<65536>> Escaped;
    // The item names, decoded once, and their opening tags, encoded once.
    std::vector<std::u16string> ItemNames;
    std::vector<std::string> OpenTags;
    // The thirteen kinds, the most frequent first, each with its opening tag (null for none).
    struct TKindTag {
        TName Kind;
        const std::string* Tag = nullptr;
    };
    std::array<TKindTag, std::size(TokenKind::All)> KindTags{};

    const std::string* FindOpenTag(TName kind) const;
    const std::string* SearchOpenTag(TName kind) const;
    void WriteEscaped(std::u16string_view text);
    static TStringList ReadEscapeList();
    static std::u16string_view FormatReference(char16_t ch, char16_t (&buf)[8]);
};
