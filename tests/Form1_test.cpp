// Tests of TForm1's handlers on fake controls: set-up, language choice, item editing, samples,
// runs, file choice and closing.
#include "Fakecontrols.h"
#include "Formsetup.h"
#include "lexers/Languagetable.h"
#include "output/Colorfields.h"
#include "platform/Utf8.h"

#include <gtest/gtest.h>

using namespace FakeControls;
using TestUtil::ReadBytes;
using TestUtil::Sjis;
using TestUtil::WriteBytes;

namespace {

std::vector<std::u16string> LanguageCaptions()
{
    std::vector<std::u16string> captions;
    for (const Languages::TCaption& language : Languages::Captions)
        captions.push_back(CodePage::FromUtf8(language.Caption));
    return captions;
}

class TForm1Test : public ::testing::Test {
protected:
    FormTest::TFormSetup Setup;
    std::unique_ptr<TFakeControls> C;
    std::unique_ptr<TForm1> Form;

    void TearDown() override { Close(); }

    // Creates the window as the program does without arguments.
    void Open()
    {
        C = std::make_unique<TFakeControls>(LanguageCaptions());
        Form = std::make_unique<TForm1>(C->Controls);
        C->Window.Form = Form.get();
        Form->FormCreate({});
    }
    void Close()
    {
        Form.reset();
        C.reset();
    }

    // Every item as the line color.txt would get.
    std::vector<std::string> Items() const
    {
        std::vector<std::string> lines;
        for (int i = 0; i < Form->ColorList->Count(); ++i)
            lines.push_back(ColorFields::FormatLine(*Form->ColorList->Item(i)));
        return lines;
    }
    TColorSetting& Item(int index) { return *Form->ColorList->Item(index); }
    TFakeMemo& Box(const char* extension)
    {
        for (size_t k = 0; k < std::size(TForm1::WordLists); ++k)
            if (std::string(TForm1::WordLists[k].Extension) == extension)
                return C->WordLists[k];
        throw std::logic_error(extension);
    }
    std::vector<std::u16string> BoxTexts() const
    {
        std::vector<std::u16string> texts;
        for (const TFakeMemo& box : C->WordLists)
            texts.push_back(box.Value);
        return texts;
    }
    // The word-list box on show, or nullptr.
    const TFakeMemo* VisibleBox() const
    {
        const TFakeMemo* shown = nullptr;
        for (const TFakeMemo& box : C->WordLists)
            if (box.Shown) {
                EXPECT_EQ(shown, nullptr) << "two word-list boxes on show";
                shown = &box;
            }
        return shown;
    }
    void SetFiles(const std::string& input, const std::string& output)
    {
        C->txtInput.SetText(CodePage::FromUtf8(input));
        C->txtOutput.SetText(CodePage::FromUtf8(output));
    }
};

} // namespace

