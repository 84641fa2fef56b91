// Stringlist: list-of-lines loading and saving, and lookup through a hashed index.
#include "core/Stringlist.h"

#include "platform/Codepage.h"
#include "platform/Platform.h"

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
    size_t pos = 0;
    std::string_view line;
    while (NextLine(data, pos, line))
        Strings.emplace_back(line);
}

void TStringList::LoadFromFile(const std::string& path) { SetText(Platform::ReadFile(path)); }

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
        Platform::ReplaceFile(path, Text());
    else
        Platform::WriteFile(path, Text());
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

void TStringList::BuildIndex() const
{
    Index.clear();
    Index.reserve(Strings.size());
    Decoded.clear();
    Decoded.reserve(Strings.size());
    for (size_t i = 0; i < Strings.size(); ++i) {
        Decoded.push_back(CodePage::Decode(Strings[i]));
        std::u16string key = Decoded.back();
        if (!CaseSensitive)
            for (char16_t& ch : key)
                ch = CodePage::FoldCase(ch);
        Index.emplace(std::move(key), static_cast<int>(i)); // keeps the first position
    }
    IndexCaseSensitive = CaseSensitive;
    IndexValid = true;
}

int TStringList::IndexOf(std::u16string_view key) const
{
    if (Strings.empty())
        return -1;
    if (!IndexValid || IndexCaseSensitive != CaseSensitive)
        BuildIndex();
    thread_local std::u16string probe;
    probe.assign(key);
    if (!CaseSensitive)
        for (char16_t& ch : probe)
            ch = CodePage::FoldCase(ch);
    auto it = Index.find(probe);
    return it == Index.end() ? -1 : it->second;
}

const std::u16string& TStringList::WideString(int index) const
{
    if (!IndexValid || IndexCaseSensitive != CaseSensitive)
        BuildIndex();
    return Decoded[static_cast<size_t>(index)];
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
