// Stringlist: an ordered list of code page 932 lines, loaded and saved by the list-of-lines rules.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class TStringList {
public:
    TStringList() = default;

    // Splits data into lines as TLineSplitter does.
    void SetText(std::string_view data);

    // Loads the whole file; a missing or unreadable file throws TFileError.
    void LoadFromFile(const std::string& path);

    // Every line followed by CR LF.
    std::string Text() const;

    // Creates or truncates path (replaced whole when atomic: the user's settings files).
    void SaveToFile(const std::string& path, bool atomic = false) const;

    void Add(std::string line);
    void Clear();
    int Count() const { return static_cast<int>(Strings.size()); }
    const std::string& operator[](int index) const { return Strings[static_cast<size_t>(index)]; }
    const std::vector<std::string>& Lines() const { return Strings; }

private:
    std::vector<std::string> Strings;
};