TEST_F(TForm1Test, StartsWithNothingChosenAndTheStoredTicks)
{
    C = std::make_unique<TFakeControls>(LanguageCaptions());
    C->cboLangType.Value = u"Java";
    C->txtInput.Value = u"old";
    Form = std::make_unique<TForm1>(C->Controls);
    Form->FormCreate({});
    EXPECT_EQ(C->cboLangType.Value, u"");
    EXPECT_EQ(Form->LangCode, "");
    EXPECT_EQ(C->txtInput.Value, u"");
    EXPECT_EQ(C->txtOutput.Value, u"");
    EXPECT_EQ(VisibleBox(), nullptr);
    for (const TFakeMemo& box : C->WordLists) {
        EXPECT_EQ(box.Left, C->pnlDummy.Left());
        EXPECT_EQ(box.Top, C->pnlDummy.Top());
        EXPECT_EQ(box.Value, u"");
    }
    EXPECT_EQ(C->Label20.Caption, u"設定内容");
    EXPECT_EQ(C->CheckListBox1.Index, -1);
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(C->CheckListBox1.Ticks[i], Item(i).Enabled) << i;
    for (const TFakeColorBox* box : {&C->ColorBox1, &C->ColorBox2}) {
        ASSERT_EQ(box->Colors.size(), 16u);
        EXPECT_EQ(box->Colors[0].Name, std::u16string_view(u"黒"));
        EXPECT_EQ(box->Colors[15].Value, 0xFFFFFF);
    }
    EXPECT_EQ(C->ColorBox1.Selected(), 0x000000);
    EXPECT_EQ(C->ColorBox2.Selected(), 0xFFFFFF);
    // The tick boxes are left showing the last item shown at start-up.
    EXPECT_TRUE(C->chkBold.Value);
    EXPECT_TRUE(C->chkItalic.Value);
    EXPECT_FALSE(Form->Updating);
    EXPECT_FALSE(Form->BatchMode);
    // Every sample painted from its item; switched-off items plain black on white.
    for (int i = 0; i < 12; ++i) {
        const TColorSetting& item = Item(i);
        const TFakeLabel& sample = C->Samples[i];
        EXPECT_EQ(sample.Color, item.Enabled ? item.Color : 0) << i;
        EXPECT_EQ(sample.Back, item.Enabled ? item.BackColor : 0xFFFFFF) << i;
        EXPECT_EQ(sample.Bold, item.Enabled && item.Bold) << i;
    }
    EXPECT_TRUE(Setup.Messages.empty());
}

TEST_F(TForm1Test, ChoosingALanguageLoadsItsFilesAndKeepsBoxesOfMissingOnes)
{
    for (const char* ext : {"key", "ope", "sp1", "sp2", "sp3"})
        WriteBytes(Setup.Folder.File(std::string("bcb.") + ext),
                   std::string("bcb-") + ext + "\r\n");
    WriteBytes(Setup.Folder.File("java.key"), "class\r\nint\r\n");
    Open();
    using V = std::vector<std::u16string>;
    const V bcb = {u"bcb-key\n", u"bcb-ope\n", u"bcb-sp1\n", u"bcb-sp2\n", u"bcb-sp3\n"};
    const V java = {u"class\nint\n", u"bcb-ope\n", u"bcb-sp1\n", u"bcb-sp2\n", u"bcb-sp3\n"};
    const V typed = {u"typed", u"bcb-ope\n", u"bcb-sp1\n", u"bcb-sp2\n", u"bcb-sp3\n"};
    struct Step {
        const char16_t* Caption;
        bool EditKeyFirst; // unsaved typing in the key box, discarded by a reload
        const char* Code;
        V Boxes;
    };
    const Step steps[] = {
        {u"C++Builder", false, "bcb", bcb},
        {u"Java", false, "java", java},          // only java.key exists
        {u"Visual J++ 6.0", true, "java", java}, // same files again
        {u"Visual C# .NET 2003", true, "cs7", typed},
        {u"その他", false, "txt", typed},
        {u"Cobol", false, "txt", typed}, // no caption of the list
    };
    for (const Step& step : steps) {
        if (step.EditKeyFirst)
            Box("key").Value = u"typed";
        C->cboLangType.UserChoose(step.Caption);
        EXPECT_EQ(Form->LangCode, step.Code);
        EXPECT_EQ(BoxTexts(), step.Boxes) << step.Code;
    }
    EXPECT_EQ(VisibleBox(), nullptr) << "choosing a language shows no box";
    EXPECT_TRUE(Setup.Messages.empty());
}

TEST_F(TForm1Test, AnUnreadableWordListStopsTheLoadAfterTheCodeIsSet)
{
    for (const char* ext : {"key", "ope", "sp1"})
        WriteBytes(Setup.Folder.File(std::string("del.") + ext),
                   std::string("del-") + ext + "\r\n");
    Setup.Faulty.FailReads(Setup.Folder.File("del.ope"));
    Open();
    C->cboLangType.UserChoose(u"Delphi");
    EXPECT_EQ(Form->LangCode, "del");
    EXPECT_EQ(Box("key").Value, u"del-key\n");
    EXPECT_EQ(Box("sp1").Value, u"") << "the lists after the failing one are not loaded";
    ASSERT_EQ(Setup.Messages.size(), 1u);
    EXPECT_NE(Setup.Messages[0].find("del.ope"), std::string::npos) << Setup.Messages[0];
}

