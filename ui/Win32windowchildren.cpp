// Win32windowchildren: TWin32Window's members that make its controls, in the tab order, each with
// the object that serves TForm1, and find them by name. The window's other members lie in
// Win32window.cpp, Win32windowlayout.cpp and Win32windowmessages.cpp.
#include "ui/Win32window.h"

#include "core/Token.h"
#include "lexers/Languagetable.h"
#include "platform/Codepage.h"
#include "ui/Headings.h"
#include "ui/Layout.h"

#include <commctrl.h>

#include <stdexcept>
#include <string>
#include <utility>

using Win32Controls::W;

namespace {

// Control identifiers start above IDOK and IDCANCEL, which the dialog keys send.
constexpr int FirstId = 100;

} // namespace

HWND TWin32Window::Find(std::string_view name) const
{
    for (const TNamed& named : Names)
        if (named.Name == name)
            return named.Handle;
    return nullptr;
}

HWND TWin32Window::CreateChild(std::string_view name, const wchar_t* windowClass, DWORD style,
                               std::u16string_view caption, TFontRole font, DWORD exStyle)
{
    // Made at no place: PlaceControls places every control, also when the DPI changes.
    int id = FirstId + static_cast<int>(Names.size());
    std::u16string text(caption);
    HWND handle = CreateWindowExW(exStyle, windowClass, W(text.c_str()),
                                  WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, 0, 0, 0, 0, Wnd,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                  GetModuleHandleW(nullptr), nullptr);
    if (handle == nullptr)
        throw std::runtime_error("ウィンドウを作れません: " + std::string(name));
    if (font != nullptr)
        SendMessageW(handle, WM_SETFONT, reinterpret_cast<WPARAM>((Fonts.*font)()), FALSE);
    Names.push_back({name, handle, font});
    return handle;
}

template <typename T, typename... Args>
T* TWin32Window::Adopt(HWND handle, Args&&... args)
{
    auto control = std::make_unique<T>(handle, std::forward<Args>(args)...);
    T* raw = control.get();
    Children.push_back(std::move(control));
    return raw;
}

