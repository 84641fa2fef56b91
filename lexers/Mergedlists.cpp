// Mergedlists: the groups of equal entries, built once, and the one lookup per identifier.
#include "lexers/Mergedlists.h"

#include "core/Token.h"

#include <algorithm>
#include <cassert>

TMergedLists::TMergedLists(std::span<const TWordIndex* const> parts, std::span<const TName> kinds,
                           bool listSpelling)
    : List(parts, parts[0]->Comparison()), ListSpelling(listSpelling)
{
    assert(parts.size() == kinds.size() && kinds.size() <= Kinds.size());
    std::copy(kinds.begin(), kinds.end(), Kinds.begin());
    const size_t count = static_cast<size_t>(List.Count());
    Bits.assign(count, 0);
    // Every entry joins the group of the first entry equal to it: counted, then placed.
    std::vector<std::uint32_t> first(count);
    GroupStart.assign(count + 1, 0);
    size_t at = 0;
    for (size_t part = 0; part < parts.size(); ++part)
        for (int i = 0; i < parts[part]->Count(); ++i, ++at) {
            std::u16string_view word = List.Word(static_cast<int>(at));
            first[at] = static_cast<std::uint32_t>(List.IndexOf(word));
            Bits[at] = static_cast<std::uint8_t>(1u << part);
            ++GroupStart[first[at] + 1];
        }
    for (size_t i = 0; i < count; ++i)
        GroupStart[i + 1] += GroupStart[i];
    Group.assign(count, 0);
    std::vector<std::uint32_t> placed(GroupStart.begin(), GroupStart.end() - 1);
    for (size_t i = 0; i < count; ++i)
        Group[placed[first[i]]++] = static_cast<std::uint32_t>(i);
}

TName TMergedLists::KindOf(TName kind, std::u16string_view& text, TName before) const
{
    const int lead = List.IndexOf(text);
    if (lead < 0)
        return kind;
    const std::uint32_t* member = Group.data() + GroupStart[static_cast<size_t>(lead)];
    const std::uint32_t* end = Group.data() + GroupStart[static_cast<size_t>(lead) + 1];
    // The reserved words come first in the group, and the first of them is the one the list
    // finds; the other lists compare exactly with the text it leaves.
    if ((Bits[*member] & 1) != 0 && before == TokenKind::Other) {
        kind = Kinds[0];
        std::u16string_view word = List.Word(static_cast<int>(*member));
        if (ListSpelling && word != text)
            text = word;
    }
    unsigned bits = 0;
    for (; member != end; ++member)
        if ((Bits[*member] & ~1u) != 0 && List.Word(static_cast<int>(*member)) == text)
            bits |= Bits[*member];
    // The last list that holds it wins.
    for (size_t part = 1; bits >> part != 0; ++part)
        if (bits & (1u << part))
            kind = Kinds[part];
    return kind;
}
