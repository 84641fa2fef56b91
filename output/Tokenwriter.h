// Tokenwriter: renders tokens as SPAN elements or bare text, escaping the characters of escape.txt.
#pragma once

#include "core/Charencoder.h"
#include "core/Stringlist.h"
#include "core/Textwriter.h"
#include "core/Token.h"
#include "output/Colorsettinglist.h"

#include <array>
#include <cstdint>
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

    void WriteToken(const TToken& token) { Write(token.Text, token.Kind); }
    // The same for a token's text and kind held elsewhere.
    void Write(std::u16string_view text, TName kind);
    std::u16string Escape(std::u16string_view text) const;

private:
    TTextWriter& Writer;
    const TColorSettingList& Styles;
    TStringList EscapeList;

    // The writer's encoding, with the characters of escape.txt escaped.
    TCharEncoder Encoder;
    // The most bytes one character becomes (a pair's reference is ten bytes for two).
    static constexpr size_t MaxCharBytes = TCharEncoder::MaxCharBytes;

    // The item names, decoded once, and their opening tags, encoded once, each in a block of
    // fixed size (padded with zeros), so that the short ones are copied without a loop.
    static constexpr size_t TagBlock = 32;
    struct TTag {
        std::string Bytes;
        std::array<char, TagBlock> Block{};
    };
    std::vector<std::u16string> ItemNames;
    std::vector<TTag> OpenTags;
    static constexpr std::string_view CloseTag = "</SPAN>";
    // The opening tag of each of the thirteen kinds (null for none), by its position in
    // TokenKind::All; any other kind is searched among the items.
    std::array<const TTag*, std::size(TokenKind::All)> KindTags{};

    const TTag* FindOpenTag(TName kind) const
    {
        const size_t index = TokenKind::Find(kind);
        return index < KindTags.size() ? KindTags[index] : SearchOpenTag(kind);
    }
    const TTag* SearchOpenTag(TName kind) const;
    void WriteLongToken(const TTag* tag, std::u16string_view text);
    static TStringList ReadEscapeList();
};
