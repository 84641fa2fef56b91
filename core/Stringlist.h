// Stringlist: an ordered list of code page 932 lines, loaded and saved by the list-of-lines rules.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
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

    // Creates or truncates path (ReplaceFile when atomic: the user's settings files).
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

    // The entry at index, decoded to wide text; cached with the index, so no decoding per call.
    const std::u16string& WideString(int index) const;

private:
    std::vector<std::string> Strings;

    // Decoded (and, when case-insensitive, folded) entry -> first position; built on demand.
    mutable std::unordered_map<std::u16string, int> Index;
    mutable std::vector<std::u16string> Decoded;
    mutable bool IndexCaseSensitive = true;
    mutable bool IndexValid = false;
    void BuildIndex() const;
};
