// Fakecontrols: the window's controls as plain objects that record what the handlers set and act
// as the user would, so the handlers run without a toolkit.
#pragma once

#include "ui/Controls.h"
#include "ui/Layout.h"
#include "ui/Unit1.h"

#include <algorithm>
#include <cassert>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace FakeControls {

inline void Fire(const TNotifyEvent& event)
{
    if (event)
        event();
}

// A one-line box, or the language drop-down when given its entries.
class TFakeTextBox : public TTextBox {
public:
    std::u16string Value;
    std::vector<std::u16string> Entries; // drop-down only

    std::u16string Text() const override { return Value; }
    void SetText(const std::u16string& text) override
    {
        bool entry = std::find(Entries.begin(), Entries.end(), text) != Entries.end();
        Value = Entries.empty() || entry ? text : u"";
    }
    void UserChoose(const std::u16string& caption)
    {
        Value = caption;
        Fire(OnChange);
    }
};

class TFakeMemo : public TMemo {
public:
    std::u16string Value;
    bool Shown = true;
    int Left = -1, Top = -1;

    std::u16string Text() const override { return Value; }
    void SetText(const std::u16string& text) override { Value = text; }
    bool Visible() const override { return Shown; }
    void SetVisible(bool visible) override { Shown = visible; }
    void MoveTo(int left, int top) override
    {
        Left = left;
        Top = top;
    }
};

class TFakePanel : public TPanel {
public:
    int Left() const override { return Layout::Of("pnlDummy").X; }
    int Top() const override { return Layout::Of("pnlDummy").Y; }
};

class TFakeLabel : public TLabel {
public:
    std::u16string Caption;
    std::int32_t Color = 0x000000, Back = 0xFFFFFF;
    bool Bold = false, Italic = false;

    void SetText(const std::u16string& text) override { Caption = text; }
    void SetColors(std::int32_t text, std::int32_t background) override
    {
        Color = text;
        Back = background;
    }
    void SetFontStyle(bool bold, bool italic) override
    {
        Bold = bold;
        Italic = italic;
    }
};

// Fires OnClick whenever the tick changes, from the program too.
class TFakeTickBox : public TTickBox {
public:
    bool Value = false;

    bool Checked() const override { return Value; }
    void SetChecked(bool checked) override
    {
        if (checked == Value)
            return;
        Value = checked;
        Fire(OnClick);
    }
    void UserSet(bool checked) { SetChecked(checked); }
};

class TFakeCheckList : public TCheckList {
public:
    int Index = -1;
    bool Ticks[12] = {};

    int ItemIndex() const override { return Index; }
    void SetItemIndex(int index) override { Index = index; }
    bool Checked(int index) const override { return Ticks[index]; }
    void SetChecked(int index, bool checked) override { Ticks[index] = checked; }

    void UserSelect(int index)
    {
        Index = index;
        Fire(OnClick);
    }
    // A click on an item's tick selects the item first, then toggles its tick.
    void UserTick(int index, bool checked)
    {
        if (Index != index)
            UserSelect(index);
        Ticks[index] = checked;
        Fire(OnClickCheck);
    }
};

// Fires OnChange whenever the entry changes, from the program too (the worst case the handlers
// must bear).
class TFakeColorBox : public TColorBox {
public:
    std::vector<TBasicColor> Colors;
    int Index = -1;

    void SetColors(std::span<const TBasicColor> colors) override
    {
        Colors.assign(colors.begin(), colors.end());
        Index = -1;
    }
    std::optional<std::int32_t> Selected() const override
    {
        if (Index < 0)
            return std::nullopt;
        return Colors[static_cast<size_t>(Index)].Value;
    }
    void Select(std::int32_t value) override
    {
        int found = -1;
        for (size_t i = 0; i < Colors.size(); ++i)
            if (Colors[i].Value == value)
                found = static_cast<int>(i);
        SetIndex(found);
    }
    void UserChoose(std::u16string_view name)
    {
        for (size_t i = 0; i < Colors.size(); ++i)
            if (Colors[i].Name == name)
                return SetIndex(static_cast<int>(i));
        assert(false && "no such colour");
    }

private:
    void SetIndex(int index)
    {
        if (index == Index)
            return;
        Index = index;
        Fire(OnChange);
    }
};

