// Tests of the Windows window driven as a user does: the check list's ticks, the colour and
// tick boxes, the language list, the run, the close, the file dialogs and the message box.
#include "Win32fixture.h"

#include "core/Stringlist.h"
#include "ui/Batch.h"
#include "ui/Win32messagebox.h"

using namespace Win32Test;
using namespace TestUtil;

namespace {

// The text of a dialog's control, by its identifier.
std::u16string ItemText(HWND dialog, int id) { return TextOf(GetDlgItem(dialog, id)); }

LOGFONTW FontOf(const TWin32Label& label)
{
    LOGFONTW font{};
    GetObjectW(label.Font(), sizeof font, &font);
    return font;
}

} // namespace

class Win32Handlers : public WindowTest {
protected:
    TColorSetting& Item(int index) { return *Window->Form->ColorList->Item(index); }
    TWin32Label& Sample(int index)
    {
        return dynamic_cast<TWin32Label&>(*Window->Controls.Samples[index]);
    }
    TWin32CheckList& List() { return Control<TWin32CheckList>("CheckListBox1"); }
};

TEST_F(Win32Handlers, TickClickTogglesAndSelectsCaptionClickOnlySelects)
{
    Item(3).Enabled = true;
    Item(3).Color = 0x0000FF;
    Item(3).BackColor = 0xFFFFFF;
    Window->Form->ShowItemStyle(3);
    struct Step {
        const char* act;
        int index;
        bool tick; // the tick and the item's Enabled afterwards
    };
    const Step steps[] = {
        {"tick", 3, false}, {"caption", 5, Item(5).Enabled}, {"tick", 3, true},
        {"space", 3, false}, {"space", 3, true},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(std::string(s.act) + " " + std::to_string(s.index));
        if (std::string(s.act) == "tick")
            ClickTick(s.index);
        else if (std::string(s.act) == "caption")
            ClickCaption(s.index);
        else
            PressKey("CheckListBox1", VK_SPACE);
        EXPECT_EQ(List().ItemIndex(), s.index);
        EXPECT_EQ(List().Checked(s.index), s.tick);
        EXPECT_EQ(Item(s.index).Enabled, s.tick);
    }
    // Item 3 ends ticked: its sample shows its colours again.
    EXPECT_EQ(Sample(3).TextColor(), 0x0000FFu);
}

TEST_F(Win32Handlers, UntickedItemSampleIsPlainBlackOnWhite)
{
    Item(0).Enabled = true;
    Item(0).Color = 0x008000;
    Item(0).BackColor = 0x00FFFF;
    Item(0).Bold = true;
    Window->Form->ShowItemStyle(0);
    EXPECT_EQ(Sample(0).BackColor(), 0x00FFFFu);
    EXPECT_EQ(FontOf(Sample(0)).lfWeight, FW_BOLD);
    ClickTick(0);
    EXPECT_EQ(Sample(0).TextColor(), 0x000000u);
    EXPECT_EQ(Sample(0).BackColor(), 0xFFFFFFu);
    EXPECT_EQ(FontOf(Sample(0)).lfWeight, FW_NORMAL);
    EXPECT_EQ(Item(0).Color, 0x008000) << "the stored colours stay";
    EXPECT_TRUE(Item(0).Bold);
}