TEST_F(TForm1Test, SelectingItemsShowsTheirBoxAndTitleAndChangesNothing)
{
    Open();
    const std::vector<std::string> before = Items();
    const std::string colorTxt = Setup.File("color.txt");
    struct Row {
        int Index;
        const char* Extension; // nullptr: no box
        const char16_t* Title;
    };
    const Row rows[] = {
        {7, "ope", u"演算子 一覧"}, {3, nullptr, u"設定内容"},   {0, "key", u"予約語 一覧"},
        {9, "sp1", u"強調１ 一覧"}, {10, "sp2", u"強調２ 一覧"}, {11, "sp3", u"強調３ 一覧"},
        {6, nullptr, u"設定内容"},  {8, nullptr, u"設定内容"},   {1, nullptr, u"設定内容"},
        {2, nullptr, u"設定内容"},  {4, nullptr, u"設定内容"},   {5, nullptr, u"設定内容"},
        {-1, nullptr, u"設定内容"},
    };
    for (const Row& row : rows) {
        C->CheckListBox1.UserSelect(row.Index);
        EXPECT_EQ(VisibleBox(), row.Extension ? &Box(row.Extension) : nullptr) << row.Index;
        EXPECT_EQ(C->Label20.Caption, row.Title) << row.Index;
        if (row.Index >= 0) {
            const TColorSetting& item = Item(row.Index);
            EXPECT_EQ(C->chkBold.Value, item.Bold) << row.Index;
            EXPECT_EQ(C->chkItalic.Value, item.Italic) << row.Index;
            // Items 6 and 10 hold a colour that is none of the sixteen: no entry is chosen.
            EXPECT_EQ(C->ColorBox1.Selected(),
                      row.Index == 6 ? std::nullopt : std::optional<std::int32_t>(item.Color));
            EXPECT_EQ(C->ColorBox2.Selected(),
                      row.Index == 10 ? std::nullopt : std::optional<std::int32_t>(item.BackColor));
        }
        EXPECT_EQ(Items(), before) << "selecting item " << row.Index << " changed a style";
        EXPECT_FALSE(Form->Updating);
    }
    EXPECT_EQ(Setup.File("color.txt"), colorTxt) << "selecting reloads or writes nothing";
}

TEST_F(TForm1Test, EditingStoresTheItemAndRepaintsItsSampleAtOnce)
{
    Open();
    C->CheckListBox1.UserSelect(2); // コメント: black on white, plain
    C->ColorBox1.UserChoose(u"緑");
    C->chkItalic.UserSet(true);
    EXPECT_EQ(Item(2).Color, 0x008000);
    EXPECT_TRUE(Item(2).Italic);
    EXPECT_FALSE(Item(2).Bold);
    EXPECT_EQ(C->Samples[2].Color, 0x008000);
    EXPECT_TRUE(C->Samples[2].Italic);
    EXPECT_FALSE(C->Samples[2].Bold);

    C->ColorBox2.UserChoose(u"黄色");
    C->chkBold.UserSet(true);
    EXPECT_EQ(Item(2).BackColor, 0x00FFFF);
    EXPECT_TRUE(Item(2).Bold);
    EXPECT_EQ(C->Samples[2].Back, 0x00FFFF);
    EXPECT_TRUE(C->Samples[2].Bold);

    // Closed and opened again, the item shows what was set.
    C->btnExit.UserClick();
    EXPECT_EQ(C->Window.Closes, 1);
    Close();
    Open();
    C->CheckListBox1.UserSelect(2);
    EXPECT_EQ(C->ColorBox1.Selected(), 0x008000);
    EXPECT_EQ(C->ColorBox2.Selected(), 0x00FFFF);
    EXPECT_TRUE(C->chkBold.Value);
    EXPECT_TRUE(C->chkItalic.Value);
}

