// Win32fonts: the window's fonts from the layout table's faces; the word lists' at a size whose
// underscore shows.
#include "ui/Win32fonts.h"

#include "ui/Layout.h"

#include <algorithm>
#include <string_view>

namespace {

int CALLBACK FaceFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found)
{
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

void SetFace(LOGFONTW& font, std::u16string_view face)
{
    std::fill(std::begin(font.lfFaceName), std::end(font.lfFaceName), L'\0');
    std::copy_n(face.begin(), std::min<size_t>(face.size(), LF_FACESIZE - 1), font.lfFaceName);
}

bool FaceExists(HDC dc, std::u16string_view face)
{
    LOGFONTW query{};
    query.lfCharSet = DEFAULT_CHARSET;
    SetFace(query, face);
    bool found = false;
    EnumFontFamiliesExW(dc, &query, &FaceFound, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

// Every face of the table is tried here; an empty name, when none is found, leaves the choice to
// the font mapper.
HFONT MakeFont(HDC dc, const Layout::TFont& table, int pixels, bool bold = false,
               bool italic = false)
{
    LOGFONTW font{};
    font.lfHeight = -pixels;
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfItalic = italic ? TRUE : FALSE;
    font.lfCharSet = SHIFTJIS_CHARSET;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = table.FixedPitch ? FIXED_PITCH | FF_MODERN : VARIABLE_PITCH | FF_SWISS;
    for (const Layout::TFace& face : table.Faces)
        if (FaceExists(dc, face.Name)) {
            SetFace(font, face.Name);
            font.lfCharSet = DEFAULT_CHARSET;
            break;
        }
    return CreateFontIndirectW(&font);
}

// Whether font draws an underscore, and within its cell: an edit control's lines are as high as
// the cell, and ink below it is painted over by the next line or cut off.
bool DrawsUnderscore(HDC dc, HFONT font)
{
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ oldFont = SelectObject(memory, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(memory, &metrics);
    const int width = metrics.tmMaxCharWidth + 4;
    const int height = metrics.tmHeight * 2;
    HBITMAP bitmap = CreateCompatibleBitmap(dc, width, height);
    HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
    const RECT all{0, 0, width, height};
    FillRect(memory, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetBkMode(memory, TRANSPARENT);
    SetTextColor(memory, RGB(0, 0, 0));
    TextOutW(memory, 2, 0, L"_", 1);
    int lowest = -1;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (GetPixel(memory, x, y) != RGB(255, 255, 255))
                lowest = y;
    SelectObject(memory, oldBitmap);
    DeleteObject(bitmap);
    SelectObject(memory, oldFont);
    DeleteDC(memory);
    return lowest >= 0 && lowest < metrics.tmHeight;
}

} // namespace

TWin32Fonts::TWin32Fonts(HWND window, int dpi)
{
    HDC dc = GetDC(window);
    auto pixels = [dpi](const Layout::TFont& table) { return MulDiv(table.Pixels, dpi, 96); };
    WindowFont.reset(MakeFont(dc, Layout::WindowFont, pixels(Layout::WindowFont)));
    ControlFont.reset(MakeFont(dc, Layout::ControlFont, pixels(Layout::ControlFont)));
    const int fixedPixels = pixels(Layout::FixedFont);
    FixedFont.reset(MakeFont(dc, Layout::FixedFont, fixedPixels));
    // Some fonts drop the thin stroke of the underscore at some sizes (IPA Gothic at 12 and 18
    // pixels): "const_cast" would show as "const cast". The word lists take the nearest size,
    // larger first, at which the font draws it within its line.
    for (int step : {1, -1, 2, -2, 3, -3}) {
        if (DrawsUnderscore(dc, FixedFont.get()))
            break;
        FixedFont.reset(MakeFont(dc, Layout::FixedFont, fixedPixels + step));
    }
    if (!DrawsUnderscore(dc, FixedFont.get()))
        FixedFont.reset(MakeFont(dc, Layout::FixedFont, fixedPixels));
    for (int style = 0; style < 4; ++style)
        Samples[style].reset(MakeFont(dc, Layout::ControlFont, pixels(Layout::ControlFont),
                                      (style & 1) != 0, (style & 2) != 0));
    ReleaseDC(window, dc);
}
