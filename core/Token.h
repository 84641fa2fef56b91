// Token: a piece of source text and the name of its kind; the kind names themselves.
#pragma once

#include "core/Name.h"

#include <array>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>

// The thirteen token kinds. The first twelve are also the names of the display items. Each name
// points at one array for the whole program, so a kind is compared by address before letters.
namespace TokenKind {
namespace Letters {
inline constexpr char16_t Reserved[] = u"予約語";
inline constexpr char16_t Directive[] = u"ディレクティブ";
inline constexpr char16_t Comment[] = u"コメント";
inline constexpr char16_t String[] = u"文字列";
inline constexpr char16_t Char[] = u"文字";
inline constexpr char16_t Number[] = u"数字";
inline constexpr char16_t Identifier[] = u"識別子";
inline constexpr char16_t Operator[] = u"演算子";
inline constexpr char16_t Delimiter[] = u"区切り記号";
inline constexpr char16_t Emphasis1[] = u"強調１";
inline constexpr char16_t Emphasis2[] = u"強調２";
inline constexpr char16_t Emphasis3[] = u"強調３";
inline constexpr char16_t Other[] = u"その他";
} // namespace Letters

inline constexpr TName Reserved = Letters::Reserved;
inline constexpr TName Directive = Letters::Directive;
inline constexpr TName Comment = Letters::Comment;
inline constexpr TName String = Letters::String;
inline constexpr TName Char = Letters::Char;
inline constexpr TName Number = Letters::Number;
inline constexpr TName Identifier = Letters::Identifier;
inline constexpr TName Operator = Letters::Operator;
inline constexpr TName Delimiter = Letters::Delimiter;
inline constexpr TName Emphasis1 = Letters::Emphasis1;
inline constexpr TName Emphasis2 = Letters::Emphasis2;
inline constexpr TName Emphasis3 = Letters::Emphasis3;
inline constexpr TName Other = Letters::Other;

inline constexpr TName All[] = {Reserved,  Directive, Comment,   String,    Char,
                                Number,    Identifier, Operator, Delimiter, Emphasis1,
                                Emphasis2, Emphasis3, Other};
// The display items are the first ItemCount kinds: every kind but "その他".
inline constexpr int ItemCount = static_cast<int>(std::size(All)) - 1;

namespace Slots {
// The kinds are told apart by the top six bits of their hash times a factor: the first odd
// factor that keeps all thirteen apart, and the position in All of each value of those bits.
constexpr unsigned Of(std::uint32_t hash, std::uint32_t factor) { return (hash * factor) >> 26; }
inline constexpr std::uint32_t Factor = [] {
    for (std::uint32_t factor = 1; factor < 1u << 16; factor += 2) {
        std::uint64_t seen = 0;
        bool apart = true;
        for (TName kind : All) {
            const std::uint64_t bit = std::uint64_t{1} << Of(kind.LetterHash(), factor);
            apart = apart && (seen & bit) == 0;
            seen |= bit;
        }
        if (apart)
            return factor;
    }
    return 0u;
}();
static_assert(Factor != 0, "no factor tells the kinds apart");
inline constexpr std::array<std::uint8_t, 64> Positions = [] {
    std::array<std::uint8_t, 64> positions{};
    for (std::uint8_t i = 0; i < std::size(All); ++i)
        positions[Of(All[i].LetterHash(), Factor)] = i;
    return positions;
}();
} // namespace Slots

// The position of kind in All, in one step; kind must be one of them.
inline std::size_t IndexOf(TName kind)
{
    const std::size_t index = Slots::Positions[Slots::Of(kind.LetterHash(), Slots::Factor)];
    assert(All[index] == kind && "not a token kind");
    return index;
}
// The same for any name: std::size(All) when it is no token kind.
inline std::size_t Find(TName kind)
{
    const std::size_t index = Slots::Positions[Slots::Of(kind.LetterHash(), Slots::Factor)];
    return All[index] == kind ? index : std::size(All);
}
} // namespace TokenKind

class TToken {
public:
    TToken(std::u16string_view text, TName kind) : Text(text), Kind(kind) {}

    std::u16string Text;
    TName Kind;
    bool Ready = false;
    // An identifier whose word-list lookup a lexer left to the reader of its tokens: Kind and
    // Text are as before the lookup, and the lexer's TDeferredLookup gives what it would
    // have made.
    bool LookupDeferred = false;
};
