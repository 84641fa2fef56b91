// Stringlist: an ordered list of code page 932 lines, loaded and saved by the list-of-lines rules.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <cstdint>
#include <vector>

class TStringList {
public:
    TStringList() = default;

    // Splits data into lines: the text ends at the first zero byte; a line ends at CR LF, LF or
    // CR; a line end at the very end starts no further line.
    void SetText(std::string_view data);

    // Loads the whole file; a missing or unreadable file throws TFileError.
    void LoadFromFile(const std::string& path);

    // Every line followed by CR LF.
    std::string Text() const;

    // Creates or truncates path (replaced whole when atomic: the user's settings files).
    void SaveToFile(const std::string& path, bool atomic = false) const;

    // The next line of data from pos, advancing pos past its line end; false when none is left.
    // data must already end at its first zero byte.
    static bool NextLine(std::string_view data, size_t& pos, std::string_view& line);

    void Add(std::string line);
    void Clear();
    int Count() const { return static_cast<int>(Strings.size()); }
    const std::string& operator[](int index) const { return Strings[static_cast<size_t>(index)]; }
    const std::vector<std::string>& Lines() const { return Strings; }

    // Comparison of IndexOf: exact, or without regard to letter case.
    bool CaseSensitive = true;

    // Position of the first entry equal to key under the list's comparison; -1 if none.
    int IndexOf(std::string_view key) const;
    int IndexOf(std::u16string_view key) const;

    // The entry at index, decoded to wide text; kept with the index, so no decoding per call.
    // The view stays valid until the list or its comparison changes.
    std::u16string_view WideString(int index) const;

private:
    std::vector<std::string> Strings;

    // Built on demand: the decoded entries one after the other, and an open-addressing table of
    // their first positions (position + 1; 0 is an empty slot) with room for twice as many, so a
    // lookup hashes the key once, makes no string and compares one entry or two.
    mutable std::u16string DecodedText;
    mutable std::vector<std::uint32_t> DecodedStart;
    mutable std::vector<std::int32_t> Slots;
    mutable std::uint64_t SlotMask = 0;
    // Per length (the last row for all longer ones): a bit for each first character that
    // occurs, folded and taken modulo 64; and the longest entry. Lets most keys be turned away
    // before they are hashed.
    mutable std::array<std::uint64_t, 32> Shapes{};
    mutable size_t MaxLength = 0;
    static size_t ShapeRow(size_t length) { return length < 31 ? length : 31; }
    static std::uint64_t ShapeBit(std::u16string_view word, bool caseSensitive);
    mutable bool IndexCaseSensitive = true;
    mutable bool IndexValid = false;
    void BuildIndex() const;
    std::u16string_view Decoded(size_t index) const;
    bool MayHold(std::u16string_view key) const;
};