void TWin32Window::CreateControls()
{
    // The tab order is the order of creation: the controls with a tab stop come in the window's
    // order, each heading made just before the control it heads, as screen readers name a
    // control by the label before it. Everything drawn beneath them (frames, panels) comes
    // after, lower in the Z order, so that the controls are painted over it.
    const DWORD tab = WS_TABSTOP;
    const DWORD dropDown = tab | WS_VSCROLL | CBS_DROPDOWNLIST;
    auto heading = [&](std::string_view name) {
        return Adopt<TWin32Label>(CreateChild(name, L"STATIC", SS_OWNERDRAW | SS_NOPREFIX,
                                              Headings::Of(name).Caption, nullptr),
                                  Fonts, false);
    };
    auto captioned = [&](std::string_view name, DWORD style) {
        return CreateChild(name, L"BUTTON", style, Headings::CaptionOf(name), &TWin32Fonts::Window);
    };

    heading("Label1");
    HWND cbo = CreateChild("cboLangType", L"COMBOBOX", dropDown, {}, &TWin32Fonts::Control);
    for (const Languages::TCaption& language : Languages::Captions) {
        std::u16string caption = CodePage::FromUtf8(language.Caption);
        SendMessageW(cbo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(W(caption.c_str())));
    }
    Controls.cboLangType = Adopt<TWin32ListBox>(cbo);

    // Each file-name box, then its browse button: outside the tab order, an empty flat square
    // with an edge, whose caption only names it; F4 in the box presses it.
    struct TFileField {
        const char* Heading;
        const char* Box;
        const char* Browse;
        TTextBox* TForm1Controls::*Control;
        TButton* TForm1Controls::*BrowseControl;
    };
    const TFileField fileFields[] = {
        {"Label2", "txtInput", "SpeedButton1", &TForm1Controls::txtInput,
         &TForm1Controls::SpeedButton1},
        {"Label3", "txtOutput", "SpeedButton2", &TForm1Controls::txtOutput,
         &TForm1Controls::SpeedButton2},
    };
    HWND browse[2];
    for (int k = 0; k < 2; ++k) {
        const TFileField& field = fileFields[k];
        heading(field.Heading);
        HWND box = CreateChild(field.Box, L"EDIT", tab | ES_AUTOHSCROLL, {}, &TWin32Fonts::Control);
        browse[k] = CreateChild(field.Browse, L"BUTTON", BS_OWNERDRAW, Headings::BrowseName,
                                &TWin32Fonts::Window);
        Controls.*field.BrowseControl = Adopt<TWin32Button>(browse[k]);
        Controls.*field.Control = Adopt<TWin32TextBox>(box, browse[k]);
    }

    heading("Label4");
    HWND list = CreateChild("CheckListBox1", L"LISTBOX",
                            tab | WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY |
                                LBS_NOINTEGRALHEIGHT,
                            {}, &TWin32Fonts::Control, WS_EX_CLIENTEDGE);
    std::vector<std::u16string> items;
    for (int i = 0; i < Layout::ItemCount; ++i)
        items.emplace_back(TokenKind::All[i]);
    Controls.CheckListBox1 = Adopt<TWin32CheckList>(list, std::move(items));

    const DWORD colorBox = dropDown | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
    heading("Label5");
    Controls.ColorBox1 = Adopt<TWin32ColorBox>(
        CreateChild("ColorBox1", L"COMBOBOX", colorBox, {}, &TWin32Fonts::Control));
    Controls.chkBold = Adopt<TWin32TickBox>(captioned("chkBold", tab | BS_AUTOCHECKBOX));
    Controls.chkItalic = Adopt<TWin32TickBox>(captioned("chkItalic", tab | BS_AUTOCHECKBOX));
    heading("Label6");
    Controls.ColorBox2 = Adopt<TWin32ColorBox>(
        CreateChild("ColorBox2", L"COMBOBOX", colorBox, {}, &TWin32Fonts::Control));

    // The settings title names the word-list box that shows; each box takes it before itself
    // when it shows.
    TWin32Label* title = heading("Label20");
    Controls.Label20 = title;
    for (const TForm1::TWordList& wordList : TForm1::WordLists) {
        HWND box = CreateChild(wordList.BoxName, L"EDIT",
                               tab | WS_HSCROLL | WS_VSCROLL | ES_MULTILINE | ES_AUTOHSCROLL |
                                   ES_AUTOVSCROLL | ES_WANTRETURN,
                               {}, &TWin32Fonts::Fixed, WS_EX_CLIENTEDGE);
        ShowWindow(box, SW_HIDE);
        // No limit of its own: a word list may be long.
        SendMessageW(box, EM_SETLIMITTEXT, 0, 0);
        Controls.*wordList.Box = Adopt<TWin32Memo>(box, title->Handle());
    }

    const DWORD button = tab | BS_PUSHBUTTON;
    Controls.btnOK = Adopt<TWin32Button>(captioned("btnOK", button));
    Controls.btnExit = Adopt<TWin32Button>(captioned("btnExit", button));

    heading("Label16");
    for (int i = 0; i < Layout::ItemCount; ++i)
        Controls.Samples[i] =
            Adopt<TWin32Label>(CreateChild(Layout::SampleNames[i], L"STATIC",
                                           SS_OWNERDRAW | SS_NOPREFIX, TokenKind::All[i], nullptr),
                               Fonts, true);

    using TLook = TWin32Panel::TLook;
    auto panelOf = [&](std::string_view name, TLook look) {
        return Adopt<TWin32Panel>(CreateChild(name, L"STATIC", SS_OWNERDRAW, {}, nullptr), look);
    };
    panelOf("InputFrame", TLook::White);
    panelOf("OutputFrame", TLook::White);
    panelOf("Panel2", TLook::White);
    Controls.pnlDummy = panelOf("pnlDummy", TLook::Sunken);
    panelOf("Bevel1", TLook::Rule);

    CreateToolTip(browse);
    PlaceControls();

    Dialogs[0] = std::make_unique<TWin32FileDialog>(Wnd, false);
    Dialogs[1] = std::make_unique<TWin32FileDialog>(Wnd, true);
    Controls.OpenDialog1 = Dialogs[0].get();
    Controls.SaveDialog1 = Dialogs[1].get();
    WindowControl = std::make_unique<TWin32WindowControl>(Wnd);
    Controls.Window = WindowControl.get();
}

void TWin32Window::CreateToolTip(const HWND (&browse)[2])
{
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&classes);
    HWND tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                               WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Wnd, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    if (tip == nullptr)
        return; // no tooltip is no reason not to open the window
    Names.push_back({"ToolTip", tip, nullptr});
    std::u16string text(Headings::BrowseTip);
    for (HWND button : browse) {
        TOOLINFOW tool{};
        // The size that both versions of the common controls take.
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = Wnd;
        tool.uId = reinterpret_cast<UINT_PTR>(button);
        tool.lpszText = const_cast<wchar_t*>(W(text.c_str()));
        SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}
