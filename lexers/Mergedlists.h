// Mergedlists: a lexer's word lists in one index, so that an identifier is looked up once.
#pragma once

#include "core/Name.h"
#include "lexers/Tokenreader.h"
#include "lexers/Wordindex.h"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

// Held apart and aligned to a cache line of its own, as the thread that writes the tokens reads
// it while the lexer works. It only reads.
class alignas(64) TMergedLists final : public TDeferredLookup {
public:
    // parts: the lists in the order they are asked, so that a later one wins, with the kind each
    // gives. The first holds the reserved words: they count only after a token of kind "その他",
    // they may ignore letter case (the comparison of the index is theirs), and with listSpelling
    // one is written as the list spells it. The other lists compare exactly.
    TMergedLists(std::span<const TWordIndex* const> parts, std::span<const TName> kinds,
                 bool listSpelling);

    TName KindOf(TName kind, std::u16string_view& text, TName before) const override;

private:
    TWordIndex List;
    // The kind of each part, as many as Bits has bits.
    std::array<TName, 8> Kinds{};
    // Per entry of List: bit n is set when part n holds it.
    std::vector<std::uint8_t> Bits;
    // The entries equal to the first one of their kind under the index's comparison: those of
    // the entry at i are Group[GroupStart[i]] up to the start of i + 1 (empty for every entry
    // that is not the first).
    std::vector<std::uint32_t> GroupStart;
    std::vector<std::uint32_t> Group;
    bool ListSpelling = false;
};
