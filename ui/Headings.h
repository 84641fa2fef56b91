// Headings: the window's title, its headings, the control each one names for screen readers, the
// captions of the tick boxes and buttons, and the names of the browse buttons; one table for both
// front ends and for the handlers.
#pragma once

#include <string_view>

namespace Headings {

struct THeading {
    const char* Label;
    std::u16string_view Caption;
    // The control the heading names, or nullptr for a heading over an area (the samples, the
    // settings area, whose word-list boxes are named by their own titles).
    const char* Control;
};

inline constexpr std::u16string_view WindowTitle = u"Corvina";

inline constexpr std::u16string_view SettingsTitle = u"設定内容";

// In the window's order, left to right and top to bottom.
inline constexpr THeading All[] = {
    {"Label1", u"言語タイプ", "cboLangType"},   {"Label2", u"入力ファイル名", "txtInput"},
    {"Label3", u"出力ファイル名", "txtOutput"}, {"Label4", u"表示項目", "CheckListBox1"},
    {"Label5", u"前景アイテム", "ColorBox1"},   {"Label16", u"表示サンプル", nullptr},
    {"Label20", SettingsTitle, nullptr},        {"Label6", u"背景アイテム", "ColorBox2"},
};

// The heading with the label's name; the table holds every name asked for.
constexpr const THeading& Of(std::string_view label)
{
    for (const THeading& heading : All)
        if (label == heading.Label)
            return heading;
    return All[0];
}

// The controls that carry their own caption.
struct TCaption {
    const char* Control;
    std::u16string_view Caption;
};
inline constexpr TCaption Captions[] = {
    {"chkBold", u"太字"},
    {"chkItalic", u"斜体"},
    {"btnOK", u"実行"},
    {"btnExit", u"終了"},
};

// The caption of the control with the name; the table holds every name asked for.
constexpr std::u16string_view CaptionOf(std::string_view control)
{
    for (const TCaption& caption : Captions)
        if (control == caption.Control)
            return caption.Caption;
    return {};
}

// The browse buttons show neither caption nor picture: this is their name, and the tooltip says
// what they do and which key does it from the file-name box.
inline constexpr std::u16string_view BrowseName = u"参照";
inline constexpr std::u16string_view BrowseTip = u"ファイルを選択... (F4)";

} // namespace Headings
