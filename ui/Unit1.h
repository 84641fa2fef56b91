// Unit1: the main window TForm1: its lists, the conversion job, the batch run and every handler,
// written against the control interfaces so that each toolkit's window only draws the controls.
#pragma once

#include "core/Stringlist.h"
#include "output/Colorsettinglist.h"
#include "ui/Controls.h"

#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TForm1 {
public:
    // The window of a batch run or a test of the job: no controls.
    TForm1() = default;
    // The interactive window on a toolkit's controls, which must outlive it; sets their events.
    explicit TForm1(TForm1Controls& controls);
    // A window whose creation failed releases its lists without writing color.txt.
    ~TForm1() = default;
    TForm1(const TForm1&) = delete;
    TForm1& operator=(const TForm1&) = delete;

    // Creation: the lists, then the batch run and close (three or more arguments) or the
    // interactive set-up. Failures throw; color.txt is then not written back.
    void FormCreate(const std::vector<std::string>& args);
    // Closing: releases the lists; releasing ColorList writes color.txt. Runs once.
    void FormClose();

    // Checks the two names, then writes design.css beside the output and the output itself.
    void RunConversion(const std::string& code, const std::string& input,
                       const std::string& output);
    bool CheckFileNames(const std::string& input, const std::string& output);
    void BuildStyleSheet();
    void RunBatch(const std::vector<std::string>& args);

    void InitWindow();
    void ShowItemStyle(int index);
    void PaintSample(int index);
    void StoreItemStyle(int index);

    // Handlers of the controls' events.
    void CheckListBox1Click();
    void CheckListBox1ClickCheck();
    void ColorBox1Change();
    void ColorBox2Change();
    void chkBoldClick();
    void chkItalicClick();
    void cboLangTypeChange();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void btnOKClick();
    void btnExitClick();

    std::string LangCode;
    std::unique_ptr<TColorSettingList> ColorList;
    std::unique_ptr<std::vector<TLabel*>> SampleLabels;
    bool Updating = false;
    bool BatchMode = false;
    std::unique_ptr<TStringList> StyleSheet;

    // The fixed first line of every built style sheet, in code page 932.
    static std::string PreRule();

    // The colour boxes' entries, in list order.
    static const TBasicColor BasicColors[16];

    // The word lists of a language, in load and save order: file extension, the display item
    // that shows its box, and the box.
    struct TWordList {
        const char* Extension;
        int ItemIndex;
        const char* BoxName;
        TMemo* TForm1Controls::*Box;
    };
    static const TWordList WordLists[5];
    // The encoding each list was read in, which the run writes it back in (code page 932 for
    // a list that had no file).
    TTextEncoding WordListEncodings[std::size(WordLists)];
    // The title of a word-list box, by the index of the display item that shows it; also the
    // box's name for screen readers.
    static std::u16string ListTitle(int index);

private:
    TForm1Controls* Controls = nullptr;

    // Runs a handler body; an exception is shown in the error box and the window goes on.
    static void Guarded(const std::function<void()>& body);
    TMemo* WordListBox(int index) const;
};
