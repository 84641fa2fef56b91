// Tokenwriter: renders tokens as SPAN elements or bare text, escaping the characters of escape.txt.
#pragma once

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

    // Per character, what it becomes in the output: its code page 932 bytes in the order they
    // are written, the first in the low byte (below 0x100 the one byte; else the trail byte,
    // 0x40-0xFC, in the high byte), or one of the marks below, which no character's bytes are.
    static constexpr std::uint16_t FirstMark = 0xFD00;
    static constexpr std::uint16_t Utf8Mark = 0xFE00;      // its UTF-8 bytes (two or three)
    static constexpr std::uint16_t SurrogateMark = 0xFE01; // half of a pair, or alone
    static constexpr std::uint16_t LineBreakMark = 0xFE0A; // CR LF
    static constexpr std::uint16_t EscapeMark = 0xFFFF;    // a numeric character reference
    std::unique_ptr<std::uint16_t[]> Output;
    // The most bytes one character becomes: "&#xFFFF;" (a pair's reference is ten bytes for two).
    static constexpr size_t MaxCharBytes = 8;
    // The characters above U+FFFF that escape.txt lists; the output's encoding is UTF-8.
    std::vector<char32_t> ListedPairs;
    bool UnicodePage = false;

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
    // Writes text at pos, which has room for MaxCharBytes a character; returns the end.
    [[gnu::always_inline]] inline char* PutText(std::u16string_view text, char* pos) const;
    // The character at at (before end) whose Output is the mark code, written at pos: its UTF-8
    // bytes, or its reference; a surrogate pair as one character. Returns the end of what was
    // written and the last character taken (the pair's low half).
    struct TPut {
        char* Pos;
        const char16_t* At;
    };
    TPut PutMarked(std::uint16_t code, const char16_t* at, const char16_t* end, char* pos) const;
    void WriteLongToken(const TTag* tag, std::u16string_view text);
    static TStringList ReadEscapeList();
};