class TFakeButton : public TButton {
public:
    bool IsEnabled = true;

    bool Enabled() const override { return IsEnabled; }
    void SetEnabled(bool enabled) override { IsEnabled = enabled; }
    void UserClick()
    {
        if (IsEnabled)
            Fire(OnClick);
    }
};

// Records what each use asked for and answers from a queue: a name chosen, or empty to cancel.
class TFakeFileDialog : public TFileDialog {
public:
    struct TAsked {
        std::u16string Filter;
        bool FileMustExist, PathMustExist;
        std::u16string FileName;
    };
    std::vector<TAsked> Asked;
    std::vector<std::u16string> Answers;

    bool Execute() override
    {
        Asked.push_back({Filter, FileMustExist, PathMustExist, FileName});
        assert(!Answers.empty());
        std::u16string answer = Answers.front();
        Answers.erase(Answers.begin());
        if (answer.empty())
            return false;
        FileName = answer;
        return true;
    }
};

// Counts the busy cursor and records what each Update drew; closing runs the window's close, as
// a toolkit's close event does.
class TFakeWindow : public TWindowControl {
public:
    int Busy = 0;
    int Closes = 0;
    TForm1* Form = nullptr;
    std::function<void()> OnUpdate;

    void BeginBusy() override { ++Busy; }
    void EndBusy() override { --Busy; }
    void Update() override
    {
        if (OnUpdate)
            OnUpdate();
    }
    void Close() override
    {
        ++Closes;
        Form->FormClose();
    }
};

// A whole set of controls, wired into TForm1Controls.
class TFakeControls {
public:
    TFakeTextBox cboLangType, txtInput, txtOutput;
    TFakeButton SpeedButton1, SpeedButton2;
    TFakeCheckList CheckListBox1;
    TFakeColorBox ColorBox1, ColorBox2;
    TFakeTickBox chkBold, chkItalic;
    TFakeLabel Samples[12];
    TFakeLabel Label20;
    TFakePanel pnlDummy;
    TFakeMemo WordLists[5]; // in the order of TForm1::WordLists
    TFakeButton btnOK, btnExit;
    TFakeFileDialog OpenDialog1, SaveDialog1;
    TFakeWindow Window;
    TForm1Controls Controls;

    explicit TFakeControls(const std::vector<std::u16string>& languages)
    {
        cboLangType.Entries = languages;
        Controls.cboLangType = &cboLangType;
        Controls.txtInput = &txtInput;
        Controls.SpeedButton1 = &SpeedButton1;
        Controls.txtOutput = &txtOutput;
        Controls.SpeedButton2 = &SpeedButton2;
        Controls.CheckListBox1 = &CheckListBox1;
        Controls.ColorBox1 = &ColorBox1;
        Controls.chkBold = &chkBold;
        Controls.chkItalic = &chkItalic;
        Controls.ColorBox2 = &ColorBox2;
        for (int i = 0; i < 12; ++i)
            Controls.Samples[i] = &Samples[i];
        Label20.Caption = u"設定内容"; // as the window description has it
        Controls.Label20 = &Label20;
        Controls.pnlDummy = &pnlDummy;
        for (size_t k = 0; k < std::size(TForm1::WordLists); ++k)
            Controls.*TForm1::WordLists[k].Box = &WordLists[k];
        Controls.btnOK = &btnOK;
        Controls.btnExit = &btnExit;
        Controls.OpenDialog1 = &OpenDialog1;
        Controls.SaveDialog1 = &SaveDialog1;
        Controls.Window = &Window;
    }
    TFakeControls(const TFakeControls&) = delete;
    TFakeControls& operator=(const TFakeControls&) = delete;
};

} // namespace FakeControls
