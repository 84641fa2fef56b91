// Stringlist: list-of-lines loading and saving, and lookup through a hashed index.
#include "core/Stringlist.h"

#include "platform/Codepage.h"
#include "platform/Files.h"

#include <algorithm>

bool TStringList::NextLine(std::string_view data, size_t& pos, std::string_view& line)
{
    if (pos >= data.size())
        return false;
    size_t end = pos;
    while (end < data.size() && data[end] != '\r' && data[end] != '\n')
        ++end;
    line = data.substr(pos, end - pos);
    if (end < data.size()) {
        if (data[end] == '\r' && end + 1 < data.size() && data[end + 1] == '\n')
            end += 2;
        else
            end += 1;
    }
    pos = end;
    return true;
}

void TStringList::SetText(std::string_view data)
{
    Clear();
    size_t zero = data.find('\0');
    if (zero != std::string_view::npos)
        data = data.substr(0, zero);
    // Room for every line at once: a list of many entries never grows by copying.
    Strings.reserve(static_cast<size_t>(std::count(data.begin(), data.end(), '\n')) + 1);
    size_t pos = 0;
    std::string_view line;
    while (NextLine(data, pos, line))
        Strings.emplace_back(line);
}

void TStringList::LoadFromFile(const std::string& path)
{
    SetText(Platform::Files().ReadAll(path));
}

std::string TStringList::Text() const
{
    std::string text;
    size_t size = 0;
    for (const std::string& line : Strings)
        size += line.size() + 2;
    text.reserve(size);
    for (const std::string& line : Strings) {
        text += line;
        text += "\r\n";
    }
    return text;
}

void TStringList::SaveToFile(const std::string& path, bool atomic) const
{
    if (atomic)
        Platform::Files().Replace(path, Text());
    else
        Platform::Files().WriteAll(path, Text());
}

void TStringList::Add(std::string line)
{
    Strings.push_back(std::move(line));
    IndexValid = false;
}

void TStringList::Clear()
{
    Strings.clear();
    IndexValid = false;
}

namespace {

char16_t Fold(char16_t ch, bool caseSensitive)
{
    if (caseSensitive)
        return ch;
    return ch < 0x80 ? (ch >= u'A' && ch <= u'Z' ? ch + 32 : ch) : CodePage::FoldCase(ch);
}

// FNV-1a over the characters, folded where the list ignores letter case.
std::uint64_t WordHash(std::u16string_view word, bool caseSensitive)
{
    std::uint64_t h = 0xCBF29CE484222325ull;
    if (caseSensitive) {
        for (char16_t ch : word)
            h = (h ^ ch) * 0x100000001B3ull;
    } else {
        for (char16_t ch : word)
            h = (h ^ Fold(ch, false)) * 0x100000001B3ull;
    }
    return h ^ (h >> 29);
}

bool SameWord(std::u16string_view a, std::u16string_view b, bool caseSensitive)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i] && Fold(a[i], caseSensitive) != Fold(b[i], caseSensitive))
            return false;
    return true;
}

} // namespace

std::u16string_view TStringList::Decoded(size_t index) const
{
    std::uint32_t from = DecodedStart[index];
    return std::u16string_view(DecodedText).substr(from, DecodedStart[index + 1] - from);
}

void TStringList::BuildIndex() const
{
    // At most one character a byte: decode into a buffer of that size, then cut it.
    size_t bytes = 0;
    for (const std::string& entry : Strings)
        bytes += entry.size();
    DecodedText.assign(bytes, u'\0');
    DecodedStart.clear();
    DecodedStart.reserve(Strings.size() + 1);
    DecodedStart.push_back(0);
    char16_t* end = DecodedText.data();
    for (const std::string& entry : Strings) {
        end = CodePage::DecodeTo(entry, end);
        DecodedStart.push_back(static_cast<std::uint32_t>(end - DecodedText.data()));
    }
    DecodedText.resize(static_cast<size_t>(end - DecodedText.data()));
    size_t slots = 16;
    while (slots < Strings.size() * 2)
        slots *= 2;
    SlotMask = slots - 1;
    Slots.assign(slots, 0);
    for (size_t i = 0; i < Strings.size(); ++i) {
        std::u16string_view word = Decoded(i);
        for (std::uint64_t at = WordHash(word, CaseSensitive);; ++at) {
            std::int32_t& slot = Slots[at & SlotMask];
            if (slot == 0) {
                slot = static_cast<std::int32_t>(i) + 1;
                break;
            }
            if (SameWord(Decoded(static_cast<size_t>(slot) - 1), word, CaseSensitive))
                break; // the first position stays
        }
    }
    // A cheap test that turns most keys away before hashing: which (length, first character)
    // pairs occur, and the longest entry.
    Shapes.fill(0);
    MaxLength = 0;
    for (size_t i = 0; i < Strings.size(); ++i) {
        std::u16string_view word = Decoded(i);
        MaxLength = std::max(MaxLength, word.size());
        Shapes[ShapeRow(word.size())] |= ShapeBit(word, CaseSensitive);
    }
    IndexCaseSensitive = CaseSensitive;
    IndexValid = true;
}

bool TStringList::MayHold(std::u16string_view key) const
{
    return key.size() <= MaxLength &&
           (Shapes[ShapeRow(key.size())] & ShapeBit(key, IndexCaseSensitive)) != 0;
}

std::uint64_t TStringList::ShapeBit(std::u16string_view word, bool caseSensitive)
{
    // Folding keeps a character on its side of 128, so all wide characters may share one bit.
    if (word.empty())
        return 1;
    char16_t first = Fold(word[0], caseSensitive);
    return std::uint64_t{1} << ((first < 128 ? first : 127) % 64);
}

int TStringList::IndexOf(std::u16string_view key) const
{
    if (Strings.empty())
        return -1;
    if (!IndexValid || IndexCaseSensitive != CaseSensitive)
        BuildIndex();
    if (!MayHold(key))
        return -1;
    for (std::uint64_t at = WordHash(key, CaseSensitive);; ++at) {
        std::int32_t slot = Slots[at & SlotMask];
        if (slot == 0)
            return -1;
        if (SameWord(Decoded(static_cast<size_t>(slot) - 1), key, CaseSensitive))
            return slot - 1;
    }
}

std::u16string_view TStringList::WideString(int index) const
{
    if (!IndexValid || IndexCaseSensitive != CaseSensitive)
        BuildIndex();
    return Decoded(static_cast<size_t>(index));
}

int TStringList::IndexOf(std::string_view key) const
{
    if (CaseSensitive) {
        for (size_t i = 0; i < Strings.size(); ++i)
            if (Strings[i] == key)
                return static_cast<int>(i);
        return -1;
    }
    return IndexOf(CodePage::Decode(key));
}
