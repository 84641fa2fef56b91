// Unit1: TForm1: creation and closing, the batch run, the conversion job, the style sheet and the
// handlers of the window's controls.
#include "ui/Unit1.h"

#include "core/Convert.h"
#include "core/Textreader.h"
#include "core/Textwriter.h"
#include "core/Token.h"
#include "lexers/Languagetable.h"
#include "platform/Codepage.h"
#include "platform/Files.h"
#include "platform/Messagebox.h"
#include "platform/Paths.h"
#include "ui/Headings.h"

#include <cassert>
#include <cstdio>

namespace {

const char* const MsgFileNotFound = "ファイルが見つかりません";
const char* const MsgInvalidFileName = "不正なファイル名です";
const char* const MsgSameFile = "入力ファイルと出力ファイルが同じです";
const char* const MsgNoFileName = "ファイル名が指定されていません";
const char* const MsgCannotSave = "設定を保存できません";
const char* const MsgCannotSaveMeaning =
    "このフォルダーには書き込めないため、表示項目 (color.txt) と単語一覧の変更は保存されません。"
    "変更していない一覧での変換はできます。";

const char16_t* const ListTitleSuffix = u" 一覧";
constexpr int ItemCount = TokenKind::ItemCount;

// "#" and RRGGBB from a 0x00BBGGRR value; only the low 24 bits count.
std::string CssColor(std::int32_t value)
{
    unsigned v = static_cast<unsigned>(value);
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%02X%02X%02X", v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
    return buf;
}

// Lines of a list -> box text. Every line keeps its line end so that a trailing empty line
// survives the way back.
std::u16string LinesToText(const TStringList& lines)
{
    std::u16string text;
    for (const std::string& line : lines.Lines()) {
        lines.Encoding().DecodeAppend(line, text);
        text += u'\n';
    }
    return text;
}

TStringList TextToLines(const std::u16string& text, const TTextEncoding& encoding)
{
    TStringList lines;
    lines.SetText(encoding.Encode(text), encoding);
    return lines;
}

// A file name typed or chosen in a box, as the file functions take it.
std::string PathOf(const TTextBox& box)
{
    return Platform::TypedFileName(CodePage::ToUtf8(box.Text()));
}

// Sets a flag for the life of the scope.
class TFlagScope {
public:
    explicit TFlagScope(bool& flag) : Flag(flag) { Flag = true; }
    ~TFlagScope() { Flag = false; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;

private:
    bool& Flag;
};

// The busy cursor and the two buttons off for a run; undone on every way out.
class TBusyScope {
public:
    explicit TBusyScope(const TForm1Controls& controls) : Controls(controls)
    {
        Controls.Window->BeginBusy();
        Controls.btnOK->SetEnabled(false);
        Controls.btnExit->SetEnabled(false);
        // The run blocks the window: its signs must be on the screen before it starts.
        Controls.Window->Update();
    }
    ~TBusyScope()
    {
        Controls.btnOK->SetEnabled(true);
        Controls.btnExit->SetEnabled(true);
        Controls.Window->EndBusy();
    }
    TBusyScope(const TBusyScope&) = delete;
    TBusyScope& operator=(const TBusyScope&) = delete;

private:
    const TForm1Controls& Controls;
};

} // namespace

const TBasicColor TForm1::BasicColors[16] = {
    {u"黒", 0x000000},   {u"茶色", 0x000080}, {u"緑", 0x008000},     {u"オリーブ", 0x008080},
    {u"紺", 0x800000},   {u"紫", 0x800080},   {u"青緑", 0x808000},   {u"暗い灰色", 0x808080},
    {u"銀色", 0xC0C0C0}, {u"赤", 0x0000FF},   {u"ライム", 0x00FF00}, {u"黄色", 0x00FFFF},
    {u"青", 0xFF0000},   {u"赤紫", 0xFF00FF}, {u"水色", 0xFFFF00},   {u"白", 0xFFFFFF},
};

const TForm1::TWordList TForm1::WordLists[5] = {
    {"key", 0, "txtKeyList", &TForm1Controls::txtKeyList},
    {"ope", 7, "txtOpeList", &TForm1Controls::txtOpeList},
    {"sp1", 9, "txtSp1List", &TForm1Controls::txtSp1List},
    {"sp2", 10, "txtSp2List", &TForm1Controls::txtSp2List},
    {"sp3", 11, "txtSp3List", &TForm1Controls::txtSp3List},
};

std::u16string TForm1::ListTitle(int index)
{
    return std::u16string(TokenKind::All[index]) + ListTitleSuffix;
}

TForm1::TForm1(TForm1Controls& controls) : Controls(&controls)
{
    controls.cboLangType->OnChange = [this] { cboLangTypeChange(); };
    controls.SpeedButton1->OnClick = [this] { SpeedButton1Click(); };
    controls.SpeedButton2->OnClick = [this] { SpeedButton2Click(); };
    controls.CheckListBox1->OnClick = [this] { CheckListBox1Click(); };
    controls.CheckListBox1->OnClickCheck = [this] { CheckListBox1ClickCheck(); };
    controls.ColorBox1->OnChange = [this] { ColorBox1Change(); };
    controls.ColorBox2->OnChange = [this] { ColorBox2Change(); };
    controls.chkBold->OnClick = [this] { chkBoldClick(); };
    controls.chkItalic->OnClick = [this] { chkItalicClick(); };
    controls.btnOK->OnClick = [this] { btnOKClick(); };
    controls.btnExit->OnClick = [this] { btnExitClick(); };
}

void TForm1::FormCreate(const std::vector<std::string>& args)
{
    StyleSheet = std::make_unique<TStringList>();
    ColorList = std::make_unique<TColorSettingList>();
    BatchMode = args.size() > 2;
    if (BatchMode)
        RunBatch(args);
    else
        InitWindow();
    // Created: from here on the window ends through FormClose, which writes color.txt back.
    // A failure above leaves the file as it was.
    ColorList->SaveOnDestroy();
    if (BatchMode)
        FormClose();
}

void TForm1::FormClose()
{
    if (!ColorList)
        return;
    if (!BatchMode)
        SampleLabels.reset();
    ColorList.reset(); // writes color.txt
    StyleSheet.reset();
}

void TForm1::RunBatch(const std::vector<std::string>& args)
{
    StyleSheet->LoadFromFile(Platform::ProgramFile("design.css"));
    // The window stops silently on an empty box; a script that passed an empty name must learn
    // that nothing was converted.
    if (args[1].empty() || args[2].empty()) {
        Platform::ShowError(MsgNoFileName);
        return;
    }
    RunConversion(args[0], args[1], args[2]);
}

bool TForm1::CheckFileNames(const std::string& input, const std::string& output)
{
    if (input.empty() || output.empty())
        return false;
    try {
        // A folder may open for reading; it is no input file all the same.
        if (!Platform::IsFile(input) || !Platform::Files().CanOpenForReading(input)) {
            Platform::ShowError(MsgFileNotFound);
            return false;
        }
        // Opening the output empties it, so the same file must not be the input.
        if (input == output || Platform::Files().SameFile(input, output)) {
            Platform::ShowError(MsgSameFile);
            return false;
        }
        if (!Platform::Files().CreateEmpty(output)) {
            Platform::ShowError(MsgInvalidFileName);
            return false;
        }
        return true;
    } catch (const std::exception& e) {
        Platform::ShowError(e.what());
        return false;
    }
}

void TForm1::RunConversion(const std::string& code, const std::string& input,
                           const std::string& output)
{
    if (!CheckFileNames(input, output))
        return;
    std::string folder = Platform::ExtractFileDir(output);
    StyleSheet->SaveToFile(folder.empty() ? std::string("design.css")
                                          : Platform::JoinPath(folder, "design.css"));
    // The page follows the source: its encoding is known before the header is written.
    TTextReader body(input);
    TTextWriter writer(output, body.Encoding().PageEncoding());
    TConvert convert(*ColorList);
    {
        TTextReader header(Platform::ProgramFile("header.txt"));
        convert.Copy(header, writer);
    }
    convert.Convert(body, writer, code);
    body.Close();
    {
        TTextReader footer(Platform::ProgramFile("footer.txt"));
        convert.Copy(footer, writer);
    }
    writer.Close();
}

std::string TForm1::PreRule()
{
    return CodePage::Encode(u"PRE{font-family:'ＭＳ ゴシック',monospace;"
                            u"font-size:9pt;background-color:white;color:black;}");
}

void TForm1::BuildStyleSheet()
{
    StyleSheet->Clear();
    StyleSheet->Add(PreRule());
    for (int i = 0; i < ColorList->Count(); ++i) {
        const TColorSetting* item = ColorList->Item(i);
        if (!item->Enabled)
            continue;
        std::string line = "PRE SPAN." + item->CssClass + "{";
        if (item->Color != 0)
            line += "color:" + CssColor(item->Color) + ";";
        if (item->BackColor != 0xFFFFFF)
            line += "background-color:" + CssColor(item->BackColor) + ";";
        if (item->Bold)
            line += "font-weight:bold;";
        if (item->Italic)
            line += "font-style:italic;";
        line += "} /* " + item->Name + " */";
        StyleSheet->Add(std::move(line));
    }
}

void TForm1::Guarded(const std::function<void()>& body)
{
    try {
        body();
    } catch (const std::exception& e) {
        Platform::ShowError(e.what());
    } catch (...) {
        Platform::ShowError("");
    }
}

void TForm1::InitWindow()
{
    assert(Controls != nullptr && "the interactive window needs its controls");
    TForm1Controls& c = *Controls;
    // Every handler relies on one style per display item, in check-list order.
    if (ColorList->Count() < ItemCount)
        throw TFileError(Platform::ProgramFile("color.txt") + ": 表示項目が " +
                         std::to_string(ItemCount) + " 個必要ですが " +
                         std::to_string(ColorList->Count()) + " 個しかありません");
    c.cboLangType->SetText(u"");
    c.txtInput->SetText(u"");
    c.txtOutput->SetText(u"");
    SampleLabels =
        std::make_unique<std::vector<TLabel*>>(std::begin(c.Samples), std::end(c.Samples));
    c.ColorBox1->SetColors(BasicColors);
    c.ColorBox2->SetColors(BasicColors);
    for (int i = 0; i < ItemCount; ++i)
        ShowItemStyle(i);
    c.ColorBox1->Select(0x000000);
    c.ColorBox2->Select(0xFFFFFF);
    c.CheckListBox1->SetItemIndex(-1);
    for (const TWordList& list : WordLists) {
        TMemo* box = c.*list.Box;
        box->SetVisible(false);
        box->MoveTo(c.pnlDummy->Left(), c.pnlDummy->Top());
    }
    // A shared install may take no writes: the user learns it now, not from a lost edit.
    if (!Platform::Files().CanReplace(Platform::ProgramFile("color.txt")))
        Platform::ShowError(std::string(MsgCannotSave) + ": " + Platform::ProgramFolder() + ": " +
                            MsgCannotSaveMeaning);
}

void TForm1::ShowItemStyle(int index)
{
    if (index < 0 || !ColorList)
        return;
    TFlagScope updating(Updating);
    const TColorSetting* item = ColorList->Item(index);
    Controls->CheckListBox1->SetChecked(index, item->Enabled);
    Controls->chkBold->SetChecked(item->Bold);
    Controls->chkItalic->SetChecked(item->Italic);
    Controls->ColorBox1->Select(item->Color);
    Controls->ColorBox2->Select(item->BackColor);
    PaintSample(index);
}

void TForm1::PaintSample(int index)
{
    if (index < 0 || !SampleLabels || !ColorList)
        return;
    TLabel* label = (*SampleLabels)[static_cast<size_t>(index)];
    const TColorSetting* item = ColorList->Item(index);
    // A switched-off kind is written without a span: plain black on white.
    if (item->Enabled) {
        label->SetColors(item->Color, item->BackColor);
        label->SetFontStyle(item->Bold, item->Italic);
    } else {
        label->SetColors(0x000000, 0xFFFFFF);
        label->SetFontStyle(false, false);
    }
}

void TForm1::StoreItemStyle(int index)
{
    if (Updating || index < 0 || !ColorList)
        return;
    TColorSetting* item = ColorList->Item(index);
    item->Enabled = Controls->CheckListBox1->Checked(index);
    item->Bold = Controls->chkBold->Checked();
    item->Italic = Controls->chkItalic->Checked();
    // A box with no entry chosen (a stored colour outside the sixteen) keeps the stored colour.
    if (std::optional<std::int32_t> color = Controls->ColorBox1->Selected())
        item->Color = *color;
    if (std::optional<std::int32_t> color = Controls->ColorBox2->Selected())
        item->BackColor = *color;
    PaintSample(index);
}

TMemo* TForm1::WordListBox(int index) const
{
    for (const TWordList& list : WordLists)
        if (list.ItemIndex == index)
            return Controls->*list.Box;
    return nullptr;
}

void TForm1::CheckListBox1Click()
{
    Guarded([&] {
        int index = Controls->CheckListBox1->ItemIndex();
        ShowItemStyle(index);
        for (const TWordList& list : WordLists)
            (Controls->*list.Box)->SetVisible(false);
        Controls->Label20->SetText(std::u16string(Headings::SettingsTitle));
        if (TMemo* box = WordListBox(index)) {
            box->SetVisible(true);
            Controls->Label20->SetText(ListTitle(index));
        }
    });
}

void TForm1::CheckListBox1ClickCheck()
{
    Guarded([&] {
        int index = Controls->CheckListBox1->ItemIndex();
        if (index < 0 || !ColorList)
            return;
        ColorList->Item(index)->Enabled = Controls->CheckListBox1->Checked(index);
        PaintSample(index);
    });
}

void TForm1::ColorBox1Change()
{
    Guarded([&] { StoreItemStyle(Controls->CheckListBox1->ItemIndex()); });
}

void TForm1::ColorBox2Change()
{
    Guarded([&] { StoreItemStyle(Controls->CheckListBox1->ItemIndex()); });
}

void TForm1::chkBoldClick()
{
    Guarded([&] { StoreItemStyle(Controls->CheckListBox1->ItemIndex()); });
}

void TForm1::chkItalicClick()
{
    Guarded([&] { StoreItemStyle(Controls->CheckListBox1->ItemIndex()); });
}

void TForm1::cboLangTypeChange()
{
    Guarded([&] {
        LangCode = Languages::CodeOfCaption(CodePage::ToUtf8(Controls->cboLangType->Text()));
        for (size_t i = 0; i < std::size(WordLists); ++i) {
            const TWordList& list = WordLists[i];
            std::string path = Platform::ProgramFile(LangCode + "." + list.Extension);
            // A missing list leaves its box as it is, to be written as a new file.
            WordListEncodings[i] = {};
            if (!Platform::IsFile(path))
                continue;
            TStringList lines;
            lines.LoadFromFile(path);
            WordListEncodings[i] = lines.Encoding();
            (Controls->*list.Box)->SetText(LinesToText(lines));
        }
    });
}

void TForm1::SpeedButton1Click()
{
    Guarded([&] {
        TFileDialog& dialog = *Controls->OpenDialog1;
        dialog.Filter = u"*.*";
        dialog.FileMustExist = true;
        dialog.PathMustExist = false;
        if (dialog.Execute())
            Controls->txtInput->SetText(dialog.FileName);
    });
}

void TForm1::SpeedButton2Click()
{
    Guarded([&] {
        TFileDialog& dialog = *Controls->SaveDialog1;
        dialog.Filter = u"*.html";
        dialog.FileMustExist = false;
        dialog.PathMustExist = true;
        if (dialog.Execute())
            Controls->txtOutput->SetText(dialog.FileName);
    });
}

void TForm1::btnOKClick()
{
    Guarded([&] {
        TBusyScope busy(*Controls);
        BuildStyleSheet();
        // The user's lists: replaced whole, so a failed write never leaves half a file.
        for (size_t i = 0; i < std::size(WordLists); ++i)
            TextToLines((Controls->*WordLists[i].Box)->Text(), WordListEncodings[i])
                .SaveToFile(Platform::ProgramFile(LangCode + "." + WordLists[i].Extension), true);
        RunConversion(LangCode, PathOf(*Controls->txtInput), PathOf(*Controls->txtOutput));
    });
}

void TForm1::btnExitClick()
{
    Guarded([&] { Controls->Window->Close(); });
}
