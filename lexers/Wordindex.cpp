// Wordindex: decoding, the hash table and the early refusal by length and first character.
#include "lexers/Wordindex.h"

#include "platform/Codepage.h"

#include <algorithm>

TWordIndex::TWordIndex(const TStringList& lines, TComparison comparison)
    : Exact(comparison == TComparison::Exact),
      Fold(comparison == TComparison::Exact ? nullptr : CodePage::FoldTable())
{
    // At most one character a byte: decode into a buffer of that size, then cut it.
    size_t bytes = 0;
    for (const std::string& entry : lines.Lines())
        bytes += entry.size();
    Text.assign(bytes, u'\0');
    Starts.reserve(lines.Lines().size() + 1);
    const TTextEncoding& encoding = lines.Encoding();
    char16_t* end = Text.data();
    for (const std::string& entry : lines.Lines()) {
        end = encoding.DecodeTo(entry, end);
        Starts.push_back(static_cast<std::uint32_t>(end - Text.data()));
    }
    Text.resize(static_cast<size_t>(end - Text.data()));
    Build();
}

TWordIndex::TWordIndex(std::span<const TWordIndex* const> parts, TComparison comparison)
    : Exact(comparison == TComparison::Exact),
      Fold(comparison == TComparison::Exact ? nullptr : CodePage::FoldTable())
{
    for (const TWordIndex* part : parts) {
        for (int i = 0; i < part->Count(); ++i) {
            Text += part->Word(i);
            Starts.push_back(static_cast<std::uint32_t>(Text.size()));
        }
    }
    Build();
}

void TWordIndex::Build()
{
    size_t slots = 16;
    while (slots < static_cast<size_t>(Count()) * 2)
        slots *= 2;
    SlotMask = slots - 1;
    Slots.assign(slots, TSlot());
    for (int i = 0; i < Count(); ++i) {
        std::u16string_view word = Word(i);
        const std::uint64_t hash = Hash(word);
        for (std::uint64_t at = hash;; ++at) {
            TSlot& slot = Slots[at & SlotMask];
            if (slot.Entry == 0) {
                slot = {i + 1, TagOf(hash)};
                break;
            }
            if (slot.Tag == TagOf(hash) && Same(Word(slot.Entry - 1), word))
                break; // the first position stays
        }
        MaxLength = std::max(MaxLength, word.size());
        Shapes[ShapeRow(word.size())] |= ShapeBit(word);
    }
}

// FNV-1a over the characters, folded where letter case is ignored.
inline std::uint64_t TWordIndex::Hash(std::u16string_view word) const
{
    std::uint64_t h = 0xCBF29CE484222325ull;
    if (Exact) {
        for (char16_t ch : word)
            h = (h ^ ch) * 0x100000001B3ull;
    } else {
        for (char16_t ch : word)
            h = (h ^ Fold[ch]) * 0x100000001B3ull;
    }
    return h ^ (h >> 29);
}

inline std::uint64_t TWordIndex::ShapeBit(std::u16string_view word) const
{
    // Folding keeps a character on its side of 128, so all wide characters may share one bit.
    if (word.empty())
        return 1;
    char16_t first = Folded(word[0]);
    return std::uint64_t{1} << ((first < 128 ? first : 127) % 64);
}

inline bool TWordIndex::Same(std::u16string_view entry, std::u16string_view key) const
{
    return Exact ? entry == key : CodePage::SameFolded(entry, key, Fold);
}

inline bool TWordIndex::MayHold(std::u16string_view key) const
{
    return key.size() <= MaxLength && (Shapes[ShapeRow(key.size())] & ShapeBit(key)) != 0;
}

int TWordIndex::IndexOf(std::u16string_view key) const
{
    if (Count() == 0 || !MayHold(key))
        return -1;
    const std::uint64_t hash = Hash(key);
    for (std::uint64_t at = hash;; ++at) {
        const TSlot& slot = Slots[at & SlotMask];
        if (slot.Entry == 0)
            return -1;
        if (slot.Tag == TagOf(hash) && Same(Word(slot.Entry - 1), key))
            return slot.Entry - 1;
    }
}
