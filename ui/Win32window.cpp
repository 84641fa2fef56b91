// Win32window: the main window's Windows controls at fixed places, their fonts, the keyboard
// handling of a dialog, the message loop, and the message box.
#include "ui/Win32window.h"

#include "core/Token.h"
#include "lexers/Languagetable.h"
#include "platform/Codepage.h"

#include <algorithm>
#include <stdexcept>

using Win32Controls::W;

namespace {

const wchar_t* const WindowClass = L"CorvinaForm1";
constexpr int ClientWidth = 482, ClientHeight = 308;
constexpr int ItemCount = 12;
// The height of a check-list item and of a drop-down's entries.
constexpr int ItemHeight = 14;
// Control identifiers start above IDOK and IDCANCEL, which the dialog keys send.
constexpr int FirstId = 100;

// Places at 96 DPI, in client coordinates, by control name.
struct TPlace {
    std::string_view Name;
    int X, Y, Width, Height;
};
constexpr int ColTop = 97, ColHeight = 178;
constexpr TPlace Places[] = {
    {"Label1", 4, 4, 100, 21},
    {"cboLangType", 108, 4, 370, 21},
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
    {"ColorBox1", 108, ColTop, 100, 20},
    {"chkBold", 110, ColTop + 24, 96, 18},
    {"chkItalic", 110, ColTop + 44, 96, 18},
    {"Label6", 108, ColTop + 68, 100, 17},
    {"ColorBox2", 108, ColTop + 89, 100, 20},
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
        wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = WindowClass;
        if (RegisterClassExW(&wc) == 0)
            throw std::runtime_error("ウィンドウを作れません");
    }
    HDC screen = GetDC(nullptr);
    Dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);

    // Single border, caption and system menu: no sizing, no minimise or maximise box.
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    const DWORD exStyle = WS_EX_CONTROLPARENT;
    RECT frame = {0, 0, Scale(ClientWidth), Scale(ClientHeight)};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    CreateWindowExW(exStyle, WindowClass, L"Corvina", style, CW_USEDEFAULT, CW_USEDEFAULT,
                    frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance,
                    this);
    if (Wnd == nullptr)
        throw std::runtime_error("ウィンドウを作れません");
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
    for (int style = 0; style < 4; ++style)
        Fonts.Samples[style] =
            MakeFont(dc, ControlFaces, pixels, false, (style & 1) != 0, (style & 2) != 0);
    ReleaseDC(Wnd, dc);
}

void TWin32Window::ReleaseFonts()
{
    for (HFONT font : {Fonts.Window, Fonts.Control, Fonts.Fixed, Fonts.Samples[0],
                       Fonts.Samples[1], Fonts.Samples[2], Fonts.Samples[3]})
        if (font != nullptr)
            DeleteObject(font);
    Fonts = {};
}