TEST_F(TForm1Test, AnUntickedItemShowsPlainBlackOnWhiteAndKeepsItsStyle)
{
    Open();
    C->CheckListBox1.UserSelect(0); // 予約語: bold navy, ticked
    EXPECT_TRUE(C->Samples[0].Bold);
    C->CheckListBox1.UserTick(0, false);
    EXPECT_FALSE(Item(0).Enabled);
    EXPECT_EQ(Item(0).Color, 0x800000);
    EXPECT_TRUE(Item(0).Bold);
    EXPECT_EQ(C->Samples[0].Color, 0x000000);
    EXPECT_EQ(C->Samples[0].Back, 0xFFFFFF);
    EXPECT_FALSE(C->Samples[0].Bold);

    // A flag of a switched-off item is stored, but the sample stays plain.
    C->chkItalic.UserSet(true);
    EXPECT_TRUE(Item(0).Italic);
    EXPECT_FALSE(C->Samples[0].Italic);

    C->CheckListBox1.UserTick(0, true);
    EXPECT_TRUE(Item(0).Enabled);
    EXPECT_EQ(C->Samples[0].Color, 0x800000);
    EXPECT_TRUE(C->Samples[0].Bold);
    EXPECT_TRUE(C->Samples[0].Italic);
}

TEST_F(TForm1Test, NothingChangesWhileNoItemIsSelected)
{
    Open();
    const std::vector<std::string> before = Items();
    C->ColorBox1.UserChoose(u"赤");
    C->ColorBox2.UserChoose(u"紺");
    C->chkBold.UserSet(!C->chkBold.Value);
    C->chkItalic.UserSet(!C->chkItalic.Value);
    C->CheckListBox1.OnClickCheck(); // a tick event with nothing selected
    EXPECT_EQ(Items(), before);
    EXPECT_EQ(C->Samples[11].Color, 0x000000);
    EXPECT_EQ(C->Samples[11].Back, 0x00FFFF);
}

TEST_F(TForm1Test, TickingAnItemInTheListSelectsItFirst)
{
    Open();
    C->CheckListBox1.UserSelect(0);
    const std::string item0 = ColorFields::FormatLine(Item(0));
    C->CheckListBox1.UserTick(4, true); // 文字: unticked, not selected
    EXPECT_EQ(C->CheckListBox1.Index, 4);
    EXPECT_TRUE(C->CheckListBox1.Ticks[4]);
    EXPECT_TRUE(Item(4).Enabled);
    EXPECT_EQ(C->Samples[4].Color, 0x000080);
    EXPECT_EQ(ColorFields::FormatLine(Item(0)), item0);
    EXPECT_EQ(C->ColorBox1.Selected(), 0x000080) << "the controls show item 4";

    C->CheckListBox1.UserTick(4, false); // already selected
    EXPECT_FALSE(Item(4).Enabled);
}

TEST_F(TForm1Test, AColourOutsideTheSixteenSurvivesEditsOfOtherFields)
{
    Open();
    C->CheckListBox1.UserSelect(6); // 識別子: text 0x123456
    C->chkBold.UserSet(true);
    C->CheckListBox1.UserTick(6, true);
    C->ColorBox2.UserChoose(u"黄色");
    EXPECT_EQ(Item(6).Color, 0x123456);
    EXPECT_TRUE(Item(6).Bold);
    EXPECT_TRUE(Item(6).Enabled);
    EXPECT_EQ(Item(6).BackColor, 0x00FFFF);
    EXPECT_EQ(C->Samples[6].Color, 0x123456);

    C->CheckListBox1.UserSelect(10); // background 0xABCDEF
    C->chkItalic.UserSet(true);
    C->ColorBox1.UserChoose(u"赤");
    EXPECT_EQ(Item(10).BackColor, 0xABCDEF);
    EXPECT_EQ(Item(10).Color, 0x0000FF);

    C->btnExit.UserClick();
    std::string colorTxt = Setup.File("color.txt");
    EXPECT_NE(colorTxt.find(Sjis(u"識別子,idt,0x123456,0x00FFFF,1,0,1\r\n")), std::string::npos);
    EXPECT_NE(colorTxt.find(Sjis(u"強調２,em2,0x0000FF,0xABCDEF,1,1,1\r\n")), std::string::npos);
}

