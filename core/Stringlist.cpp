// Stringlist: list-of-lines loading and saving.
#include "core/Stringlist.h"

#include "core/Linesplitter.h"
#include "platform/Files.h"

#include <algorithm>

void TStringList::SetText(std::string_view data)
{
    const TTextEncoding encoding = TTextEncoding::Detect(data);
    std::string converted;
    SetText(encoding.Unwrap(data, converted), encoding);
}

void TStringList::SetText(std::string_view text, const TTextEncoding& encoding)
{
    Clear();
    TextEncoding = encoding;
    TLineSplitter lines(text);
    // Room for every line at once: a list of many entries never grows by copying.
    const std::string_view whole = lines.Text();
    Strings.reserve(static_cast<size_t>(std::count(whole.begin(), whole.end(), '\n')) + 1);
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
    const std::string bytes = TextEncoding.Wrap(Text());
    if (atomic)
        Platform::Files().Replace(path, bytes);
    else
        Platform::Files().WriteAll(path, bytes);
}

void TStringList::Add(std::string line) { Strings.push_back(std::move(line)); }

void TStringList::Clear()
{
    Strings.clear();
    TextEncoding = {};
}
