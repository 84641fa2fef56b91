// Form1core: the conversion job, the file-name check, the style sheet and the batch run.
#include "ui/Form1core.h"

#include "core/Convert.h"
#include "core/Textreader.h"
#include "core/Textwriter.h"
#include "platform/Codepage.h"
#include "platform/Files.h"
#include "platform/Messagebox.h"
#include "platform/Paths.h"

#include <cstdio>

namespace {
const char* const MsgFileNotFound = "ファイルが見つかりません";
const char* const MsgInvalidFileName = "不正なファイル名です";
const char* const MsgSameFile = "入力ファイルと出力ファイルが同じです";

// "#" and RRGGBB from a 0x00BBGGRR value; only the low 24 bits count.
std::string CssColor(std::int32_t value)
{
    unsigned v = static_cast<unsigned>(value);
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%02X%02X%02X", v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
    return buf;
}
} // namespace

TForm1Core::~TForm1Core()
{
    if (ColorList)
        ColorList->DiscardOnDestroy();
}

void TForm1Core::FormCreate(const std::vector<std::string>& args)
{
    StyleSheet = std::make_unique<TStringList>();
    ColorList = std::make_unique<TColorSettingList>();
    if (args.size() > 2) {
        BatchMode = true;
        RunBatch(args);
        FormClose();
    } else {
        BatchMode = false;
        InitWindow();
    }
}

void TForm1Core::FormClose()
{
    ColorList.reset(); // writes color.txt
    StyleSheet.reset();
}

void TForm1Core::RunBatch(const std::vector<std::string>& args)
{
    StyleSheet->LoadFromFile(Platform::ProgramFile("design.css"));
    RunConversion(args[0], args[1], args[2]);
}

bool TForm1Core::CheckFileNames(const std::string& input, const std::string& output)
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

void TForm1Core::RunConversion(const std::string& code, const std::string& input,
                               const std::string& output)
{
    if (!CheckFileNames(input, output))
        return;
    std::string folder = Platform::ExtractFileDir(output);
    StyleSheet->SaveToFile(folder.empty() ? std::string("design.css")
                                          : Platform::JoinPath(folder, "design.css"));
    TTextWriter writer(output);
    TConvert convert(*ColorList);
    {
        TTextReader header(Platform::ProgramFile("header.txt"));
        convert.Copy(header, writer);
    }
    {
        TTextReader body(input);
        convert.Convert(body, writer, code);
    }
    {
        TTextReader footer(Platform::ProgramFile("footer.txt"));
        convert.Copy(footer, writer);
    }
    writer.Close();
}

std::string TForm1Core::PreRule()
{
    return CodePage::Encode(
        u"PRE{font-family:'ＭＳ ゴシック',monospace;font-size:9pt;background-color:white;color:black;}");
}

void TForm1Core::BuildStyleSheet()
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
