// Colorsettinglist: the twelve display items, from the lines of color.txt, written back when armed.
#pragma once

#include "core/Stringlist.h"
#include "output/Colorsetting.h"

#include <string>
#include <vector>

class TColorSettingList {
public:
    // Reads color.txt from the program folder. A missing or malformed file throws TFileError
    // naming the file, the line and what is wrong. The file is not written back unless
    // SaveOnDestroy is called.
    TColorSettingList();
    // The items of the lines, one a line; a malformed line throws TFileError naming origin and
    // the line. Never writes any file.
    explicit TColorSettingList(const TStringList& lines, const std::string& origin = "color.txt");
    // Writes color.txt back when armed; a failure is reported in the message box, never thrown.
    ~TColorSettingList();
    TColorSettingList(const TColorSettingList&) = delete;
    TColorSettingList& operator=(const TColorSettingList&) = delete;

    int Count() const { return static_cast<int>(Items.size()); }
    TColorSetting* Item(int index) { return &Items[static_cast<size_t>(index)]; }
    const TColorSetting* Item(int index) const { return &Items[static_cast<size_t>(index)]; }

    // Writes color.txt in the program folder now. Throws TFileError.
    void Save() const;
    // Arms the write of color.txt when the list is released.
    void SaveOnDestroy() { WriteOnDestroy = true; }

private:
    std::vector<TColorSetting> Items;
    // The encoding color.txt was read in, which it is written back in.
    TTextEncoding FileEncoding;
    bool WriteOnDestroy = false;

    void Load(const TStringList& lines, const std::string& origin);
};
