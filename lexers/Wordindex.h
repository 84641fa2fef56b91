// Wordindex: a word list decoded once and hashed, so an identifier is looked up in a step or two.
#pragma once

#include "core/Stringlist.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class TWordIndex {
public:
    enum class TComparison { Exact, IgnoreCase };

    // An index of no entries: it finds nothing.
    TWordIndex() = default;
    // Every line of lines is one entry; lines is not kept.
    TWordIndex(const TStringList& lines, TComparison comparison);
    // The entries of every index of parts, in their order, in one index of that comparison.
    TWordIndex(std::span<const TWordIndex* const> parts, TComparison comparison);

    // Position of the first entry equal to key under the comparison; -1 if none.
    int IndexOf(std::u16string_view key) const;
    bool Holds(std::u16string_view key) const { return IndexOf(key) >= 0; }
    // The entry at index as the list spells it; valid as long as the index.
    inline std::u16string_view Word(int index) const;
    int Count() const { return static_cast<int>(Starts.size()) - 1; }
    TComparison Comparison() const { return Exact ? TComparison::Exact : TComparison::IgnoreCase; }

private:
    bool Exact = true;
    // FoldCase of every character while letter case is ignored; null for an exact index.
    const char16_t* Fold = nullptr;
    // The decoded entries one after the other, and where each begins (one more for the end).
    std::u16string Text;
    std::vector<std::uint32_t> Starts{0};
    // Open addressing with room for twice the entries: position + 1 of the first entry of each
    // hash chain (0 for an empty slot) and the top half of its hash. A lookup hashes the key
    // once, makes no string, and compares only an entry whose hash half is the key's.
    struct TSlot {
        std::int32_t Entry = 0;
        std::uint32_t Tag = 0;
    };
    std::vector<TSlot> Slots;
    std::uint64_t SlotMask = 0;
    // Per length (the last row for all longer ones): a bit for each first character that occurs,
    // folded and taken modulo 64; and the longest entry. Most keys are turned away by these
    // before they are hashed.
    std::array<std::uint64_t, 32> Shapes{};
    size_t MaxLength = 0;

    // Hashes the entries held in Text and Starts.
    void Build();
    char16_t Folded(char16_t ch) const { return Exact ? ch : Fold[ch]; }
    std::uint64_t Hash(std::u16string_view word) const;
    std::uint64_t ShapeBit(std::u16string_view word) const;
    static size_t ShapeRow(size_t length) { return length < 31 ? length : 31; }
    bool Same(std::u16string_view entry, std::u16string_view key) const;
    bool MayHold(std::u16string_view key) const;
    static std::uint32_t TagOf(std::uint64_t hash) { return static_cast<std::uint32_t>(hash >> 32); }
};

// A lookup runs for every identifier: its steps are inline.
inline std::u16string_view TWordIndex::Word(int index) const
{
    const std::uint32_t from = Starts[static_cast<size_t>(index)];
    return {Text.data() + from, Starts[static_cast<size_t>(index) + 1] - from};
}
