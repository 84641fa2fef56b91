// Controls: what the main window's handlers ask of its controls; a window toolkit implements it.
#pragma once

#include "core/Token.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>

// A control's event: set by the window, fired by the toolkit when the user acts.
using TNotifyEvent = std::function<void()>;

// One entry of a colour box: the name shown and the 0x00BBGGRR value.
struct TBasicColor {
    const char16_t* Name;
    std::int32_t Value;
};

// A one-line text box; also the language drop-down, whose text is the chosen caption and which
// selects nothing when set to a text that is none of its entries.
class TTextBox {
public:
    virtual ~TTextBox() = default;
    virtual std::u16string Text() const = 0;
    virtual void SetText(const std::u16string& text) = 0;
    TNotifyEvent OnChange; // the user chose an entry (drop-down only)
};

// A multi-line text box that can be hidden and moved.
class TMemo {
public:
    virtual ~TMemo() = default;
    // The text, lines separated by "\n".
    virtual std::u16string Text() const = 0;
    virtual void SetText(const std::u16string& text) = 0;
    virtual bool Visible() const = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual void MoveTo(int left, int top) = 0;
};

// A panel; only its place is asked for.
class TPanel {
public:
    virtual ~TPanel() = default;
    virtual int Left() const = 0;
    virtual int Top() const = 0;
};

// A label with a caption, colours and a font style; a sample label keeps to its caption's size.
class TLabel {
public:
    virtual ~TLabel() = default;
    virtual void SetText(const std::u16string& text) = 0;
    virtual void SetColors(std::int32_t text, std::int32_t background) = 0;
    virtual void SetFontStyle(bool bold, bool italic) = 0;
};

// A tick box. Setting it from the program fires OnClick as the user's click does.
class TTickBox {
public:
    virtual ~TTickBox() = default;
    virtual bool Checked() const = 0;
    virtual void SetChecked(bool checked) = 0;
    TNotifyEvent OnClick;
};

// A list of items with a tick box each. Setting the selection or a tick from the program fires
// no event; OnClickCheck fires after the user toggled the tick of the selected item (a toggle
// selects its item first).
class TCheckList {
public:
    virtual ~TCheckList() = default;
    virtual int ItemIndex() const = 0; // -1: none selected
    virtual void SetItemIndex(int index) = 0;
    virtual bool Checked(int index) const = 0;
    virtual void SetChecked(int index, bool checked) = 0;
    TNotifyEvent OnClick;      // the selection changed
    TNotifyEvent OnClickCheck; // the user toggled a tick
};

// A colour drop-down restricted to a set of colours. Selected is empty when no entry is chosen;
// Select with a value that is no entry chooses none. OnChange may fire for the program's Select.
class TColorBox {
public:
    virtual ~TColorBox() = default;
    virtual void SetColors(std::span<const TBasicColor> colors) = 0;
    virtual std::optional<std::int32_t> Selected() const = 0;
    virtual void Select(std::int32_t value) = 0;
    TNotifyEvent OnChange;
};

class TButton {
public:
    virtual ~TButton() = default;
    virtual bool Enabled() const = 0;
    virtual void SetEnabled(bool enabled) = 0;
    TNotifyEvent OnClick;
};

// The standard open or save dialog. Filter, options and the name chosen last are kept between
// uses; options not listed are off (no question before replacing, no resizing).
class TFileDialog {
public:
    virtual ~TFileDialog() = default;
    // On OK stores the chosen file's full name in FileName and answers true.
    virtual bool Execute() = 0;
    std::u16string Filter;      // one pattern, the whole filter
    bool FileMustExist = false; // the chosen file must exist
    bool PathMustExist = false; // the chosen file's folder must exist
    std::u16string FileName;
};

// The screen's cursor and the window as a whole.
class TWindowControl {
public:
    virtual ~TWindowControl() = default;
    // Shows the busy cursor, remembering the one shown before; EndBusy puts it back.
    virtual void BeginBusy() = 0;
    virtual void EndBusy() = 0;
    // Draws what has changed now, before a long step keeps the window from drawing.
    virtual void Update() = 0;
    // Closes the window, as its close box does.
    virtual void Close() = 0;
};

// The controls the handlers use, by their names in the window description. The toolkit's
// window owns them; the five word-list boxes are reached through TForm1::WordLists.
struct TForm1Controls {
    TTextBox* cboLangType = nullptr;
    TTextBox* txtInput = nullptr;
    TButton* SpeedButton1 = nullptr;
    TTextBox* txtOutput = nullptr;
    TButton* SpeedButton2 = nullptr;
    TCheckList* CheckListBox1 = nullptr;
    TColorBox* ColorBox1 = nullptr;
    TTickBox* chkBold = nullptr;
    TTickBox* chkItalic = nullptr;
    TColorBox* ColorBox2 = nullptr;
    // Label7 to Label15 and Label17 to Label19: the samples of items 0 to 11.
    TLabel* Samples[TokenKind::ItemCount] = {};
    TLabel* Label20 = nullptr;
    TPanel* pnlDummy = nullptr;
    TMemo* txtKeyList = nullptr;
    TMemo* txtOpeList = nullptr;
    TMemo* txtSp1List = nullptr;
    TMemo* txtSp2List = nullptr;
    TMemo* txtSp3List = nullptr;
    TButton* btnOK = nullptr;
    TButton* btnExit = nullptr;
    TFileDialog* OpenDialog1 = nullptr;
    TFileDialog* SaveDialog1 = nullptr;
    TWindowControl* Window = nullptr;
};
