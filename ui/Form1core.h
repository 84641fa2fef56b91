// Form1core: the main window's non-visual part: its lists, the conversion job and the batch run.
#pragma once

#include "core/Stringlist.h"
#include "output/Colorsettinglist.h"

#include <memory>
#include <string>
#include <vector>

class TForm1Core {
public:
    TForm1Core() = default;
    // A window that was never closed (start-up failed) releases its lists without writing.
    virtual ~TForm1Core();
    TForm1Core(const TForm1Core&) = delete;
    TForm1Core& operator=(const TForm1Core&) = delete;

    // Creation: the lists, then the batch run and close (three or more arguments) or the
    // interactive set-up. Failures throw.
    void FormCreate(const std::vector<std::string>& args);
    // Closing: releases the lists; releasing ColorList writes color.txt.
    virtual void FormClose();

    // Checks the two names, then writes design.css beside the output and the output itself.
    void RunConversion(const std::string& code, const std::string& input,
                       const std::string& output);
    bool CheckFileNames(const std::string& input, const std::string& output);
    void BuildStyleSheet();
    void RunBatch(const std::vector<std::string>& args);

    std::string LangCode;
    std::unique_ptr<TColorSettingList> ColorList;
    std::unique_ptr<TStringList> StyleSheet;
    bool BatchMode = false;

    // The fixed first line of every built style sheet, in code page 932.
    static std::string PreRule();

protected:
    // The window's set-up; the batch-only object has none.
    virtual void InitWindow() {}
};
