// Stringlist: list-of-lines loading and saving.
#include "core/Stringlist.h"

#include "core/Linesplitter.h"
#include "platform/Files.h"

#include <algorithm>

void TStringList::SetText(std::string_view data)
{
    Clear();
    TLineSplitter lines(data);
    // Room for every line at once: a list of many entries never grows by copying.
    std::string_view text = lines.Text();
    Strings.reserve(static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
    std::string_view line;
    while (lines.Next(line))
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

void TStringList::Add(std::string line) { Strings.push_back(std::move(line)); }

void TStringList::Clear() { Strings.clear(); }
