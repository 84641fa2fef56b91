// Win32fonts: the window's three fonts and the sample labels' four styles at one DPI, made from the
// faces and sizes of the layout table; they are deleted with the object.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

class TWin32Fonts {
public:
    // None yet.
    TWin32Fonts() = default;
    // The fonts at dpi, each of the first face in the table that window's device context finds.
    TWin32Fonts(HWND window, int dpi);

    HFONT Window() const { return WindowFont.get(); }   // headings, tick boxes, buttons
    HFONT Control() const { return ControlFont.get(); } // drop-downs, file names, the check list
    HFONT Fixed() const { return FixedFont.get(); }     // word-list boxes
    // The control font in the style of a sample.
    HFONT Sample(bool bold, bool italic) const
    {
        return Samples[(bold ? 1 : 0) + (italic ? 2 : 0)].get();
    }

private:
    struct TDelete {
        void operator()(HFONT font) const { DeleteObject(font); }
    };
    using TFont = std::unique_ptr<std::remove_pointer_t<HFONT>, TDelete>;
    TFont WindowFont, ControlFont, FixedFont;
    TFont Samples[4]; // plain, bold, italic, bold italic
};