TEST_F(TForm1Test, ClosingWritesColorTxtOnceButNoWordLists)
{
    Open();
    C->CheckListBox1.UserSelect(0);
    C->ColorBox1.UserChoose(u"赤");
    Box("key").Value = u"lost";
    const std::string before = Setup.File("color.txt");
    C->btnExit.UserClick();
    EXPECT_FALSE(Form->ColorList);
    EXPECT_FALSE(Form->SampleLabels);
    EXPECT_FALSE(Form->StyleSheet);
    std::string after = Setup.File("color.txt");
    std::string expected = before;
    std::string oldLine = Sjis(u"予約語,res,0x800000");
    expected.replace(expected.find(oldLine), oldLine.size(), Sjis(u"予約語,res,0x0000FF"));
    EXPECT_EQ(after, expected);
    EXPECT_FALSE(TestUtil::Exists(Setup.Folder.File(".key")));
    // A second close, as the toolkit's close box after the button, writes nothing again.
    TestUtil::WriteBytes(Setup.Folder.File("color.txt"), "changed");
    Form->FormClose();
    Close();
    EXPECT_EQ(Setup.File("color.txt"), "changed");
}

TEST_F(TForm1Test, AWindowThatCannotStartLeavesColorTxtAsItIs)
{
    std::u16string eleven(FormTest::ColorTxt);
    eleven.erase(eleven.rfind(u"強調３"));
    WriteBytes(Setup.Folder.File("color.txt"), Sjis(eleven));
    C = std::make_unique<TFakeControls>(LanguageCaptions());
    Form = std::make_unique<TForm1>(C->Controls);
    EXPECT_THROW(Form->FormCreate({}), TFileError);
    Close();
    EXPECT_EQ(Setup.File("color.txt"), Sjis(eleven));
}

TEST_F(TForm1Test, RunWithoutALanguageSavesDotFilesAndWritesPlainText)
{
    TestUtil::TTempDir work;
    WriteBytes(work.File("in.c"), "int main; // x\r\n\tif\r\n");
    Open();
    SetFiles(work.File("in.c"), work.File("out.html"));
    C->btnOK.UserClick();
    EXPECT_TRUE(Setup.Messages.empty()) << Setup.Messages.front();
    for (const char* name : {".key", ".ope", ".sp1", ".sp2", ".sp3"}) {
        ASSERT_TRUE(TestUtil::Exists(Setup.Folder.File(name))) << name;
        EXPECT_EQ(Setup.File(name), "");
    }
    // The plain reader marks nothing up; the tab goes to the next stop of four.
    EXPECT_EQ(ReadBytes(work.File("out.html")), "<PRE>\r\nint main; // x\r\n    if\r\n</PRE>\r\n");
    std::string css = ReadBytes(work.File("design.css"));
    EXPECT_EQ(css.substr(0, css.find("\r\n")), TForm1::PreRule());
    EXPECT_NE(
        css.find("PRE SPAN.res{color:#000080;font-weight:bold;} /* " + Sjis(u"予約語") + " */"),
        std::string::npos);
    EXPECT_EQ(css.find("SPAN.idt"), std::string::npos) << "switched-off items get no rule";
    EXPECT_TRUE(C->btnOK.IsEnabled);
    EXPECT_TRUE(C->btnExit.IsEnabled);
    EXPECT_EQ(C->Window.Busy, 0);
}

