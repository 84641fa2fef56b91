// Windowlayout: what both window tests expect of a control by its name, read from the tables the
// front ends read: every control's name, its caption and its place at 96 DPI.
#pragma once

#include "core/Token.h"
#include "ui/Headings.h"
#include "ui/Layout.h"
#include "ui/Unit1.h"

#include <optional>
#include <span>
#include <utility>
#include <string_view>
#include <vector>

namespace WindowLayout {

inline int SampleIndex(std::string_view name)
{
    for (int i = 0; i < Layout::ItemCount; ++i)
        if (name == Layout::SampleNames[i])
            return i;
    return -1;
}

inline bool IsWordListBox(std::string_view name)
{
    for (const TForm1::TWordList& wordList : TForm1::WordLists)
        if (name == wordList.BoxName)
            return true;
    return false;
}

// Every control the tables name: the placed ones, the samples, the word-list boxes.
inline std::vector<std::string_view> Names()
{
    std::vector<std::string_view> names;
    for (const Layout::TPlace& place : Layout::Places)
        names.push_back(place.Name);
    names.insert(names.end(), std::begin(Layout::SampleNames), std::end(Layout::SampleNames));
    for (const TForm1::TWordList& wordList : TForm1::WordLists)
        names.push_back(wordList.BoxName);
    return names;
}

// The caption a control shows at the start: a heading's, a tick box's or button's own, a sample's
// item; none for the rest.
inline std::optional<std::u16string_view> Caption(std::string_view name)
{
    for (const Headings::THeading& heading : Headings::All)
        if (name == heading.Label)
            return heading.Caption;
    for (const Headings::TCaption& caption : Headings::Captions)
        if (name == caption.Control)
            return caption.Caption;
    if (int i = SampleIndex(name); i >= 0)
        return TokenKind::All[i];
    return std::nullopt;
}

// The place a control has: the table's; a sample's in Panel2, as wide and high as its caption
// (0 here); a word-list box's, the placeholder's.
inline Layout::TPlace Place(std::string_view name)
{
    if (int i = SampleIndex(name); i >= 0) {
        const Layout::TPlace& panel = Layout::Of("Panel2");
        return {name, panel.X + Layout::SampleLeft,
                panel.Y + Layout::SampleTop + i * Layout::SampleStep, 0, 0};
    }
    Layout::TPlace place = Layout::Of(IsWordListBox(name) ? "pnlDummy" : name);
    place.Name = name;
    return place;
}

// The kind a toolkit gives a control: its own kind for a word-list box or a label (headings and
// samples), else the one Controls lists for the name.
struct TKinds {
    std::span<const std::pair<std::string_view, const char*>> Controls;
    const char* WordListBox;
    const char* Label;

    const char* Of(std::string_view name) const
    {
        if (IsWordListBox(name))
            return WordListBox;
        if (name.starts_with("Label"))
            return Label;
        for (const auto& [control, kind] : Controls)
            if (control == name)
                return kind;
        return "(none)";
    }
};

} // namespace WindowLayout
