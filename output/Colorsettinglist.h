// Colorsettinglist: the twelve display items, read from color.txt and written back on release.
#pragma once

#include "output/Colorsetting.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TColorSettingList {
public:
    // Reads color.txt from the program folder. A missing or malformed file throws TFileError
    // naming the file, the line and what is wrong.
    TColorSettingList();
    // Writes color.txt back; a failure is reported in the message box, never thrown.
    ~TColorSettingList();
    TColorSettingList(const TColorSettingList&) = delete;
    TColorSettingList& operator=(const TColorSettingList&) = delete;

    int Count() const { return static_cast<int>(Items.size()); }
    TColorSetting* Item(int index) { return &Items[static_cast<size_t>(index)]; }
    const TColorSetting* Item(int index) const { return &Items[static_cast<size_t>(index)]; }

    // Writes color.txt now. Throws TFileError.
    void Save() const;
    // The list is released without writing color.txt (the program ends without closing).
    void DiscardOnDestroy() { WriteOnDestroy = false; }

    // One color.txt line as the program writes it, and the fields of a line as it reads them.
    static std::string FormatLine(const TColorSetting& item);
    static std::vector<std::string> SplitFields(std::string_view line);
    static std::string JoinFields(const std::vector<std::string>& fields);
    // An integer in decimal, or hexadecimal after "0x", "0X" or "$"; false if it is none.
    static bool ParseInteger(std::string_view text, std::int32_t& value);

private:
    std::vector<TColorSetting> Items;
    bool WriteOnDestroy = true;
};