TEST_F(TForm1Test, ARunShowsItsSignsWhileItRunsAndSavesTheListsEvenWhenTheCheckFails)
{
    TestUtil::TTempDir work;
    WriteBytes(work.File("out.html"), "keep");
    Open();
    C->cboLangType.UserChoose(u"Visual C# .NET 2003");
    Box("key").Value = u"abstract\nas";
    Box("ope").Value = u"+\n-";
    Box("sp1").Value = u"Console";
    Box("sp2").Value = u"";
    Box("sp3").Value = u"日本語\n";
    struct TSigns {
        int Busy;
        bool Ok, Exit;
    };
    std::vector<TSigns> signs;
    // What the window shows when it is drawn during the run, and when a message comes up.
    auto record = [&] {
        signs.push_back({C->Window.Busy, C->btnOK.IsEnabled, C->btnExit.IsEnabled});
    };
    C->Window.OnUpdate = record;
    Setup.OnMessage = record;

    struct Case {
        std::string Input;
        const char* Message; // nullptr: no message
    };
    const Case cases[] = {{"", nullptr},
                          {work.File("missing.c"), "エラー: ファイルが見つかりません"}};
    for (const Case& c : cases) {
        Setup.Messages.clear();
        signs.clear();
        SetFiles(c.Input, work.File("out.html"));
        C->btnOK.UserClick();
        EXPECT_EQ(Setup.File("cs7.key"), "abstract\r\nas\r\n");
        EXPECT_EQ(Setup.File("cs7.ope"), "+\r\n-\r\n");
        EXPECT_EQ(Setup.File("cs7.sp1"), "Console\r\n");
        EXPECT_EQ(Setup.File("cs7.sp2"), "");
        EXPECT_EQ(Setup.File("cs7.sp3"), Sjis(u"日本語\r\n"));
        EXPECT_EQ(Setup.Messages,
                  c.Message ? std::vector<std::string>{c.Message} : std::vector<std::string>{});
        ASSERT_EQ(signs.size(), c.Message ? 2u : 1u) << "drawn once before the run";
        for (const TSigns& s : signs) {
            EXPECT_EQ(s.Busy, 1) << "the busy cursor shows while the run goes on";
            EXPECT_FALSE(s.Ok);
            EXPECT_FALSE(s.Exit);
        }
        EXPECT_EQ(ReadBytes(work.File("out.html")), "keep");
        EXPECT_FALSE(TestUtil::Exists(work.File("design.css")));
        EXPECT_TRUE(C->btnOK.IsEnabled);
        EXPECT_EQ(C->Window.Busy, 0);
    }
}

TEST_F(TForm1Test, AFailedRunIsReportedAndTheWindowStaysUsable)
{
    Open();
    C->cboLangType.UserChoose(u"Java");
    Box("key").Value = u"class";
    Setup.Faulty.FailNextWrite(0);
    C->btnOK.UserClick();
    ASSERT_EQ(Setup.Messages.size(), 1u);
    EXPECT_EQ(Setup.Messages[0].rfind("エラー: ", 0), 0u) << Setup.Messages[0];
    EXPECT_NE(Setup.Messages[0].find("java.key"), std::string::npos) << Setup.Messages[0];
    EXPECT_TRUE(C->btnOK.IsEnabled);
    EXPECT_TRUE(C->btnExit.IsEnabled);
    EXPECT_EQ(C->Window.Busy, 0);

    // The next run goes through.
    Setup.Faulty.ClearWriteFault();
    Setup.Messages.clear();
    C->btnOK.UserClick();
    EXPECT_TRUE(Setup.Messages.empty());
    EXPECT_TRUE(TestUtil::Exists(Setup.Folder.File("java.sp3")));
}

