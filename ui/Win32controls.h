// Win32controls: the control interfaces of the main window on native Windows controls.
#pragma once

#include "ui/Controls.h"

#include <windows.h>

#include <string>
#include <vector>

class TWin32Fonts;

// A child control of the window, reached from its handle: the window hands it the notifications
// and drawing requests that Windows sends to the parent.
class TWin32Control {
public:
    explicit TWin32Control(HWND handle);
    virtual ~TWin32Control() = default;
    TWin32Control(const TWin32Control&) = delete;
    TWin32Control& operator=(const TWin32Control&) = delete;

    HWND Handle() const { return Wnd; }
    // The object of a child made by the window, or nullptr.
    static TWin32Control* Of(HWND handle);

    // A WM_COMMAND notification from the control.
    virtual void Command(int /*code*/) {}
    // WM_DRAWITEM of an owner-drawn control.
    virtual void Draw(const DRAWITEMSTRUCT& /*item*/) {}

protected:
    HWND Wnd;
    // Routes the control's own messages through Filter first.
    void Subclass();
    // Answers true when the message is handled; otherwise the control's own procedure runs.
    virtual bool Filter(UINT /*message*/, WPARAM /*w*/, LPARAM /*l*/, LRESULT& /*result*/)
    {
        return false;
    }
    LRESULT CallOriginal(UINT message, WPARAM w, LPARAM l);
    // A drop-down takes a wheel step only when it has the focus: a wheel turned over it on the
    // way elsewhere must not change a choice.
    bool WheelWithoutFocus(UINT message) const;

private:
    WNDPROC Original = nullptr;
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM w, LPARAM l);
};

namespace Win32Controls {

// The window's class, by which a later start finds it.
inline constexpr const wchar_t* WindowClass = L"CorvinaForm1";
// The window's property that holds the DPI its controls are drawn at.
inline constexpr const wchar_t* DpiProperty = L"CorvinaDpi";
// The DPI of the window that holds control, as that window keeps it; the screen's when none.
int DpiOf(HWND control);

std::u16string TextOf(HWND handle);
void SetTextOf(HWND handle, const std::u16string& text);
inline const wchar_t* W(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }

// Multi-line box text ("\n") and an edit control's text ("\r\n"), both ways.
std::u16string ToEditText(const std::u16string& text);
std::u16string FromEditText(const std::u16string& text);

void Fire(const TNotifyEvent& event);
// Moves the focus from control to the next one in the tab order.
void FocusNext(HWND control);

} // namespace Win32Controls

// A file-name box; F4 in it presses its browse button, which has no tab stop.
class TWin32TextBox final : public TWin32Control, public TTextBox {
public:
    TWin32TextBox(HWND handle, HWND browseButton);
    std::u16string Text() const override;
    void SetText(const std::u16string& text) override;

protected:
    bool Filter(UINT message, WPARAM w, LPARAM l, LRESULT& result) override;

private:
    HWND Browse;
};

// The language drop-down (CBS_DROPDOWNLIST): its text is the chosen entry's caption.
class TWin32ListBox final : public TWin32Control, public TTextBox {
public:
    explicit TWin32ListBox(HWND handle);
    std::u16string Text() const override;
    void SetText(const std::u16string& text) override;
    void Command(int code) override;

protected:
    bool Filter(UINT message, WPARAM w, LPARAM l, LRESULT& result) override;

private:
    std::u16string EntryText(int index) const;
};

// A word-list box. Tab leaves it as it leaves any other control, and entering it selects
// nothing, so that the next key cannot replace the list. The box that shows takes the title
// label just before it, which names it for screen readers.
class TWin32Memo final : public TWin32Control, public TMemo {
public:
    TWin32Memo(HWND handle, HWND title);
    std::u16string Text() const override;
    void SetText(const std::u16string& text) override;
    bool Visible() const override;
    void SetVisible(bool visible) override;
    void MoveTo(int left, int top) override;

protected:
    bool Filter(UINT message, WPARAM w, LPARAM l, LRESULT& result) override;

private:
    HWND Title;
};

// Boxes that only draw themselves: the sunken panels, the white frame of a file name, the rule.
class TWin32Panel final : public TWin32Control, public TPanel {
public:
    enum class TLook { Sunken, White, Rule };
    TWin32Panel(HWND handle, TLook look) : TWin32Control(handle), Look(look) {}
    int Left() const override;
    int Top() const override;
    void Draw(const DRAWITEMSTRUCT& item) override;

private:
    TLook Look;
};

