// Win32window: the main window's Windows controls at fixed places, their fonts, the keyboard
// handling of a dialog, the message loop, and the message box.
#include "ui/Win32window.h"

#include "core/Token.h"
#include "lexers/Languagetable.h"
#include "platform/Codepage.h"
#include "ui/Headings.h"
#include "ui/Win32instance.h"
#include "ui/resources/Resource.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>

using Win32Controls::W;
using Win32Controls::WindowClass;

namespace {

constexpr int ClientWidth = 482, ClientHeight = 308;
constexpr int ItemCount = 12;
// The height of a check-list item and of a drop-down's entries.
constexpr int ItemHeight = 14;
// Control identifiers start above IDOK and IDCANCEL, which the dialog keys send.
constexpr int FirstId = 100;

// Places at 96 DPI, in client coordinates, by control name; a drop-down's window is as high as
// its open list (Dropped).
struct TPlace {
    std::string_view Name;
    int X, Y, Width, Height;
    int Dropped = 0;
};
constexpr int ColTop = 97, ColHeight = 178;
constexpr TPlace Places[] = {
    {"Label1", 4, 4, 100, 21},
    {"cboLangType", 108, 4, 370, 21, 21 + 14 * 16},
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
    {"ColorBox1", 108, ColTop, 100, 20, 20 + 14 * 16 + 2},
    {"chkBold", 110, ColTop + 24, 96, 18},
    {"chkItalic", 110, ColTop + 44, 96, 18},
    {"Label6", 108, ColTop + 68, 100, 17},
    {"ColorBox2", 108, ColTop + 89, 100, 20, 20 + 14 * 16 + 2},
    {"Panel2", 212, ColTop, 100, ColHeight},
    {"pnlDummy", 316, ColTop, 162, ColHeight},
    {"Bevel1", 4, ColTop + ColHeight + 2, 474, 2},
    {"btnOK", ClientWidth - 4 - 75 - 4 - 75, ClientHeight - 4 - 22, 75, 22},
    {"btnExit", ClientWidth - 4 - 75, ClientHeight - 4 - 22, 75, 22},
};
// The sample labels lie in Panel2, one below the other.
constexpr int SampleLeft = 6, SampleTop = 3, SampleStep = 14;

// The sample labels' names, for the samples of items 0 to 11.
constexpr std::string_view SampleNames[ItemCount] = {"Label7",  "Label8",  "Label9",  "Label10",
                                                     "Label11", "Label12", "Label13", "Label14",
                                                     "Label15", "Label17", "Label18", "Label19"};

const TPlace* PlaceOf(std::string_view name)
{
    for (const TPlace& place : Places)
        if (place.Name == name)
            return &place;
    return nullptr;
}

// The faces of the original platform first, then those that come with Wine's and Debian's
// Japanese fonts; an empty name leaves the choice to the font mapper.
const wchar_t* const WindowFaces[] = {L"ＭＳ Ｐゴシック", L"MS PGothic", L"IPAPGothic",
                                      L"IPA Pゴシック",   L"Meiryo UI",  L"Yu Gothic UI"};
const wchar_t* const ControlFaces[] = {L"MS UI Gothic", L"ＭＳ Ｐゴシック", L"MS PGothic",
                                       L"IPAPGothic",   L"IPA Pゴシック",   L"Meiryo UI",
                                       L"Yu Gothic UI"};
const wchar_t* const FixedFaces[] = {L"ＭＳ ゴシック", L"MS Gothic",   L"IPAGothic",
                                     L"IPAゴシック",   L"VL Gothic",   L"Noto Sans Mono CJK JP",
                                     L"Yu Gothic"};

int CALLBACK FaceFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found)
{
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool FaceExists(HDC dc, const wchar_t* face)
{
    LOGFONTW query{};
    query.lfCharSet = DEFAULT_CHARSET;
    wcsncpy(query.lfFaceName, face, LF_FACESIZE - 1);
    bool found = false;
    EnumFontFamiliesExW(dc, &query, &FaceFound, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

// The DPI functions of Windows 10 where there are any; the system-wide DPI elsewhere.
template <typename F>
F User32Function(const char* name)
{
    return reinterpret_cast<F>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

int WindowDpi(HWND window)
{
    using TGetDpiForWindow = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = User32Function<TGetDpiForWindow>("GetDpiForWindow");
    if (getDpiForWindow != nullptr)
        if (UINT dpi = getDpiForWindow(window))
            return static_cast<int>(dpi);
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

// The window's size for a client area of width x height at dpi, frame and caption included.
SIZE FrameSize(int width, int height, DWORD style, DWORD exStyle, int dpi)
{
    using TAdjust = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    static const auto adjustForDpi = User32Function<TAdjust>("AdjustWindowRectExForDpi");
    RECT frame = {0, 0, width, height};
    if (adjustForDpi != nullptr)
        adjustForDpi(&frame, style, FALSE, exStyle, static_cast<UINT>(dpi));
    else
        AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

// The program's icon at the size the system wants, or the system's own where the program has
// none (a test program).
HICON ProgramIcon(int metricX, int metricY)
{
    HANDLE icon = LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(CORVINA_ICON), IMAGE_ICON,
                             GetSystemMetrics(metricX), GetSystemMetrics(metricY), LR_DEFAULTCOLOR);
    return icon != nullptr ? static_cast<HICON>(icon) : LoadIconW(nullptr, IDI_APPLICATION);
}

// Single border, caption and system menu: no sizing, no minimise or maximise box.
constexpr DWORD FrameStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD FrameExStyle = WS_EX_CONTROLPARENT;

template <size_t N>
HFONT MakeFont(HDC dc, const wchar_t* const (&faces)[N], int pixels, bool fixedPitch, bool bold,
               bool italic)
{
    LOGFONTW font{};
    font.lfHeight = -pixels;
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfItalic = italic ? TRUE : FALSE;
    font.lfCharSet = SHIFTJIS_CHARSET;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = fixedPitch ? FIXED_PITCH | FF_MODERN : VARIABLE_PITCH | FF_SWISS;
    for (const wchar_t* face : faces)
        if (FaceExists(dc, face)) {
            wcsncpy(font.lfFaceName, face, LF_FACESIZE - 1);
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

TWin32Window::TWin32Window()
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (!GetClassInfoExW(instance, WindowClass, &wc)) {
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &Proc;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hIcon = ProgramIcon(SM_CXICON, SM_CYICON);
        wc.hIconSm = ProgramIcon(SM_CXSMICON, SM_CYSMICON);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = WindowClass;
        if (RegisterClassExW(&wc) == 0)
            throw std::runtime_error("ウィンドウを作れません");
    }
    Dpi = WindowDpi(nullptr);
    SIZE frame = FrameSize(Scale(ClientWidth), Scale(ClientHeight), FrameStyle, FrameExStyle, Dpi);
    CreateWindowExW(FrameExStyle, WindowClass, L"Corvina", FrameStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                    frame.cx, frame.cy, nullptr, nullptr, instance, this);
    if (Wnd == nullptr)
        throw std::runtime_error("ウィンドウを作れません");
    // The monitor the window opened on may have a scale of its own.
    SetDpi(WindowDpi(Wnd));
    FitClientArea();
    // No sizing and no maximising from the system menu either.
    HMENU menu = GetSystemMenu(Wnd, FALSE);
    for (UINT command : {SC_SIZE, SC_MAXIMIZE, SC_MINIMIZE, SC_RESTORE})
        DeleteMenu(menu, command, MF_BYCOMMAND);

    try {
        CreateFonts();
        CreateControls();
        Form = std::make_unique<TForm1>(Controls);
        Form->FormCreate({});
    } catch (...) {
        // No window may outlive the object its messages go to.
        Release();
        throw;
    }
}

TWin32Window::~TWin32Window() { Release(); }

void TWin32Window::Release()
{
    if (Wnd != nullptr)
        DestroyWindow(Wnd);
    // The controls' objects go after their windows, which call on them until they are gone.
    Form.reset();
    Children.clear();
    ReleaseFonts();
}

int TWin32Window::Scale(int value) const { return MulDiv(value, Dpi, 96); }

void TWin32Window::SetDpi(int dpi)
{
    Dpi = dpi;
    SetPropW(Wnd, Win32Controls::DpiProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(dpi)));
}

HWND TWin32Window::Find(std::string_view name) const
{
    for (const TNamed& named : Names)
        if (named.Name == name)
            return named.Handle;
    return nullptr;
}

void TWin32Window::CreateFonts()
{
    HDC dc = GetDC(Wnd);
    int pixels = Scale(12);
    Fonts.Window = MakeFont(dc, WindowFaces, pixels, false, false, false);
    Fonts.Control = MakeFont(dc, ControlFaces, pixels, false, false, false);
    Fonts.Fixed = MakeFont(dc, FixedFaces, pixels, true, false, false);
    // Some fonts drop the thin stroke of the underscore at some sizes (IPA Gothic at 12 and 18
    // pixels): "const_cast" would show as "const cast". The word lists take the nearest size,
    // larger first, at which the font draws it within its line.
    for (int step : {1, -1, 2, -2, 3, -3}) {
        if (DrawsUnderscore(dc, Fonts.Fixed))
            break;
        DeleteObject(Fonts.Fixed);
        Fonts.Fixed = MakeFont(dc, FixedFaces, pixels + step, true, false, false);
    }
    if (!DrawsUnderscore(dc, Fonts.Fixed)) {
        DeleteObject(Fonts.Fixed);
        Fonts.Fixed = MakeFont(dc, FixedFaces, pixels, true, false, false);
    }
    for (int style = 0; style < 4; ++style)
        Fonts.Samples[style] =
            MakeFont(dc, ControlFaces, pixels, false, (style & 1) != 0, (style & 2) != 0);
    ReleaseDC(Wnd, dc);
}

void TWin32Window::ReleaseFonts() { DeleteFonts(Fonts); }

void TWin32Window::DeleteFonts(Win32Controls::TFonts& fonts)
{
    for (HFONT font : {fonts.Window, fonts.Control, fonts.Fixed, fonts.Samples[0], fonts.Samples[1],
                       fonts.Samples[2], fonts.Samples[3]})
        if (font != nullptr)
            DeleteObject(font);
    fonts = {};
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
        SendMessageW(handle, WM_SETFONT, reinterpret_cast<WPARAM>(Fonts.*font), FALSE);
    Names.push_back({name, handle, font});
    return handle;
}

template <typename T, typename... Args> T* TWin32Window::Adopt(HWND handle, Args&&... args)
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
    using Win32Controls::TFonts;
    const DWORD tab = WS_TABSTOP;
    const DWORD dropDown = tab | WS_VSCROLL | CBS_DROPDOWNLIST;
    auto heading = [&](std::string_view name) {
        return Adopt<TWin32Label>(CreateChild(name, L"STATIC", SS_OWNERDRAW | SS_NOPREFIX,
                                              Headings::Of(name).Caption, nullptr),
                                  Fonts, false);
    };

    heading("Label1");
    HWND cbo = CreateChild("cboLangType", L"COMBOBOX", dropDown, {}, &TFonts::Control);
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
        HWND box = CreateChild(field.Box, L"EDIT", tab | ES_AUTOHSCROLL, {}, &TFonts::Control);
        browse[k] = CreateChild(field.Browse, L"BUTTON", BS_OWNERDRAW, Headings::BrowseName,
                                &TFonts::Window);
        Controls.*field.BrowseControl = Adopt<TWin32Button>(browse[k]);
        Controls.*field.Control = Adopt<TWin32TextBox>(box, browse[k]);
    }

    heading("Label4");
    HWND list = CreateChild("CheckListBox1", L"LISTBOX",
                            tab | WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY |
                                LBS_NOINTEGRALHEIGHT,
                            {}, &TFonts::Control, WS_EX_CLIENTEDGE);
    std::vector<std::u16string> items;
    for (int i = 0; i < ItemCount; ++i)
        items.emplace_back(TokenKind::All[i]);
    Controls.CheckListBox1 = Adopt<TWin32CheckList>(list, std::move(items));

    const DWORD colorBox = dropDown | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
    heading("Label5");
    Controls.ColorBox1 = Adopt<TWin32ColorBox>(
        CreateChild("ColorBox1", L"COMBOBOX", colorBox, {}, &TFonts::Control));
    Controls.chkBold = Adopt<TWin32TickBox>(
        CreateChild("chkBold", L"BUTTON", tab | BS_AUTOCHECKBOX, u"太字", &TFonts::Window));
    Controls.chkItalic = Adopt<TWin32TickBox>(
        CreateChild("chkItalic", L"BUTTON", tab | BS_AUTOCHECKBOX, u"斜体", &TFonts::Window));
    heading("Label6");
    Controls.ColorBox2 = Adopt<TWin32ColorBox>(
        CreateChild("ColorBox2", L"COMBOBOX", colorBox, {}, &TFonts::Control));

    // The settings title names the word-list box that shows; each box takes it before itself
    // when it shows.
    TWin32Label* title = heading("Label20");
    Controls.Label20 = title;
    for (const TForm1::TWordList& wordList : TForm1::WordLists) {
        HWND box = CreateChild(wordList.BoxName, L"EDIT",
                               tab | WS_HSCROLL | WS_VSCROLL | ES_MULTILINE | ES_AUTOHSCROLL |
                                   ES_AUTOVSCROLL | ES_WANTRETURN,
                               {}, &TFonts::Fixed, WS_EX_CLIENTEDGE);
        ShowWindow(box, SW_HIDE);
        // No limit of its own: a word list may be long.
        SendMessageW(box, EM_SETLIMITTEXT, 0, 0);
        Controls.*wordList.Box = Adopt<TWin32Memo>(box, title->Handle());
    }

    const DWORD button = tab | BS_PUSHBUTTON;
    Controls.btnOK =
        Adopt<TWin32Button>(CreateChild("btnOK", L"BUTTON", button, u"実行", &TFonts::Window));
    Controls.btnExit =
        Adopt<TWin32Button>(CreateChild("btnExit", L"BUTTON", button, u"終了", &TFonts::Window));

    heading("Label16");
    for (int i = 0; i < ItemCount; ++i)
        Controls.Samples[i] =
            Adopt<TWin32Label>(CreateChild(SampleNames[i], L"STATIC", SS_OWNERDRAW | SS_NOPREFIX,
                                           TokenKind::All[i], nullptr),
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

void TWin32Window::FitClientArea()
{
    // The frame as it is drawn, whatever the metrics of the DPI say it should be.
    RECT window, client;
    GetWindowRect(Wnd, &window);
    GetClientRect(Wnd, &client);
    int width = Scale(ClientWidth) + (window.right - window.left) - client.right;
    int height = Scale(ClientHeight) + (window.bottom - window.top) - client.bottom;
    if (client.right != Scale(ClientWidth) || client.bottom != Scale(ClientHeight))
        SetWindowPos(Wnd, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWin32Window::PlaceControls()
{
    for (const TNamed& named : Names) {
        if (named.Font != nullptr)
            SendMessageW(named.Handle, WM_SETFONT, reinterpret_cast<WPARAM>(Fonts.*named.Font),
                         TRUE);
        if (const TPlace* place = PlaceOf(named.Name))
            SetWindowPos(named.Handle, nullptr, Scale(place->X), Scale(place->Y),
                         Scale(place->Width),
                         Scale(place->Dropped > 0 ? place->Dropped : place->Height),
                         SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // The word-list boxes lie on the placeholder, with its size, whichever shows.
    const TPlace* placeholder = PlaceOf("pnlDummy");
    for (const TForm1::TWordList& wordList : TForm1::WordLists)
        SetWindowPos(Find(wordList.BoxName), nullptr, Scale(placeholder->X), Scale(placeholder->Y),
                     Scale(placeholder->Width), Scale(placeholder->Height),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    // The sample labels lie in Panel2, one below the other, each sized to its caption.
    const TPlace* panel = PlaceOf("Panel2");
    for (int i = 0; i < ItemCount; ++i)
        SetWindowPos(Find(SampleNames[i]), nullptr, Scale(panel->X + SampleLeft),
                     Scale(panel->Y + SampleTop + i * SampleStep), 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (const std::unique_ptr<TWin32Control>& child : Children)
        if (auto* label = dynamic_cast<TWin32Label*>(child.get()))
            label->UpdateFont();

    HWND cbo = Find("cboLangType");
    SendMessageW(cbo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), Scale(ItemHeight + 1));
    SendMessageW(cbo, CB_SETITEMHEIGHT, 0, Scale(ItemHeight));
    for (const char* name : {"ColorBox1", "ColorBox2"}) {
        SendMessageW(Find(name), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), Scale(ItemHeight));
        SendMessageW(Find(name), CB_SETITEMHEIGHT, 0, Scale(ItemHeight));
    }
    SendMessageW(Find("CheckListBox1"), LB_SETITEMHEIGHT, 0, Scale(ItemHeight));
}

void TWin32Window::ChangeDpi(int dpi, const RECT& suggested)
{
    SetDpi(dpi);
    Win32Controls::TFonts old = Fonts;
    CreateFonts();
    SIZE frame = FrameSize(Scale(ClientWidth), Scale(ClientHeight), FrameStyle, FrameExStyle, Dpi);
    SetWindowPos(Wnd, nullptr, suggested.left, suggested.top, frame.cx, frame.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    FitClientArea();
    PlaceControls();
    // The controls hold the new fonts now: the old ones can go.
    DeleteFonts(old);
    RedrawWindow(Wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void TWin32Window::Show()
{
    ShowWindow(Wnd, SW_SHOWNORMAL);
    UpdateWindow(Wnd);
    SetFocus(Find("cboLangType"));
}

int TWin32Window::RunMessageLoop()
{
    QuitOnDestroy = true;
    MSG msg;
    int status = 0;
    for (;;) {
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            status = static_cast<int>(msg.wParam);
            break;
        }
        if (got == -1) {
            status = 1;
            break;
        }
        if (Wnd != nullptr && IsDialogMessageW(Wnd, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    // The loop may end without a close (the session ends): keep the edits all the same.
    if (Form)
        Form->FormClose();
    return status;
}

LRESULT CALLBACK TWin32Window::Proc(HWND hwnd, UINT message, WPARAM w, LPARAM l)
{
    if (message == WM_NCCREATE) {
        auto* window = static_cast<TWin32Window*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
        window->Wnd = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
    }
    auto* window = reinterpret_cast<TWin32Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (window == nullptr)
        return DefWindowProcW(hwnd, message, w, l);
    return window->Message(message, w, l);
}

LRESULT TWin32Window::Message(UINT message, WPARAM w, LPARAM l)
{
    switch (message) {
    case WM_COMMAND: {
        HWND from = reinterpret_cast<HWND>(l);
        if (from == nullptr && LOWORD(w) == IDOK) {
            // Enter, as the dialog keys send it: presses the focused push button.
            HWND focus = GetFocus();
            for (HWND button : {Find("btnOK"), Find("btnExit")})
                if (focus == button && IsWindowEnabled(button))
                    SendMessageW(button, BM_CLICK, 0, 0);
            return 0;
        }
        if (TWin32Control* control = from != nullptr ? TWin32Control::Of(from) : nullptr)
            control->Command(HIWORD(w));
        return 0;
    }
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(l);
        if (TWin32Control* control = TWin32Control::Of(item->hwndItem))
            control->Draw(*item);
        return TRUE;
    }
    case WM_MEASUREITEM: {
        // Asked while the control is being made, before its object exists.
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(l);
        item->itemHeight = static_cast<UINT>(Scale(ItemHeight));
        return TRUE;
    }
    case WM_SETCURSOR:
        if (WindowControl && WindowControl->Busy()) {
            SetCursor(LoadCursorW(nullptr, IDC_WAIT));
            return TRUE;
        }
        break;
    case WM_ACTIVATE:
        // As a dialog: the focus comes back to the control that had it.
        if (LOWORD(w) == WA_INACTIVE) {
            HWND focus = GetFocus();
            FocusBeforeDeactivation = focus != nullptr && IsChild(Wnd, focus) ? focus : nullptr;
        } else if (FocusBeforeDeactivation != nullptr && IsWindow(FocusBeforeDeactivation)) {
            SetFocus(FocusBeforeDeactivation);
            return 0;
        }
        break;
    case WM_CLOSE:
        if (Form)
            Form->FormClose();
        DestroyWindow(Wnd);
        return 0;
    case WM_ENDSESSION:
        if (w != 0 && Form)
            Form->FormClose();
        return 0;
    case WM_DESTROY:
        if (QuitOnDestroy)
            PostQuitMessage(0);
        return 0;
    case WM_DPICHANGED:
        // Moved to a monitor of another scale, or the scale changed.
        ChangeDpi(HIWORD(w), *reinterpret_cast<const RECT*>(l));
        return 0;
    case WM_NCDESTROY:
        RemovePropW(Wnd, Win32Controls::DpiProperty);
        SetWindowLongPtrW(Wnd, GWLP_USERDATA, 0);
        Wnd = nullptr;
        return 0;
    default:
        break;
    }
    return DefWindowProcW(Wnd, message, w, l);
}

TWin32MessageBoxScope::TWin32MessageBoxScope()
    : Previous(Platform::SetMessageBoxHandler(
          [](const std::string& caption, const std::string& text, Platform::TMessageIcon icon) {
              UINT type = MB_OK | (icon == Platform::TMessageIcon::Error ? MB_ICONERROR
                                   : icon == Platform::TMessageIcon::Information
                                       ? MB_ICONINFORMATION
                                       : MB_ICONEXCLAMATION);
              std::u16string wideText = CodePage::FromUtf8(text);
              std::u16string wideCaption = CodePage::FromUtf8(caption);
              // The box answers to the mouse even while a run shows the busy cursor.
              HCURSOR cursor = SetCursor(LoadCursorW(nullptr, IDC_ARROW));
              int answer =
                  MessageBoxW(GetActiveWindow(), W(wideText.c_str()), W(wideCaption.c_str()), type);
              SetCursor(cursor);
              // No box could be shown (no desktop): the message must not be lost. Windows says
              // so with 0, Wine without a display with -1.
              if (answer <= 0)
                  Platform::WriteErrorLine(caption + ": " + text);
          }))
{
}

TWin32MessageBoxScope::~TWin32MessageBoxScope()
{
    Platform::SetMessageBoxHandler(std::move(Previous));
}

int RunWin32Window()
{
    // The manifest makes the programs aware of each monitor's DPI; a program without it is
    // drawn at the system's DPI at least, rather than stretched by the system.
    if (!IsProcessDPIAware())
        SetProcessDPIAware();
    TWin32MessageBoxScope messageBox;
    // One window per program folder: a second one would write its settings over the first's.
    TWin32Instance instance;
    if (!instance.First())
        return 0;
    try {
        TWin32Window window;
        instance.Mark(window.Handle());
        window.Show();
        return window.RunMessageLoop();
    } catch (const std::exception& e) {
        Platform::ShowError(e.what());
    } catch (...) {
        Platform::ShowError("");
    }
    return 1;
}