HWND TWin32Window::CreateChild(std::string_view name, const wchar_t* windowClass, DWORD style,
                               const char16_t* caption, HFONT font, DWORD exStyle)
{
    const TPlace* place = PlaceOf(name);
    int x = 0, y = 0, width = 0, height = 0;
    if (place != nullptr) {
        x = place->X;
        y = place->Y;
        width = place->Width;
        height = place->Height;
    }
    int id = FirstId + static_cast<int>(Names.size());
    HWND handle = CreateWindowExW(exStyle, windowClass, caption ? W(caption) : L"",
                                  WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, Scale(x),
                                  Scale(y), Scale(width), Scale(height), Wnd,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                  GetModuleHandleW(nullptr), nullptr);
    if (handle == nullptr)
        throw std::runtime_error("ウィンドウを作れません: " + std::string(name));
    SendMessageW(handle, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    Names.push_back({name, handle});
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
    // The tab order is the order of creation: the controls with a tab stop come first, in the
    // window's order. Everything drawn beneath them (frames, panels) comes after, lower in the
    // Z order, so that the controls are painted over it.
    const DWORD tab = WS_TABSTOP;
    const DWORD dropDown = tab | WS_VSCROLL | CBS_DROPDOWNLIST;

    HWND cbo = CreateChild("cboLangType", L"COMBOBOX", dropDown, nullptr, Fonts.Control);
    SetWindowPos(cbo, nullptr, 0, 0, Scale(370), Scale(21 + 14 * 16),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (const Languages::TCaption& language : Languages::Captions) {
        std::u16string caption = CodePage::FromUtf8(language.Caption);
        SendMessageW(cbo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(W(caption.c_str())));
    }
    SendMessageW(cbo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), Scale(ItemHeight + 1));
    SendMessageW(cbo, CB_SETITEMHEIGHT, 0, Scale(ItemHeight));
    Controls.cboLangType = Adopt<TWin32ListBox>(cbo);

    // Outside the tab order, on top of their frames: the flat browse buttons, no caption; F4 in
    // a file-name box presses its button.
    HWND browse[2];
    for (int k = 0; k < 2; ++k) {
        browse[k] = CreateChild(k == 0 ? "SpeedButton1" : "SpeedButton2", L"BUTTON",
                                BS_PUSHBUTTON | BS_FLAT, nullptr, Fonts.Window);
        (k == 0 ? Controls.SpeedButton1 : Controls.SpeedButton2) = Adopt<TWin32Button>(browse[k]);
    }
    Controls.txtInput = Adopt<TWin32TextBox>(
        CreateChild("txtInput", L"EDIT", tab | ES_AUTOHSCROLL, nullptr, Fonts.Control), browse[0]);
    Controls.txtOutput = Adopt<TWin32TextBox>(
        CreateChild("txtOutput", L"EDIT", tab | ES_AUTOHSCROLL, nullptr, Fonts.Control),
        browse[1]);

    HWND list = CreateChild("CheckListBox1", L"LISTBOX",
                            tab | WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY |
                                LBS_NOINTEGRALHEIGHT,
                            nullptr, Fonts.Control, WS_EX_CLIENTEDGE);
    for (int i = 0; i < ItemCount; ++i) {
        std::u16string caption(TokenKind::All[i]);
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(W(caption.c_str())));
    }
    auto* checkList = Adopt<TWin32CheckList>(list);
    for (int i = 0; i < ItemCount; ++i)
        checkList->SetChecked(i, false);
    Controls.CheckListBox1 = checkList;

    const DWORD colorBox = dropDown | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
    auto makeColorBox = [&](std::string_view name) {
        HWND box = CreateChild(name, L"COMBOBOX", colorBox, nullptr, Fonts.Control);
        SetWindowPos(box, nullptr, 0, 0, Scale(100), Scale(20 + ItemHeight * 16 + 2),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        return Adopt<TWin32ColorBox>(box);
    };
    Controls.ColorBox1 = makeColorBox("ColorBox1");
    Controls.chkBold = Adopt<TWin32TickBox>(
        CreateChild("chkBold", L"BUTTON", tab | BS_AUTOCHECKBOX, u"太字", Fonts.Window));
    Controls.chkItalic = Adopt<TWin32TickBox>(
        CreateChild("chkItalic", L"BUTTON", tab | BS_AUTOCHECKBOX, u"斜体", Fonts.Window));
    Controls.ColorBox2 = makeColorBox("ColorBox2");

    // The word-list boxes have the placeholder's size; the set-up moves them onto it.
    const TPlace* placeholder = PlaceOf("pnlDummy");
    for (const TForm1::TWordList& wordList : TForm1::WordLists) {
        HWND box = CreateChild(wordList.BoxName, L"EDIT",
                               tab | WS_HSCROLL | WS_VSCROLL | ES_MULTILINE | ES_AUTOHSCROLL |
                                   ES_AUTOVSCROLL | ES_WANTRETURN,
                               nullptr, Fonts.Fixed, WS_EX_CLIENTEDGE);
        SetWindowPos(box, nullptr, 0, 0, Scale(placeholder->Width), Scale(placeholder->Height),
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
        // No limit of its own: a word list may be long.
        SendMessageW(box, EM_SETLIMITTEXT, 0, 0);
        Controls.*wordList.Box = Adopt<TWin32Memo>(box);
    }

    const DWORD button = tab | BS_PUSHBUTTON;
    Controls.btnOK = Adopt<TWin32Button>(CreateChild("btnOK", L"BUTTON", button, u"実行", Fonts.Window));
    Controls.btnExit =
        Adopt<TWin32Button>(CreateChild("btnExit", L"BUTTON", button, u"終了", Fonts.Window));

    const TPlace* panel = PlaceOf("Panel2");
    for (int i = 0; i < ItemCount; ++i) {
        std::u16string caption(TokenKind::All[i]);
        HWND label = CreateChild(SampleNames[i], L"STATIC", SS_OWNERDRAW | SS_NOPREFIX,
                                 caption.c_str(), Fonts.Samples[0]);
        SetWindowPos(label, nullptr, Scale(panel->X + SampleLeft),
                     Scale(panel->Y + SampleTop + i * SampleStep), 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        Controls.Samples[i] = Adopt<TWin32Label>(label, Fonts, true);
    }

    auto heading = [&](std::string_view name, const char16_t* caption) {
        return Adopt<TWin32Label>(
            CreateChild(name, L"STATIC", SS_OWNERDRAW | SS_NOPREFIX, caption, Fonts.Window), Fonts,
            false);
    };
    heading("Label1", u"言語タイプ");
    heading("Label2", u"入力ファイル名");
    heading("Label3", u"出力ファイル名");
    heading("Label4", u"表示項目");
    heading("Label5", u"前景アイテム");
    heading("Label16", u"表示サンプル");
    Controls.Label20 = heading("Label20", u"設定内容");
    heading("Label6", u"背景アイテム");

    using TLook = TWin32Panel::TLook;
    auto panelOf = [&](std::string_view name, TLook look) {
        return Adopt<TWin32Panel>(CreateChild(name, L"STATIC", SS_OWNERDRAW, nullptr, Fonts.Window),
                                  look);
    };
    panelOf("InputFrame", TLook::White);
    panelOf("OutputFrame", TLook::White);
    panelOf("Panel2", TLook::White);
    Controls.pnlDummy = panelOf("pnlDummy", TLook::Sunken);
    panelOf("Bevel1", TLook::Rule);

    Dialogs[0] = std::make_unique<TWin32FileDialog>(Wnd, false);
    Dialogs[1] = std::make_unique<TWin32FileDialog>(Wnd, true);
    Controls.OpenDialog1 = Dialogs[0].get();
    Controls.SaveDialog1 = Dialogs[1].get();
    WindowControl = std::make_unique<TWin32WindowControl>(Wnd);
    Controls.Window = WindowControl.get();
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
    case WM_NCDESTROY:
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
    // Drawn at the monitor's DPI rather than stretched by the system.
    SetProcessDPIAware();
    TWin32MessageBoxScope messageBox;
    try {
        TWin32Window window;
        window.Show();
        return window.RunMessageLoop();
    } catch (const std::exception& e) {
        Platform::ShowError(e.what());
    } catch (...) {
        Platform::ShowError("");
    }
    return 1;
}