TEST_F(TForm1Test, AFolderThatTakesNoWritesIsNamedAtStartAndStillConverts)
{
    TestUtil::TTempDir work;
    WriteBytes(work.File("in.java"), "class A\r\n");
    for (const char* name : {"java.key", "java.ope", "java.sp1", "java.sp2", "java.sp3"})
        WriteBytes(Setup.Folder.File(name), std::string(name) == "java.key" ? "class\r\n" : "");
    Setup.Faulty.DenyWritesIn(Setup.Folder.Path());
    Open();
    ASSERT_EQ(Setup.Messages.size(), 1u) << "said once, at start";
    EXPECT_EQ(
        Setup.Messages[0].rfind("エラー: 設定を保存できません: " + Setup.Folder.Path() + ": ", 0),
        0u)
        << Setup.Messages[0];

    // Lists as loaded are not written, so the run goes through; a changed one is refused.
    C->cboLangType.UserChoose(u"Java");
    SetFiles(work.File("in.java"), work.File("out.html"));
    Setup.Messages.clear();
    C->btnOK.UserClick();
    EXPECT_TRUE(Setup.Messages.empty()) << Setup.Messages.front();
    EXPECT_EQ(ReadBytes(work.File("out.html")),
              "<PRE>\r\n<SPAN CLASS=\"res\">class</SPAN> A\r\n</PRE>\r\n");
    Box("key").Value = u"class\ninterface";
    C->btnOK.UserClick();
    ASSERT_EQ(Setup.Messages.size(), 1u);
    EXPECT_NE(Setup.Messages[0].find("java.key"), std::string::npos) << Setup.Messages[0];
    EXPECT_EQ(Setup.File("java.key"), "class\r\n");

    // Closing with the styles unchanged writes nothing and says nothing.
    Setup.Messages.clear();
    const std::string colorTxt = Setup.File("color.txt");
    C->btnExit.UserClick();
    EXPECT_TRUE(Setup.Messages.empty()) << Setup.Messages.front();
    EXPECT_EQ(Setup.File("color.txt"), colorTxt);
}

TEST_F(TForm1Test, AFolderThatTakesWritesStartsWithoutAWord)
{
    Open();
    EXPECT_TRUE(Setup.Messages.empty()) << Setup.Messages.front();
}

TEST_F(TForm1Test, QuotedNamesAreTakenOnlyWhereNoNameHoldsAQuote)
{
    // A path copied from Explorer comes in double quotes; a POSIX name may hold them.
    const bool windows = Platform::PathSeparator == '\\';
    TestUtil::TTempDir work;
    WriteBytes(work.File("in.c"), "x\r\n");
    Open();
    SetFiles("\"" + work.File("in.c") + "\"", "\"" + work.File("out.html") + "\"");
    C->btnOK.UserClick();
    if (windows) {
        EXPECT_TRUE(Setup.Messages.empty()) << Setup.Messages.front();
        EXPECT_EQ(ReadBytes(work.File("out.html")), "<PRE>\r\nx\r\n</PRE>\r\n");
    } else {
        EXPECT_EQ(Setup.Messages, std::vector<std::string>{"エラー: ファイルが見つかりません"});
    }
    EXPECT_EQ(C->txtInput.Value, CodePage::FromUtf8("\"" + work.File("in.c") + "\""))
        << "the box keeps what was typed";
}

