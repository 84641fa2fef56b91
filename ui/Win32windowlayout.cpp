// Win32windowlayout: TWin32Window's member that puts every control at its place in the layout
// table, with its font, at the window's DPI. The window's other members lie in Win32window.cpp,
// Win32windowchildren.cpp and Win32windowmessages.cpp.
#include "ui/Win32window.h"

#include "ui/Layout.h"

void TWin32Window::PlaceControls()
{
    for (const TNamed& named : Names) {
        if (named.Font != nullptr)
            SendMessageW(named.Handle, WM_SETFONT, reinterpret_cast<WPARAM>((Fonts.*named.Font)()),
                         TRUE);
        if (const Layout::TPlace* place = Layout::Find(named.Name))
            SetWindowPos(named.Handle, nullptr, Scale(place->X), Scale(place->Y),
                         Scale(place->Width),
                         Scale(place->Dropped > 0 ? place->Dropped : place->Height),
                         SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // The word-list boxes lie on the placeholder, with its size, whichever shows.
    const Layout::TPlace& placeholder = Layout::Of("pnlDummy");
    for (const TForm1::TWordList& wordList : TForm1::WordLists)
        SetWindowPos(Find(wordList.BoxName), nullptr, Scale(placeholder.X), Scale(placeholder.Y),
                     Scale(placeholder.Width), Scale(placeholder.Height),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    // The sample labels lie in Panel2, one below the other, each sized to its caption.
    const Layout::TPlace& panel = Layout::Of("Panel2");
    for (int i = 0; i < Layout::ItemCount; ++i)
        SetWindowPos(Find(Layout::SampleNames[i]), nullptr, Scale(panel.X + Layout::SampleLeft),
                     Scale(panel.Y + Layout::SampleTop + i * Layout::SampleStep), 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (const std::unique_ptr<TWin32Control>& child : Children)
        if (auto* label = dynamic_cast<TWin32Label*>(child.get()))
            label->UpdateFont();

    const int itemHeight = Scale(Layout::ItemHeight);
    HWND cbo = Find("cboLangType");
    SendMessageW(cbo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), Scale(Layout::ItemHeight + 1));
    SendMessageW(cbo, CB_SETITEMHEIGHT, 0, itemHeight);
    for (const char* name : {"ColorBox1", "ColorBox2"}) {
        SendMessageW(Find(name), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), itemHeight);
        SendMessageW(Find(name), CB_SETITEMHEIGHT, 0, itemHeight);
    }
    SendMessageW(Find("CheckListBox1"), LB_SETITEMHEIGHT, 0, itemHeight);
}
