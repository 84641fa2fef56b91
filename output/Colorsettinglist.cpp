// Colorsettinglist: loading the display items from lines and writing color.txt.
#include "output/Colorsettinglist.h"

#include "output/Colorfields.h"
#include "platform/Files.h"
#include "platform/Messagebox.h"
#include "platform/Paths.h"

namespace {

const char* const FileName = "color.txt";

TStringList ReadLines(const std::string& path)
{
    TStringList lines;
    lines.LoadFromFile(path);
    return lines;
}

} // namespace

TColorSettingList::TColorSettingList()
{
    std::string path = Platform::ProgramFile(FileName);
    Load(ReadLines(path), path);
}

TColorSettingList::TColorSettingList(const TStringList& lines, const std::string& origin)
{
    Load(lines, origin);
}

void TColorSettingList::Load(const TStringList& lines, const std::string& origin)
{
    for (int n = 0; n < lines.Count(); ++n) {
        TColorSetting item;
        std::string error;
        if (!ColorFields::ParseLine(lines[n], item, error))
            throw TFileError(origin + ": " + std::to_string(n + 1) + " 行目: " + error);
        Items.push_back(std::move(item));
    }
}

void TColorSettingList::Save() const
{
    TStringList lines;
    for (const TColorSetting& item : Items)
        lines.Add(ColorFields::FormatLine(item));
    lines.SaveToFile(Platform::ProgramFile(FileName), true);
}

TColorSettingList::~TColorSettingList()
{
    if (!WriteOnDestroy)
        return;
    try {
        Save();
    } catch (const std::exception& e) {
        Platform::ShowError(e.what());
    }
}