// A heading (centred on a flat button-face box) or a sample label (sized to its caption, in its
// item's colours and font style).
class TWin32Label final : public TWin32Control, public TLabel {
public:
    TWin32Label(HWND handle, const TWin32Fonts& fonts, bool sample);
    void SetText(const std::u16string& text) override;
    void SetColors(std::int32_t text, std::int32_t background) override;
    void SetFontStyle(bool bold, bool italic) override;
    void Draw(const DRAWITEMSTRUCT& item) override;

    // Takes the window's font of its kind again (the window's DPI changed) and, as a sample,
    // fits its caption.
    void UpdateFont();

    COLORREF TextColor() const { return Foreground; }
    COLORREF BackColor() const { return Background; }
    HFONT Font() const;

private:
    const TWin32Fonts& Fonts;
    bool Sample;
    bool Bold = false, Italic = false;
    COLORREF Foreground, Background;
    void FitCaption();
};

class TWin32TickBox final : public TWin32Control, public TTickBox {
public:
    using TWin32Control::TWin32Control;
    bool Checked() const override;
    void SetChecked(bool checked) override;
    void Command(int code) override;
};

// An owner-drawn list box with a tick before each item: a click on the tick toggles it and
// selects the item, Space toggles the selected item. An item's text is its caption and its
// tick in words, which screen readers read; the caption alone is drawn.
class TWin32CheckList final : public TWin32Control, public TCheckList {
public:
    TWin32CheckList(HWND handle, std::vector<std::u16string> captions);
    int ItemIndex() const override;
    void SetItemIndex(int index) override;
    bool Checked(int index) const override;
    void SetChecked(int index, bool checked) override;
    void Command(int code) override;
    void Draw(const DRAWITEMSTRUCT& item) override;

    // The width of the tick's place at the left of an item, in pixels.
    int TickWidth() const;

protected:
    bool Filter(UINT message, WPARAM w, LPARAM l, LRESULT& result) override;

private:
    // The item's text: its caption and whether it is ticked.
    static std::u16string ItemText(const std::u16string& caption, bool checked);
    std::vector<std::u16string> Captions;
    std::vector<bool> Ticks;
    void Toggle(int index);
};

// An owner-drawn drop-down list of colours, each a swatch and its name.
class TWin32ColorBox final : public TWin32Control, public TColorBox {
public:
    explicit TWin32ColorBox(HWND handle);
    void SetColors(std::span<const TBasicColor> colors) override;
    std::optional<std::int32_t> Selected() const override;
    void Select(std::int32_t value) override;
    void Command(int code) override;
    void Draw(const DRAWITEMSTRUCT& item) override;

protected:
    bool Filter(UINT message, WPARAM w, LPARAM l, LRESULT& result) override;

private:
    std::vector<std::u16string> Names;
};

// A push button; an owner-drawn one (a browse button) is an empty flat square with an edge, its
// caption being its name for screen readers only.
class TWin32Button final : public TWin32Control, public TButton {
public:
    using TWin32Control::TWin32Control;
    bool Enabled() const override;
    void SetEnabled(bool enabled) override;
    void Command(int code) override;
    void Draw(const DRAWITEMSTRUCT& item) override;
};

// GetOpenFileNameW or GetSaveFileNameW with the filter and options asked for, nothing else.
class TWin32FileDialog final : public TFileDialog {
public:
    TWin32FileDialog(HWND owner, bool save) : Owner(owner), Save(save) {}
    bool Execute() override;

    // The filter as the dialog takes it: the pattern as its own description, then the pattern.
    std::wstring FilterText() const;
    DWORD Flags() const;

private:
    HWND Owner;
    bool Save;
};

// The busy cursor, kept over the window while a run blocks it, and the window itself. Input that
// arrives while it is busy is dropped when the run ends.
class TWin32WindowControl final : public TWindowControl {
public:
    explicit TWin32WindowControl(HWND window) : Window(window) {}
    void BeginBusy() override;
    void EndBusy() override;
    void Update() override;
    void Close() override;
    bool Busy() const { return Previous != nullptr; }

private:
    HWND Window;
    HCURSOR Previous = nullptr;
    // The focus goes back where it was: disabling the focused button moved it on.
    HWND Focus = nullptr;
};
