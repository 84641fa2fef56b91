// Layout: the main window's size, each control's place by name, the sample labels and the three
// fonts; one table for both front ends and for their tests.
#pragma once

#include "core/Token.h"

#include <span>
#include <string_view>

namespace Layout {

// The client area; the window cannot be resized.
inline constexpr int ClientWidth = 482, ClientHeight = 308;

// The display items: one row of the check list and one sample label each.
inline constexpr int ItemCount = TokenKind::ItemCount;
// The height of a check-list row and of a drop-down's entry.
inline constexpr int ItemHeight = 14;

// A place at 96 DPI in client coordinates.
struct TPlace {
    std::string_view Name;
    int X, Y, Width, Height;
    // A drop-down on Windows, whose window is as high as its open list: that height.
    int Dropped = 0;
};

// The three columns under the headings, and the placeholder of the word lists, start and end
// together.
inline constexpr int ColTop = 97, ColHeight = 178;

// A file-name box and its browse button lie in a white frame, 2 pixels in from its edge, the
// button at its right end.
inline constexpr TPlace Places[] = {
    {"Label1", 4, 4, 100, 21},
    {"cboLangType", 108, 4, 370, 21, 21 + ItemHeight * 16},
    {"Label2", 4, 28, 100, 21},
    {"InputFrame", 108, 28, 370, 21},
    {"txtInput", 110, 30, 348, 17},
    {"SpeedButton1", 459, 30, 17, 17},
    {"Label3", 4, 52, 100, 21},
    {"OutputFrame", 108, 52, 370, 21},
    {"txtOutput", 110, 54, 348, 17},
    {"SpeedButton2", 459, 54, 17, 17},
    {"Label4", 4, 77, 100, 17},
    {"Label5", 108, 77, 100, 17},
    {"Label16", 212, 77, 100, 17},
    {"Label20", 316, 77, 162, 17},
    {"CheckListBox1", 4, ColTop, 100, ColHeight},
    {"ColorBox1", 108, ColTop, 100, 20, 20 + ItemHeight * 16 + 2},
    {"chkBold", 110, ColTop + 24, 96, 18},
    {"chkItalic", 110, ColTop + 44, 96, 18},
    {"Label6", 108, ColTop + 68, 100, 17},
    {"ColorBox2", 108, ColTop + 89, 100, 20, 20 + ItemHeight * 16 + 2},
    {"Panel2", 212, ColTop, 100, ColHeight},
    {"pnlDummy", 316, ColTop, 162, ColHeight},
    {"Bevel1", 4, ColTop + ColHeight + 2, 474, 2},
    {"btnOK", ClientWidth - 4 - 75 - 4 - 75, ClientHeight - 4 - 22, 75, 22},
    {"btnExit", ClientWidth - 4 - 75, ClientHeight - 4 - 22, 75, 22},
};

// The place of the control with the name, or nullptr for one the table does not place (a sample
// label, a word-list box).
constexpr const TPlace* Find(std::string_view name)
{
    for (const TPlace& place : Places)
        if (place.Name == name)
            return &place;
    return nullptr;
}

// The place of a control the table places.
constexpr const TPlace& Of(std::string_view name)
{
    const TPlace* place = Find(name);
    return place != nullptr ? *place : Places[0];
}

// The sample labels of items 0 to 11 lie in Panel2, one below the other, each as wide as its
// caption; their offsets are from the panel's top left corner.
inline constexpr std::string_view SampleNames[ItemCount] = {
    "Label7",  "Label8",  "Label9",  "Label10", "Label11", "Label12",
    "Label13", "Label14", "Label15", "Label17", "Label18", "Label19"};
inline constexpr int SampleLeft = 6, SampleTop = 3, SampleStep = 14;

// A face a font tries, in order. Qt on Linux finds the IPA fonts by their Latin names and falls
// back by itself, so it tries fewer: Windows also tries the names under which Wine lists the IPA
// fonts and the faces of later Windows versions.
enum TTried { Everywhere, WindowsOnly };
struct TFace {
    std::u16string_view Name;
    TTried Tried = Everywhere;
};

struct TFont {
    std::span<const TFace> Faces;
    int Pixels; // at 96 DPI
    bool FixedPitch;
};

// The original platform's faces first, then those that come with Debian's and Wine's Japanese
// fonts.
inline constexpr TFace WindowFaces[] = {
    {u"ＭＳ Ｐゴシック"},
    {u"MS PGothic"},
    {u"IPAPGothic"},
    {u"IPA Pゴシック", WindowsOnly},
    {u"Meiryo UI", WindowsOnly},
    {u"Yu Gothic UI", WindowsOnly},
};
inline constexpr TFace ControlFaces[] = {
    {u"MS UI Gothic"},
    {u"ＭＳ Ｐゴシック", WindowsOnly},
    {u"MS PGothic", WindowsOnly},
    {u"IPAPGothic"},
    {u"IPA Pゴシック", WindowsOnly},
    {u"Meiryo UI", WindowsOnly},
    {u"Yu Gothic UI", WindowsOnly},
};
inline constexpr TFace FixedFaces[] = {
    {u"ＭＳ ゴシック"},
    {u"MS Gothic"},
    {u"IPAGothic"},
    {u"IPAゴシック", WindowsOnly},
    {u"VL Gothic", WindowsOnly},
    {u"Noto Sans Mono CJK JP", WindowsOnly},
    {u"Yu Gothic", WindowsOnly},
};

// Headings, tick boxes and buttons.
inline constexpr TFont WindowFont{WindowFaces, 12, false};
// Drop-downs, file names, the check list and the samples, which show it bold or italic too.
inline constexpr TFont ControlFont{ControlFaces, 12, false};
// The word-list boxes, whose columns line up.
inline constexpr TFont FixedFont{FixedFaces, 12, true};

} // namespace Layout
