// Win32controls: texts, ticks, colours, dialogs and the cursor on native Windows controls.
#include "ui/Win32controls.h"

#include "ui/Win32fonts.h"

#include <commdlg.h>

#include <utility>

using Win32Controls::Fire;
using Win32Controls::W;

namespace {

// The tick of a check-list item and a colour box's swatch, at 96 DPI.
constexpr int TickSize = 13;
constexpr int SwatchWidth = 16;

int Scaled(HWND handle, int value) { return MulDiv(value, Win32Controls::DpiOf(handle), 96); }

const char16_t* const TickedText = u" (チェックあり)";
const char16_t* const UntickedText = u" (チェックなし)";

// Draws text into rect on a background, left-aligned and vertically centred.
void DrawItemText(HDC dc, RECT rect, const std::u16string& text, COLORREF color)
{
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, color);
    DrawTextW(dc, W(text.c_str()), static_cast<int>(text.size()), &rect,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void FillColor(HDC dc, const RECT& rect, COLORREF color)
{
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

// The selection colours of a list item, or the window's.
void ItemColors(const DRAWITEMSTRUCT& item, COLORREF& text, COLORREF& back)
{
    bool selected = (item.itemState & ODS_SELECTED) != 0;
    bool disabled = (item.itemState & ODS_DISABLED) != 0;
    back = GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
    text = GetSysColor(disabled ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
}

} // namespace

int Win32Controls::DpiOf(HWND control)
{
    HWND window = GetAncestor(control, GA_ROOT);
    if (HANDLE dpi = window != nullptr ? GetPropW(window, DpiProperty) : nullptr)
        return static_cast<int>(reinterpret_cast<INT_PTR>(dpi));
    HDC dc = GetDC(control);
    int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(control, dc);
    return dpi;
}

std::u16string Win32Controls::TextOf(HWND handle)
{
    int length = GetWindowTextLengthW(handle);
    std::u16string text(static_cast<size_t>(length) + 1, u'\0');
    length = GetWindowTextW(handle, reinterpret_cast<wchar_t*>(text.data()), length + 1);
    text.resize(static_cast<size_t>(length));
    return text;
}

void Win32Controls::SetTextOf(HWND handle, const std::u16string& text)
{
    SetWindowTextW(handle, W(text.c_str()));
}

std::u16string Win32Controls::ToEditText(const std::u16string& text)
{
    std::u16string out;
    out.reserve(text.size() + text.size() / 8);
    for (char16_t ch : text) {
        if (ch == u'\n')
            out += u'\r';
        out += ch;
    }
    return out;
}

std::u16string Win32Controls::FromEditText(const std::u16string& text)
{
    std::u16string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        // CR LF and a lone CR are both one line end.
        if (text[i] == u'\r') {
            out += u'\n';
            if (i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

void Win32Controls::FocusNext(HWND control)
{
    HWND next = GetNextDlgTabItem(GetParent(control), control, FALSE);
    if (next != nullptr && next != control)
        SetFocus(next);
}

void Win32Controls::Fire(const TNotifyEvent& event)
{
    if (event)
        event();
}

TWin32Control::TWin32Control(HWND handle) : Wnd(handle)
{
    SetWindowLongPtrW(Wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

TWin32Control* TWin32Control::Of(HWND handle)
{
    return reinterpret_cast<TWin32Control*>(GetWindowLongPtrW(handle, GWLP_USERDATA));
}

void TWin32Control::Subclass()
{
    Original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(Wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassProc)));
}

LRESULT TWin32Control::CallOriginal(UINT message, WPARAM w, LPARAM l)
{
    return CallWindowProcW(Original, Wnd, message, w, l);
}

LRESULT CALLBACK TWin32Control::SubclassProc(HWND hwnd, UINT message, WPARAM w, LPARAM l)
{
    TWin32Control* control = Of(hwnd);
    LRESULT result = 0;
    if (control->Filter(message, w, l, result))
        return result;
    return control->CallOriginal(message, w, l);
}

bool TWin32Control::WheelWithoutFocus(UINT message) const
{
    return message == WM_MOUSEWHEEL && GetFocus() != Wnd;
}

TWin32TextBox::TWin32TextBox(HWND handle, HWND browseButton)
    : TWin32Control(handle), Browse(browseButton)
{
    Subclass();
}

bool TWin32TextBox::Filter(UINT message, WPARAM w, LPARAM, LRESULT& result)
{
    if (message == WM_KEYDOWN && w == VK_F4 && Browse != nullptr) {
        SendMessageW(Browse, BM_CLICK, 0, 0);
        result = 0;
        return true;
    }
    return false;
}

std::u16string TWin32TextBox::Text() const { return Win32Controls::TextOf(Wnd); }

void TWin32TextBox::SetText(const std::u16string& text) { Win32Controls::SetTextOf(Wnd, text); }

TWin32ListBox::TWin32ListBox(HWND handle) : TWin32Control(handle) { Subclass(); }

bool TWin32ListBox::Filter(UINT message, WPARAM, LPARAM, LRESULT& result)
{
    result = 0;
    return WheelWithoutFocus(message);
}

std::u16string TWin32ListBox::Text() const
{
    LRESULT index = SendMessageW(Wnd, CB_GETCURSEL, 0, 0);
    return index == CB_ERR ? std::u16string() : EntryText(static_cast<int>(index));
}

std::u16string TWin32ListBox::EntryText(int index) const
{
    LRESULT length = SendMessageW(Wnd, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR)
        return {};
    std::u16string text(static_cast<size_t>(length) + 1, u'\0');
    SendMessageW(Wnd, CB_GETLBTEXT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}

void TWin32ListBox::SetText(const std::u16string& text)
{
    // CB_FINDSTRINGEXACT ignores case; the captions are matched exactly. No match: no choice.
    int count = static_cast<int>(SendMessageW(Wnd, CB_GETCOUNT, 0, 0));
    int found = -1;
    for (int i = 0; i < count && found < 0; ++i)
        if (EntryText(i) == text)
            found = i;
    SendMessageW(Wnd, CB_SETCURSEL, static_cast<WPARAM>(found), 0);
}

void TWin32ListBox::Command(int code)
{
    if (code == CBN_SELCHANGE)
        Fire(OnChange);
}

TWin32Memo::TWin32Memo(HWND handle, HWND title) : TWin32Control(handle), Title(title)
{
    Subclass();
}

std::u16string TWin32Memo::Text() const
{
    return Win32Controls::FromEditText(Win32Controls::TextOf(Wnd));
}

void TWin32Memo::SetText(const std::u16string& text)
{
    Win32Controls::SetTextOf(Wnd, Win32Controls::ToEditText(text));
}

bool TWin32Memo::Visible() const { return (GetWindowLongW(Wnd, GWL_STYLE) & WS_VISIBLE) != 0; }

void TWin32Memo::SetVisible(bool visible)
{
    // A box hidden while it has the focus hands it on, so the keyboard still reaches the window.
    if (!visible && GetFocus() == Wnd)
        Win32Controls::FocusNext(Wnd);
    HWND before = GetWindow(Wnd, GW_HWNDPREV);
    if (visible && Title != nullptr && before != Title && before != nullptr)
        SetWindowPos(Title, before, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ShowWindow(Wnd, visible ? SW_SHOWNA : SW_HIDE);
}

void TWin32Memo::MoveTo(int left, int top)
{
    SetWindowPos(Wnd, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool TWin32Memo::Filter(UINT message, WPARAM w, LPARAM l, LRESULT& result)
{
    if (message != WM_GETDLGCODE)
        return false;
    // Never "select all on entry", however the question is asked: the focus comes by Tab
    // with the Tab key's message attached.
    result = CallOriginal(message, w, l) & ~DLGC_HASSETSEL;
    // A multi-line edit asks for every key; Tab (with or without Shift or Ctrl) is left to the
    // dialog handling, which moves the focus.
    if (l != 0) {
        const MSG* msg = reinterpret_cast<const MSG*>(l);
        if ((msg->message == WM_KEYDOWN || msg->message == WM_CHAR) &&
            (msg->wParam == VK_TAB || msg->wParam == L'\t'))
            result &= ~(DLGC_WANTALLKEYS | DLGC_WANTTAB | DLGC_WANTMESSAGE);
    }
    return true;
}

int TWin32Panel::Left() const
{
    RECT rect;
    GetWindowRect(Wnd, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(Wnd), reinterpret_cast<POINT*>(&rect), 1);
    return rect.left;
}

int TWin32Panel::Top() const
{
    RECT rect;
    GetWindowRect(Wnd, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(Wnd), reinterpret_cast<POINT*>(&rect), 1);
    return rect.top;
}

void TWin32Panel::Draw(const DRAWITEMSTRUCT& item)
{
    RECT rect = item.rcItem;
    switch (Look) {
    case TLook::Rule:
        FillRect(item.hDC, &rect, GetSysColorBrush(COLOR_BTNFACE));
        DrawEdge(item.hDC, &rect, EDGE_ETCHED, BF_TOP);
        break;
    case TLook::White:
        FillRect(item.hDC, &rect, GetSysColorBrush(COLOR_WINDOW));
        DrawEdge(item.hDC, &rect, EDGE_SUNKEN, BF_RECT);
        break;
    case TLook::Sunken:
        FillRect(item.hDC, &rect, GetSysColorBrush(COLOR_BTNFACE));
        DrawEdge(item.hDC, &rect, BDR_SUNKENOUTER, BF_RECT);
        break;
    }
}

TWin32Label::TWin32Label(HWND handle, const TWin32Fonts& fonts, bool sample)
    : TWin32Control(handle), Fonts(fonts), Sample(sample), Foreground(GetSysColor(COLOR_BTNTEXT)),
      Background(sample ? RGB(255, 255, 255) : GetSysColor(COLOR_BTNFACE))
{
    SendMessageW(Wnd, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
    if (Sample)
        FitCaption();
}

void TWin32Label::UpdateFont()
{
    SendMessageW(Wnd, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
    if (Sample)
        FitCaption();
    InvalidateRect(Wnd, nullptr, TRUE);
}

HFONT TWin32Label::Font() const { return Sample ? Fonts.Sample(Bold, Italic) : Fonts.Window(); }

void TWin32Label::SetText(const std::u16string& text)
{
    Win32Controls::SetTextOf(Wnd, text);
    if (Sample)
        FitCaption();
    InvalidateRect(Wnd, nullptr, TRUE);
}

void TWin32Label::SetColors(std::int32_t text, std::int32_t background)
{
    // The stored values are 0x00BBGGRR, as a COLORREF is.
    Foreground = static_cast<COLORREF>(text) & 0xFFFFFF;
    Background = static_cast<COLORREF>(background) & 0xFFFFFF;
    InvalidateRect(Wnd, nullptr, TRUE);
}

void TWin32Label::SetFontStyle(bool bold, bool italic)
{
    Bold = bold;
    Italic = italic;
    UpdateFont();
}

void TWin32Label::FitCaption()
{
    std::u16string text = Win32Controls::TextOf(Wnd);
    HDC dc = GetDC(Wnd);
    HGDIOBJ old = SelectObject(dc, Font());
    SIZE size{};
    GetTextExtentPoint32W(dc, W(text.c_str()), static_cast<int>(text.size()), &size);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    // An italic face leans past its advance; its overhang stays inside the coloured box.
    if (Italic)
        size.cx += metrics.tmOverhang > 0 ? metrics.tmOverhang : metrics.tmHeight / 6;
    SelectObject(dc, old);
    ReleaseDC(Wnd, dc);
    SetWindowPos(Wnd, nullptr, 0, 0, size.cx, metrics.tmHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWin32Label::Draw(const DRAWITEMSTRUCT& item)
{
    RECT rect = item.rcItem;
    FillColor(item.hDC, rect, Background);
    if (!Sample)
        FrameRect(item.hDC, &rect, GetSysColorBrush(COLOR_BTNSHADOW));
    std::u16string text = Win32Controls::TextOf(Wnd);
    HGDIOBJ old = SelectObject(item.hDC, Font());
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, Foreground);
    UINT format = DT_SINGLELINE | DT_NOPREFIX | (Sample ? DT_LEFT | DT_TOP : DT_CENTER | DT_VCENTER);
    DrawTextW(item.hDC, W(text.c_str()), static_cast<int>(text.size()), &rect, format);
    SelectObject(item.hDC, old);
}

bool TWin32TickBox::Checked() const
{
    return SendMessageW(Wnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TWin32TickBox::SetChecked(bool checked)
{
    if (Checked() == checked)
        return;
    SendMessageW(Wnd, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    // As a click: the program's change reaches the handler too.
    Fire(OnClick);
}

void TWin32TickBox::Command(int code)
{
    if (code == BN_CLICKED)
        Fire(OnClick);
}

TWin32CheckList::TWin32CheckList(HWND handle, std::vector<std::u16string> captions)
    : TWin32Control(handle), Captions(std::move(captions)), Ticks(Captions.size(), false)
{
    Subclass();
    for (const std::u16string& caption : Captions)
        SendMessageW(Wnd, LB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(W(ItemText(caption, false).c_str())));
}

std::u16string TWin32CheckList::ItemText(const std::u16string& caption, bool checked)
{
    return caption + (checked ? TickedText : UntickedText);
}

int TWin32CheckList::ItemIndex() const
{
    LRESULT index = SendMessageW(Wnd, LB_GETCURSEL, 0, 0);
    return index == LB_ERR ? -1 : static_cast<int>(index);
}

void TWin32CheckList::SetItemIndex(int index)
{
    SendMessageW(Wnd, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

bool TWin32CheckList::Checked(int index) const
{
    return index >= 0 && static_cast<size_t>(index) < Ticks.size() && Ticks[index];
}

void TWin32CheckList::SetChecked(int index, bool checked)
{
    if (index < 0 || static_cast<size_t>(index) >= Ticks.size())
        return;
    Ticks[index] = checked;
    // The item's text says the tick: the item is replaced, with selection, caret and scroll
    // position kept.
    WPARAM at = static_cast<WPARAM>(index);
    LRESULT selected = SendMessageW(Wnd, LB_GETCURSEL, 0, 0);
    LRESULT caret = SendMessageW(Wnd, LB_GETCARETINDEX, 0, 0);
    LRESULT top = SendMessageW(Wnd, LB_GETTOPINDEX, 0, 0);
    SendMessageW(Wnd, WM_SETREDRAW, FALSE, 0);
    SendMessageW(Wnd, LB_DELETESTRING, at, 0);
    SendMessageW(Wnd, LB_INSERTSTRING, at,
                 reinterpret_cast<LPARAM>(W(ItemText(Captions[index], checked).c_str())));
    SendMessageW(Wnd, LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    if (caret != LB_ERR)
        SendMessageW(Wnd, LB_SETCARETINDEX, static_cast<WPARAM>(caret), FALSE);
    SendMessageW(Wnd, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
    SendMessageW(Wnd, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(Wnd, nullptr, TRUE);
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, Wnd, OBJID_CLIENT, index + 1);
}

void TWin32CheckList::Toggle(int index)
{
    if (ItemIndex() != index) {
        SetItemIndex(index);
        Fire(OnClick);
    }
    SetChecked(index, !Checked(index));
    Fire(OnClickCheck);
}

int TWin32CheckList::TickWidth() const { return Scaled(Wnd, TickSize + 4); }

void TWin32CheckList::Command(int code)
{
    if (code == LBN_SELCHANGE)
        Fire(OnClick);
}

bool TWin32CheckList::Filter(UINT message, WPARAM w, LPARAM l, LRESULT& result)
{
    if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) {
        int x = static_cast<short>(LOWORD(l));
        LRESULT hit = SendMessageW(Wnd, LB_ITEMFROMPOINT, 0, l);
        int index = LOWORD(hit);
        bool outside = HIWORD(hit) != 0;
        if (!outside && x < TickWidth()) {
            if (GetFocus() != Wnd)
                SetFocus(Wnd);
            Toggle(index);
            result = 0;
            return true;
        }
    } else if (message == WM_KEYDOWN && w == VK_SPACE) {
        if (ItemIndex() >= 0)
            Toggle(ItemIndex());
        result = 0;
        return true;
    } else if (message == WM_CHAR && w == L' ') {
        // Already toggled at the key press; the list box would search for a space.
        result = 0;
        return true;
    }
    return false;
}

void TWin32CheckList::Draw(const DRAWITEMSTRUCT& item)
{
    if (item.itemID == static_cast<UINT>(-1))
        return;
    int index = static_cast<int>(item.itemID);
    COLORREF text, back;
    ItemColors(item, text, back);
    RECT rect = item.rcItem;
    int tick = TickWidth();
    RECT textRect = rect;
    textRect.left += tick;
    FillColor(item.hDC, rect, GetSysColor(COLOR_WINDOW));
    FillColor(item.hDC, textRect, back);

    int size = Scaled(Wnd, TickSize);
    int top = rect.top + (rect.bottom - rect.top - size) / 2;
    RECT box = {rect.left + (tick - size) / 2, top, rect.left + (tick - size) / 2 + size, top + size};
    DrawFrameControl(item.hDC, &box, DFC_BUTTON,
                     DFCS_BUTTONCHECK | DFCS_FLAT | (Checked(index) ? DFCS_CHECKED : 0));

    textRect.left += 2;
    if (static_cast<size_t>(index) < Captions.size())
        DrawItemText(item.hDC, textRect, Captions[index], text);
    textRect.left -= 2;
    if ((item.itemState & ODS_FOCUS) != 0)
        DrawFocusRect(item.hDC, &textRect);
}

TWin32ColorBox::TWin32ColorBox(HWND handle) : TWin32Control(handle) { Subclass(); }

bool TWin32ColorBox::Filter(UINT message, WPARAM, LPARAM, LRESULT& result)
{
    result = 0;
    return WheelWithoutFocus(message);
}

void TWin32ColorBox::SetColors(std::span<const TBasicColor> colors)
{
    SendMessageW(Wnd, CB_RESETCONTENT, 0, 0);
    Names.clear();
    for (const TBasicColor& color : colors) {
        Names.emplace_back(color.Name);
        LRESULT index = SendMessageW(Wnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(W(color.Name)));
        SendMessageW(Wnd, CB_SETITEMDATA, static_cast<WPARAM>(index),
                     static_cast<LPARAM>(static_cast<std::uint32_t>(color.Value)));
    }
}

std::optional<std::int32_t> TWin32ColorBox::Selected() const
{
    LRESULT index = SendMessageW(Wnd, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR)
        return std::nullopt;
    return static_cast<std::int32_t>(SendMessageW(Wnd, CB_GETITEMDATA, static_cast<WPARAM>(index), 0));
}

void TWin32ColorBox::Select(std::int32_t value)
{
    // A colour outside the set selects no entry.
    LRESULT count = SendMessageW(Wnd, CB_GETCOUNT, 0, 0);
    WPARAM found = static_cast<WPARAM>(-1);
    for (LRESULT i = 0; i < count; ++i)
        if (static_cast<std::int32_t>(SendMessageW(Wnd, CB_GETITEMDATA, static_cast<WPARAM>(i), 0)) ==
            value) {
            found = static_cast<WPARAM>(i);
            break;
        }
    SendMessageW(Wnd, CB_SETCURSEL, found, 0);
}

void TWin32ColorBox::Command(int code)
{
    if (code == CBN_SELCHANGE)
        Fire(OnChange);
}

void TWin32ColorBox::Draw(const DRAWITEMSTRUCT& item)
{
    COLORREF text, back;
    ItemColors(item, text, back);
    RECT rect = item.rcItem;
    FillColor(item.hDC, rect, back);
    if (item.itemID == static_cast<UINT>(-1) || item.itemID >= Names.size())
        return;
    int margin = Scaled(Wnd, 2);
    RECT swatch = {rect.left + margin, rect.top + margin, rect.left + margin + Scaled(Wnd, SwatchWidth),
                   rect.bottom - margin};
    FillColor(item.hDC, swatch, static_cast<COLORREF>(item.itemData) & 0xFFFFFF);
    FrameRect(item.hDC, &swatch, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    RECT textRect = rect;
    textRect.left = swatch.right + 2 * margin;
    DrawItemText(item.hDC, textRect, Names[item.itemID], text);
    if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_COMBOBOXEDIT) != 0)
        DrawFocusRect(item.hDC, &rect);
}

bool TWin32Button::Enabled() const { return IsWindowEnabled(Wnd) != FALSE; }

void TWin32Button::SetEnabled(bool enabled)
{
    // A button that goes off with the focus passes it on first, so keys still reach the window.
    if (!enabled && GetFocus() == Wnd)
        Win32Controls::FocusNext(Wnd);
    EnableWindow(Wnd, enabled ? TRUE : FALSE);
}

void TWin32Button::Command(int code)
{
    if (code == BN_CLICKED)
        Fire(OnClick);
}

void TWin32Button::Draw(const DRAWITEMSTRUCT& item)
{
    RECT rect = item.rcItem;
    // Flat, with a thin edge that shows where it is.
    UINT state = DFCS_BUTTONPUSH | DFCS_FLAT;
    if ((item.itemState & ODS_SELECTED) != 0)
        state |= DFCS_PUSHED;
    if ((item.itemState & ODS_DISABLED) != 0)
        state |= DFCS_INACTIVE;
    DrawFrameControl(item.hDC, &rect, DFC_BUTTON, state);
}

std::wstring TWin32FileDialog::FilterText() const
{
    std::wstring pattern(Filter.begin(), Filter.end());
    std::wstring text = pattern;
    text += L'\0';
    text += pattern;
    text += L'\0';
    return text; // the string's own terminator ends the list
}

DWORD TWin32FileDialog::Flags() const
{
    DWORD flags = 0;
    if (FileMustExist)
        flags |= OFN_FILEMUSTEXIST;
    if (PathMustExist)
        flags |= OFN_PATHMUSTEXIST;
    return flags;
}

bool TWin32FileDialog::Execute()
{
    std::wstring filter = FilterText();
    std::wstring name(32768, L'\0');
    std::copy_n(FileName.begin(), std::min(FileName.size(), name.size() - 1), name.begin());
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = Owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = name.data();
    ofn.nMaxFile = static_cast<DWORD>(name.size());
    ofn.Flags = Flags();
    BOOL ok = Save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
    if (!ok)
        return false;
    name.resize(wcslen(name.c_str()));
    FileName.assign(name.begin(), name.end());
    return true;
}

void TWin32WindowControl::BeginBusy()
{
    Focus = GetFocus();
    Previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    // The window's WM_SETCURSOR answers with the busy cursor while Busy() holds.
    if (Previous == nullptr)
        Previous = LoadCursorW(nullptr, IDC_ARROW);
}

void TWin32WindowControl::EndBusy()
{
    SetCursor(Previous);
    // The run kept the message loop waiting: keys and clicks queued meanwhile (on the frame too,
    // its close box) are dropped, not played into the window once it is over.
    MSG message;
    for (auto [first, last] : {std::pair<UINT, UINT>{WM_KEYFIRST, WM_KEYLAST},
                               {WM_MOUSEFIRST, WM_MOUSELAST},
                               {WM_NCMOUSEMOVE, WM_NCXBUTTONDBLCLK}})
        while (PeekMessageW(&message, nullptr, first, last, PM_REMOVE | PM_NOYIELD)) {
        }
    Previous = nullptr;
    if (Focus != nullptr && IsWindow(Focus) && IsWindowEnabled(Focus) && IsWindowVisible(Focus))
        SetFocus(Focus);
    Focus = nullptr;
}

void TWin32WindowControl::Update()
{
    RedrawWindow(Window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void TWin32WindowControl::Close() { PostMessageW(Window, WM_CLOSE, 0, 0); }
