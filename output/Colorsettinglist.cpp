// Colorsettinglist: loading the display items from lines and writing color.txt.
#include "output/Colorsettinglist.h"

#include "output/Colorfields.h"
#include "platform/Codepage.h"
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
    // The items hold code page 932 text, whatever the file's encoding.
    FileEncoding = lines.Encoding();
    for (int n = 0; n < lines.Count(); ++n) {
        TColorSetting item;
        std::string error;
        const std::string line =
            FileEncoding.IsUnicode() ? CodePage::Encode(lines.Decoded(n)) : lines[n];
        if (!ColorFields::ParseLine(line, item, error))
            throw TFileError(origin + ": " + std::to_string(n + 1) + " 行目: " + error);
        Items.push_back(std::move(item));
    }
}

void TColorSettingList::Save() const
{
    TStringList lines;
    lines.SetEncoding(FileEncoding);
    for (const TColorSetting& item : Items) {
        std::string line = ColorFields::FormatLine(item);
        lines.Add(FileEncoding.IsUnicode() ? FileEncoding.Encode(CodePage::Decode(line)) : line);
    }
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