TEST_F(TForm1Test, BrowseButtonsAskTheDialogAndKeepTheLastName)
{
    Open();
    C->OpenDialog1.Answers = {u"/tmp/a.c", u""};
    C->SaveDialog1.Answers = {u"/tmp/out.html", u""};
    C->SpeedButton1.UserClick();
    EXPECT_EQ(C->txtInput.Value, u"/tmp/a.c");
    C->SpeedButton1.UserClick();
    EXPECT_EQ(C->txtInput.Value, u"/tmp/a.c") << "cancel changes nothing";
    C->txtOutput.Value = u"typed";
    C->SpeedButton2.UserClick();
    EXPECT_EQ(C->txtOutput.Value, u"/tmp/out.html");
    C->SpeedButton2.UserClick();
    EXPECT_EQ(C->txtOutput.Value, u"/tmp/out.html");

    struct Expected {
        const TFakeFileDialog* Dialog;
        const char16_t* Filter;
        bool FileMustExist, PathMustExist;
        const char16_t* LastName;
    };
    const Expected expected[] = {{&C->OpenDialog1, u"*.*", true, false, u"/tmp/a.c"},
                                 {&C->SaveDialog1, u"*.html", false, true, u"/tmp/out.html"}};
    for (const Expected& e : expected) {
        ASSERT_EQ(e.Dialog->Asked.size(), 2u);
        for (const TFakeFileDialog::TAsked& asked : e.Dialog->Asked) {
            EXPECT_EQ(asked.Filter, e.Filter);
            EXPECT_EQ(asked.FileMustExist, e.FileMustExist);
            EXPECT_EQ(asked.PathMustExist, e.PathMustExist);
        }
        EXPECT_EQ(e.Dialog->Asked[0].FileName, u"");
        EXPECT_EQ(e.Dialog->Asked[1].FileName, e.LastName);
    }
}

TEST_F(TForm1Test, ABatchRunNeedsNoControlsAndClosesItself)
{
    TestUtil::TTempDir work;
    WriteBytes(Setup.Folder.File("design.css"), "PRE{}\r\n");
    WriteBytes(work.File("in.c"), "if\r\n");
    WriteBytes(Setup.Folder.File("bcb.key"), "if\r\n");
    std::string colorTxt = Setup.File("color.txt");
    TForm1 form;
    form.FormCreate({"bcb", work.File("in.c"), work.File("out.html"), "ignored"});
    EXPECT_TRUE(form.BatchMode);
    EXPECT_FALSE(form.ColorList) << "closed inside its creation";
    EXPECT_EQ(ReadBytes(work.File("design.css")), "PRE{}\r\n");
    EXPECT_EQ(ReadBytes(work.File("out.html")),
              "<PRE>\r\n<SPAN CLASS=\"res\">if</SPAN>\r\n</PRE>\r\n");
    EXPECT_EQ(Setup.File("color.txt"), colorTxt) << "written back unchanged";
    EXPECT_TRUE(Setup.Messages.empty());
}

TEST_F(TForm1Test, ListsAndColorTxtAreWrittenBackInTheEncodingTheyCameIn)
{
    TestUtil::TTempDir work;
    WriteBytes(work.File("in.cs"), "class x\r\n");
    const std::string key = "\xEF\xBB\xBF" + Utf8::Encode(u"class\r\n表示\r\n");
    std::u16string sp1 = u"😀\r\n";
    const std::string sp1Bytes =
        "\xFF\xFE" + std::string(reinterpret_cast<const char*>(sp1.data()), sp1.size() * 2);
    const std::string colorTxt = "\xEF\xBB\xBF" + Utf8::Encode(FormTest::ColorTxt);
    WriteBytes(Setup.Folder.File("cs7.key"), key);
    WriteBytes(Setup.Folder.File("cs7.sp1"), sp1Bytes);
    WriteBytes(Setup.Folder.File("color.txt"), colorTxt);
    Open();
    C->cboLangType.UserChoose(u"Visual C# .NET 2003");
    EXPECT_EQ(Box("key").Value, u"class\n表示\n");
    EXPECT_EQ(Box("sp1").Value, u"😀\n");
    SetFiles(work.File("in.cs"), work.File("out.html"));
    C->btnOK.UserClick();
    EXPECT_TRUE(Setup.Messages.empty()) << Setup.Messages.front();
    EXPECT_EQ(Setup.File("cs7.key"), key);
    EXPECT_EQ(Setup.File("cs7.sp1"), sp1Bytes);
    EXPECT_EQ(Setup.File("cs7.ope"), "") << "a list that had no file is written anew";
    EXPECT_EQ(ReadBytes(work.File("out.html")), "<PRE>\r\n<SPAN CLASS=\"res\">class</SPAN> x\r\n</PRE>\r\n");
    Close();
    EXPECT_EQ(Setup.File("color.txt"), colorTxt);
}