TEST_F(Win32Handlers, SelectingAnItemShowsItsWordListAndTitle)
{
    struct Case {
        int index;
        const char* box; // nullptr: only the placeholder
        const char16_t* title;
    };
    const Case cases[] = {
        {0, "txtKeyList", u"予約語 一覧"}, {7, "txtOpeList", u"演算子 一覧"},
        {3, nullptr, u"設定内容"},         {11, "txtSp3List", u"強調３ 一覧"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        ClickCaption(c.index);
        EXPECT_EQ(TextOf(Get("Label20")), c.title);
        for (const TForm1::TWordList& list : TForm1::WordLists)
            EXPECT_EQ(IsWindowVisible(Get(list.BoxName)) != FALSE,
                      c.box != nullptr && std::string(c.box) == list.BoxName)
                << list.BoxName;
    }
}

TEST_F(Win32Handlers, ColorAndTickBoxesChangeTheSelectedItemAtOnce)
{
    Item(2).Enabled = true;
    Item(2).Italic = false;
    Item(2).Bold = false;
    ClickCaption(2);        // コメント
    Choose("ColorBox1", 2); // 緑
    Click("chkItalic");
    Choose("ColorBox2", 11); // 黄色
    EXPECT_EQ(Item(2).Color, 0x008000);
    EXPECT_EQ(Item(2).BackColor, 0x00FFFF);
    EXPECT_TRUE(Item(2).Italic);
    EXPECT_FALSE(Item(2).Bold);
    EXPECT_EQ(Sample(2).TextColor(), 0x008000u);
    EXPECT_EQ(Sample(2).BackColor(), 0x00FFFFu);
    EXPECT_TRUE(FontOf(Sample(2)).lfItalic);
    // Selecting another item leaves this one as it is.
    TColorSetting before = Item(2);
    ClickCaption(6);
    EXPECT_EQ(Item(2).Color, before.Color);
    EXPECT_EQ(Item(2).Italic, before.Italic);
}

TEST_F(Win32Handlers, WithoutSelectionTheBoxesChangeNothing)
{
    std::string before = ReadBytes(Folder.File("color.txt"));
    Choose("ColorBox1", 9);
    Click("chkBold");
    Window->Form->FormClose();
    EXPECT_EQ(ReadBytes(Folder.File("color.txt")), before);
}

TEST_F(Win32Handlers, ColorOutsideTheSixteenSelectsNoEntry)
{
    Item(4).Color = 0x123456;
    ClickCaption(4);
    EXPECT_EQ(SendMessageW(Get("ColorBox1"), CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_EQ(Control<TWin32ColorBox>("ColorBox1").Selected(), std::nullopt);
}

TEST_F(Win32Handlers, ChoosingALanguageLoadsItsWordLists)
{
    WriteBytes(Folder.File("java.key"), "class\r\nint\r\n");
    WriteBytes(Folder.File("java.sp1"), Sjis(u"日本\r\n"));
    Choose("cboLangType", 2); // Java
    EXPECT_EQ(Window->Form->LangCode, "java");
    EXPECT_EQ(TextOf(Get("txtKeyList")), u"class\r\nint\r\n");
    EXPECT_EQ(Control<TWin32Memo>("txtSp1List").Text(), u"日本\n");
}

TEST_F(Win32Handlers, RunWritesWhatABatchRunWritesAndSavesTheWordLists)
{
    TTempDir work;
    std::string source = "// 注釈\r\nint main() { return \"a<b\"[0]; }\r\n\tx = 'c';\r\n";
    WriteBytes(work.File("in.cpp"), Sjis(CodePage::FromUtf8(source)));
    Choose("cboLangType", 0); // C++Builder
    TypeInto("txtKeyList", u"int\r\nreturn\r\n");
    TypeInto("txtInput", CodePage::FromUtf8(work.File("in.cpp")));
    TypeInto("txtOutput", CodePage::FromUtf8(work.File("window.html")));
    Click("btnOK");
    EXPECT_EQ(Messages->All(), "");
    EXPECT_EQ(ReadBytes(Folder.File("bcb.key")), "int\r\nreturn\r\n");
    EXPECT_TRUE(Exists(work.File("design.css")));
    EXPECT_TRUE(IsWindowEnabled(Get("btnOK")) && IsWindowEnabled(Get("btnExit")));

    TTempDir batchOut;
    ASSERT_EQ(RunBatchMode({"bcb", work.File("in.cpp"), batchOut.File("batch.html")}), 0)
        << Messages->All();
    std::string written = ReadBytes(work.File("window.html"));
    EXPECT_NE(written.find("SPAN"), std::string::npos);
    EXPECT_EQ(written, ReadBytes(batchOut.File("batch.html")));
}

TEST_F(Win32Handlers, RunMessagesGoToTheMessageBoxAndTheWindowStaysUsable)
{
    TypeInto("txtInput", u"Z:\\no\\such\\file.c");
    TypeInto("txtOutput", u"out.html");
    Click("btnOK");
    EXPECT_EQ(Messages->All(), "エラー: ファイルが見つかりません\n");
    EXPECT_TRUE(IsWindowEnabled(Get("btnOK")));
    EXPECT_FALSE(dynamic_cast<TWin32WindowControl&>(*Window->Controls.Window).Busy());
}

TEST_F(Win32Handlers, ExitClosesAndWritesTheEditedColors)
{
    ClickCaption(1);
    Click("chkBold");
    bool bold = Item(1).Bold;
    Click("btnExit");
    EXPECT_TRUE(Window->Closed());
    TColorSettingList reread;
    EXPECT_EQ(reread.Item(1)->Bold, bold);
}

TEST_F(Win32Handlers, CloseBoxClosesAsExitDoes)
{
    ClickCaption(1);
    Click("chkItalic");
    bool italic = Item(1).Italic;
    CloseWindow();
    EXPECT_TRUE(Window->Closed());
    TColorSettingList reread;
    EXPECT_EQ(reread.Item(1)->Italic, italic);
}

TEST_F(Win32Handlers, OpenDialogPutsTheChosenFullNameAndCancelKeepsTheBox)
{
    TTempDir work;
    WriteBytes(work.File("source.c"), "x");
    TypeInto("txtInput", u"keep");
    WithModal([&] { Click("SpeedButton1"); },
              [](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); });
    EXPECT_EQ(TextOf(Get("txtInput")), u"keep");

    std::u16string chosen = CodePage::FromUtf8(work.File("source.c"));
    for (char16_t& ch : chosen)
        if (ch == u'/')
            ch = u'\\';
    WithModal([&] { Click("SpeedButton1"); },
              [&](HWND dialog) {
                  // The name box of the dialog (a combo box, or an edit in the old style).
                  HWND name = GetDlgItem(dialog, 0x47C);
                  if (name == nullptr)
                      name = GetDlgItem(dialog, 0x480);
                  Win32Controls::SetTextOf(name, chosen);
                  PostMessageW(dialog, WM_COMMAND, IDOK, 0);
              });
    EXPECT_EQ(TextOf(Get("txtInput")), chosen);
    EXPECT_EQ(Window->Controls.OpenDialog1->FileName, chosen) << "kept for the next time";
}

TEST_F(Win32Handlers, MessageBoxHasTheErrorCaptionAndAnExclamation)
{
    Messages.reset();
    TWin32MessageBoxScope scope;
    std::u16string caption, text;
    WithModal([] { Platform::ShowError("不正なファイル名です"); },
              [&](HWND box) {
                  caption = TextOf(box);
                  text = ItemText(box, 0xFFFF);
                  PostMessageW(box, WM_COMMAND, IDOK, 0);
              });
    EXPECT_EQ(caption, u"エラー");
    EXPECT_EQ(text, u"不正なファイル名です");
}

TEST_F(Win32Handlers, DuringARunTheButtonsAreOffAndTheCursorBusyThenTheFocusComesBack)
{
    Messages.reset();
    TWin32MessageBoxScope scope;
    TypeInto("txtInput", u"Z:\\no\\such\\file.c");
    TypeInto("txtOutput", u"out.html");
    SetFocus(Get("btnOK"));
    bool okEnabled = true, exitEnabled = true, busy = false;
    auto& window = dynamic_cast<TWin32WindowControl&>(*Window->Controls.Window);
    // The run's message box comes up while the run still holds the window.
    WithModal([&] { Click("btnOK"); },
              [&](HWND box) {
                  okEnabled = IsWindowEnabled(Get("btnOK")) != FALSE;
                  exitEnabled = IsWindowEnabled(Get("btnExit")) != FALSE;
                  busy = window.Busy();
                  PostMessageW(box, WM_COMMAND, IDOK, 0);
              });
    EXPECT_FALSE(okEnabled);
    EXPECT_FALSE(exitEnabled);
    EXPECT_TRUE(busy);
    EXPECT_FALSE(window.Busy());
    EXPECT_TRUE(IsWindowEnabled(Get("btnOK")) && IsWindowEnabled(Get("btnExit")));
    EXPECT_EQ(GetFocus(), Get("btnOK"));
}

TEST_F(Win32Handlers, F4InAFileNameBoxOpensItsDialog)
{
    for (const char* name : {"txtInput", "txtOutput"}) {
        SCOPED_TRACE(name);
        TypeInto(name, u"keep");
        WithModal([&] { PressKey(name, VK_F4); },
                  [](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); });
        EXPECT_EQ(TextOf(Get(name)), u"keep");
    }
}

TEST_F(Win32Handlers, WheelChangesADropDownOnlyWithTheFocus)
{
    ClickCaption(0);
    HWND box = Get("ColorBox1");
    LRESULT before = SendMessageW(box, CB_GETCURSEL, 0, 0);
    SetFocus(Get("txtInput"));
    SendMessageW(box, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    Pump(Window->Handle());
    EXPECT_EQ(SendMessageW(box, CB_GETCURSEL, 0, 0), before);
    SetFocus(box);
    SendMessageW(box, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    Pump(Window->Handle());
    EXPECT_NE(SendMessageW(box, CB_GETCURSEL, 0, 0), before);
}
