// Tests of the Windows window's shape: its frame, every control with its kind, caption and place,
// the fonts, and the tab order with the dialog keys.
#include "Win32fixture.h"
#include "Windowlayout.h"

#include "core/Token.h"

#include <commctrl.h>
#include <oleacc.h>

#include <vector>

using namespace Win32Test;

namespace {

// Tells the window, as the system does, that it now stands on a monitor of dpi, at the place it
// has, and lets it finish the change.
void MoveToDpi(HWND window, int dpi)
{
    RECT suggested;
    GetWindowRect(window, &suggested);
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    Pump(window);
}

// The window class of each control the tables name.
const std::pair<std::string_view, const char*> Kinds[] = {
    {"cboLangType", "ComboBox"}, {"InputFrame", "Static"},     {"txtInput", "Edit"},
    {"SpeedButton1", "Button"},  {"OutputFrame", "Static"},    {"txtOutput", "Edit"},
    {"SpeedButton2", "Button"},  {"CheckListBox1", "ListBox"}, {"ColorBox1", "ComboBox"},
    {"chkBold", "Button"},       {"chkItalic", "Button"},      {"ColorBox2", "ComboBox"},
    {"Panel2", "Static"},        {"pnlDummy", "Static"},       {"Bevel1", "Static"},
    {"btnOK", "Button"},         {"btnExit", "Button"},
};

// Headings and samples are statics, word-list boxes edits; the rest as in Kinds.
const char* KindOf(std::string_view name)
{
    return WindowLayout::TKinds{Kinds, "Edit", "Static"}.Of(name);
}

bool EqualIgnoringCase(const std::string& a, const char* b)
{
    return CodePage::SameText(CodePage::FromUtf8(a), CodePage::FromUtf8(b));
}

// The text of a list box item: what a screen reader reads of it.
std::u16string ItemText(HWND list, int index)
{
    LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    std::u16string text(static_cast<size_t>(length) + 1, u'\0');
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}

// The label that names control for a screen reader: the static just before it in the Z order.
HWND NamingLabel(HWND control)
{
    HWND before = GetWindow(control, GW_HWNDPREV);
    if (before == nullptr || (SendMessageW(before, WM_GETDLGCODE, 0, 0) & DLGC_STATIC) == 0 ||
        !IsWindowVisible(before))
        return nullptr;
    return before;
}

// The name the system's accessibility layer gives control, as a screen reader asks for it.
std::u16string AccessibleName(HWND control)
{
    IAccessible* object = nullptr;
    // __uuidof: the cross libraries' IID_IAccessible is an import stub, not the GUID.
    if (FAILED(CreateStdAccessibleObject(control, OBJID_CLIENT, __uuidof(IAccessible),
                                         reinterpret_cast<void**>(&object))))
        return u"(no accessible object)";
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR text = nullptr;
    std::u16string name;
    if (object->get_accName(self, &text) == S_OK && text != nullptr)
        name = reinterpret_cast<const char16_t*>(text);
    SysFreeString(text);
    object->Release();
    return name;
}

} // namespace

class Win32Window : public WindowTest {
protected:
    // Every control at its place in the table for the window's DPI; a drop-down as high as its
    // own choice, a sample as its caption.
    void ExpectPlaces()
    {
        for (std::string_view name : WindowLayout::Names()) {
            SCOPED_TRACE(name);
            HWND control = Window->Find(name);
            ASSERT_NE(control, nullptr);
            RECT place = PlaceOf(control);
            const Layout::TPlace expected = WindowLayout::Place(name);
            EXPECT_EQ(place.left, Window->Scale(expected.X));
            EXPECT_EQ(place.top, Window->Scale(expected.Y));
            if (expected.Width > 0) {
                EXPECT_EQ(place.right - place.left, Window->Scale(expected.Width));
            }
            if (expected.Height > 0 && expected.Dropped == 0) {
                EXPECT_EQ(place.bottom - place.top, Window->Scale(expected.Height));
            }
        }
    }
};

TEST_F(Win32Window, FixedFrameWithCaptionAndSystemMenuOnly)
{
    HWND wnd = Window->Handle();
    EXPECT_EQ(TextOf(wnd), Headings::WindowTitle);
    LONG style = GetWindowLongW(wnd, GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_NE(style & WS_SYSMENU, 0);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
    RECT client;
    GetClientRect(wnd, &client);
    EXPECT_EQ(client.right, Window->Scale(Layout::ClientWidth));
    EXPECT_EQ(client.bottom, Window->Scale(Layout::ClientHeight));
}

TEST_F(Win32Window, EveryControlWithItsKindCaptionAndPlace)
{
    for (std::string_view name : WindowLayout::Names()) {
        SCOPED_TRACE(name);
        HWND control = Window->Find(name);
        ASSERT_NE(control, nullptr);
        EXPECT_TRUE(EqualIgnoringCase(ClassOf(control), KindOf(name))) << ClassOf(control);
        // A drop-down's text is its choice; a browse button's caption only names it.
        if (name.starts_with("SpeedButton")) {
            EXPECT_EQ(TextOf(control), Headings::BrowseName);
        } else if (std::string_view(KindOf(name)) != "ComboBox") {
            EXPECT_EQ(TextOf(control), WindowLayout::Caption(name).value_or(u""));
        }
    }
    ExpectPlaces();
}

TEST_F(Win32Window, AChangeOfDpiScalesTheWholeWindow)
{
    for (int dpi : {144, 120, 192, 96}) {
        SCOPED_TRACE(dpi);
        MoveToDpi(Window->Handle(), dpi);
        EXPECT_EQ(Window->Scale(96), dpi);
        // The system keeps a window within the screen: on a screen too small for the scale
        // (the test's desktop at 192 DPI) the client area cannot be whole.
        RECT client;
        GetClientRect(Window->Handle(), &client);
        if (Window->Scale(Layout::ClientWidth + 40) < GetSystemMetrics(SM_CXSCREEN) &&
            Window->Scale(Layout::ClientHeight + 60) < GetSystemMetrics(SM_CYSCREEN)) {
            EXPECT_EQ(client.right, Window->Scale(Layout::ClientWidth));
            EXPECT_EQ(client.bottom, Window->Scale(Layout::ClientHeight));
        }
        ExpectPlaces();
        const std::pair<const char*, const Layout::TFont&> fonts[] = {
            {"txtInput", Layout::ControlFont},
            {"CheckListBox1", Layout::ControlFont},
            {"txtKeyList", Layout::FixedFont},
            {"btnOK", Layout::WindowFont},
        };
        for (const auto& [name, font] : fonts) {
            LOGFONTW logical{};
            GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Get(name), WM_GETFONT, 0, 0)),
                       sizeof logical, &logical);
            // A word list may take a size near by at which its font draws underscores.
            EXPECT_NEAR(logical.lfHeight, -Window->Scale(font.Pixels), font.FixedPitch ? 3 : 0)
                << name;
        }
        EXPECT_EQ(SendMessageW(Get("CheckListBox1"), LB_GETITEMHEIGHT, 0, 0),
                  Window->Scale(Layout::ItemHeight));
    }
}

TEST_F(Win32Window, ScreenReadersFindEachControlNamed)
{
    // Each control follows the heading that names it in the Z order.
    for (const Headings::THeading& heading : Headings::All) {
        if (heading.Control == nullptr)
            continue;
        HWND label = NamingLabel(Get(heading.Control));
        ASSERT_NE(label, nullptr) << heading.Control;
        EXPECT_EQ(TextOf(label), heading.Caption) << heading.Control;
    }
    // The word-list box that shows follows its title.
    for (const TForm1::TWordList& wordList : TForm1::WordLists) {
        ClickCaption(wordList.ItemIndex);
        HWND label = NamingLabel(Get(wordList.BoxName));
        ASSERT_NE(label, nullptr) << wordList.BoxName;
        EXPECT_EQ(TextOf(label), std::u16string(TokenKind::All[wordList.ItemIndex]) + u" 一覧")
            << wordList.BoxName;
    }
    // What the accessibility layer answers, for the controls whose names Wine's takes from the
    // label before them too (it names a drop-down or a list box by its text).
    const std::pair<const char*, std::u16string_view> answered[] = {
        {"txtInput", Headings::Of("Label2").Caption},
        {"txtOutput", Headings::Of("Label3").Caption},
        {"txtSp3List", u"強調３ 一覧"},
        {"SpeedButton1", Headings::BrowseName},
        {"SpeedButton2", Headings::BrowseName},
    };
    for (const auto& [name, expected] : answered)
        EXPECT_EQ(AccessibleName(Get(name)), expected) << name;
    // A check-list item says its tick; the tick changes it, the selection stays.
    HWND items = Get("CheckListBox1");
    for (int i = 0; i < Layout::ItemCount; ++i) {
        bool on = Control<TWin32CheckList>("CheckListBox1").Checked(i);
        EXPECT_EQ(ItemText(items, i), std::u16string(TokenKind::All[i]) +
                                          (on ? u" (チェックあり)" : u" (チェックなし)"))
            << i;
    }
    ClickCaption(4);
    bool before = Control<TWin32CheckList>("CheckListBox1").Checked(4);
    ClickTick(4);
    EXPECT_EQ(ItemText(items, 4), std::u16string(TokenKind::All[4]) +
                                      (before ? u" (チェックなし)" : u" (チェックあり)"));
    EXPECT_EQ(SendMessageW(items, LB_GETCURSEL, 0, 0), 4);
    // The browse buttons: named, and a tooltip as on Linux.
    HWND tip = Get("ToolTip");
    EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 2);
    for (const char* name : {"SpeedButton1", "SpeedButton2"}) {
        EXPECT_EQ(TextOf(Get(name)), Headings::BrowseName);
        wchar_t text[80] = {};
        TOOLINFOW tool{};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.hwnd = Window->Handle();
        tool.uId = reinterpret_cast<UINT_PTR>(Get(name));
        tool.lpszText = text;
        SendMessageW(tip, TTM_GETTEXTW, std::size(text), reinterpret_cast<LPARAM>(&tool));
        EXPECT_EQ(std::u16string(reinterpret_cast<char16_t*>(text)), Headings::BrowseTip) << name;
    }
}

TEST_F(Win32Window, TabIntoAWordListSelectsNothingSoTheNextKeyKeepsTheList)
{
    struct TCase {
        const char* From;
        const char* Box;
        std::u16string Text;
        bool SelectsAll;
    };
    const TCase cases[] = {
        {"ColorBox2", "txtKeyList", u"if\r\nelse\r\n", false},
        {"cboLangType", "txtInput", u"in.cpp", true},
    };
    ClickCaption(0);
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Box);
        TypeInto(c.Box, c.Text);
        SendMessageW(Get(c.Box), EM_SETSEL, 0, 0);
        PressKey(c.From, VK_TAB);
        ASSERT_EQ(GetFocus(), Get(c.Box));
        DWORD start = 0, end = 0;
        SendMessageW(Get(c.Box), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 0u);
        EXPECT_EQ(end, c.SelectsAll ? c.Text.size() : 0u);
        PostMessageW(Get(c.Box), WM_CHAR, L'x', 1);
        Pump(Window->Handle());
        EXPECT_EQ(TextOf(Get(c.Box)), c.SelectsAll ? u"x" : u"x" + c.Text);
    }
}

TEST_F(Win32Window, KeysAndClicksThatArriveWhileBusyAreDropped)
{
    ClickCaption(0);
    TypeInto("txtKeyList", u"asm\r\n");
    SetFocus(Get("txtKeyList"));
    TWindowControl& busy = *Window->Controls.Window;
    busy.BeginBusy();
    PostMessageW(Get("txtKeyList"), WM_CHAR, L'x', 1);
    PostMessageW(Get("btnExit"), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    PostMessageW(Get("btnExit"), WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    busy.EndBusy();
    Pump(Window->Handle());
    EXPECT_EQ(TextOf(Get("txtKeyList")), u"asm\r\n");
    EXPECT_FALSE(Window->Closed()) << "the click on 終了 was played after the run";
    // Once the run is over the window takes keys again.
    PostMessageW(Get("txtKeyList"), WM_CHAR, L'y', 1);
    Pump(Window->Handle());
    EXPECT_EQ(TextOf(Get("txtKeyList")), u"yasm\r\n");
}

TEST_F(Win32Window, AWordListLineShowsItsUnderscoreAtEveryScale)
{
    // Each line of the box is drawn in a cell as high as its font's; an underscore below the cell
    // is painted over by the next line or cut off.
    ClickCaption(0);
    HWND box = Get("txtKeyList");
    ASSERT_TRUE(IsWindowVisible(box));
    for (int dpi : {96, 144, 192}) {
        SCOPED_TRACE(dpi);
        MoveToDpi(Window->Handle(), dpi);
        TypeInto("txtKeyList", u"_\r\n_\r\n");
        RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        Pump(Window->Handle());
        RECT format{};
        SendMessageW(box, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
        HDC dc = GetDC(box);
        HGDIOBJ old =
            SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(box, WM_GETFONT, 0, 0)));
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        SelectObject(dc, old);
        const COLORREF background = GetPixel(dc, format.right - 2, format.bottom - 2);
        int drawn = 0;
        for (int y = format.top; y < format.top + metrics.tmHeight; ++y)
            for (int x = format.left; x < format.left + metrics.tmAveCharWidth * 2; ++x)
                if (GetPixel(dc, x, y) != background)
                    ++drawn;
        ReleaseDC(box, dc);
        EXPECT_GT(drawn, 0) << "the first line's underscore is not on the screen";
    }
}

TEST_F(Win32Window, ListsHoldTheirEntriesAndStartWithoutChoice)
{
    HWND languages = Get("cboLangType");
    EXPECT_EQ(SendMessageW(languages, CB_GETCOUNT, 0, 0), 14);
    EXPECT_EQ(SendMessageW(languages, CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_EQ(GetWindowLongW(languages, GWL_STYLE) & 3, CBS_DROPDOWNLIST);

    HWND items = Get("CheckListBox1");
    ASSERT_EQ(SendMessageW(items, LB_GETCOUNT, 0, 0), Layout::ItemCount);
    for (int i = 0; i < Layout::ItemCount; ++i)
        EXPECT_EQ(ItemText(items, i).rfind(TokenKind::All[i], 0), 0u) << i;
    EXPECT_EQ(SendMessageW(items, LB_GETCURSEL, 0, 0), LB_ERR);

    for (const char* name : {"ColorBox1", "ColorBox2"}) {
        HWND box = Get(name);
        ASSERT_EQ(SendMessageW(box, CB_GETCOUNT, 0, 0), 16) << name;
        for (int i = 0; i < 16; ++i)
            EXPECT_EQ(static_cast<std::int32_t>(SendMessageW(box, CB_GETITEMDATA, i, 0)),
                      TForm1::BasicColors[i].Value)
                << name << " " << i;
    }
    EXPECT_EQ(Control<TWin32ColorBox>("ColorBox1").Selected(), 0x000000);
    EXPECT_EQ(Control<TWin32ColorBox>("ColorBox2").Selected(), 0xFFFFFF);
}

TEST_F(Win32Window, LanguageListChoosesOnlyAnExactCaption)
{
    struct Case {
        const char16_t* text;
        int index;
    };
    const Case cases[] = {{u"Java", 2}, {u"java", -1}, {u"その他", 13}, {u"", -1}, {u"Jav", -1}};
    TTextBox& box = *Window->Controls.cboLangType;
    for (const Case& c : cases) {
        box.SetText(c.text);
        EXPECT_EQ(SendMessageW(Get("cboLangType"), CB_GETCURSEL, 0, 0), c.index)
            << TestUtil::Utf8(c.text);
        EXPECT_EQ(box.Text(), c.index < 0 ? u"" : c.text);
    }
}

TEST_F(Win32Window, WordListBoxesAreHiddenMultiLineWithBothScrollBarsAndFixedPitch)
{
    for (const TForm1::TWordList& list : TForm1::WordLists) {
        SCOPED_TRACE(list.BoxName);
        HWND box = Get(list.BoxName);
        LONG style = GetWindowLongW(box, GWL_STYLE);
        EXPECT_FALSE(IsWindowVisible(box));
        EXPECT_NE(style & ES_MULTILINE, 0);
        EXPECT_EQ(style & (WS_HSCROLL | WS_VSCROLL), WS_HSCROLL | WS_VSCROLL);
        auto font = reinterpret_cast<HFONT>(SendMessageW(box, WM_GETFONT, 0, 0));
        LOGFONTW logical{};
        GetObjectW(font, sizeof logical, &logical);
        EXPECT_EQ(logical.lfPitchAndFamily & 3, FIXED_PITCH);
        EXPECT_NEAR(logical.lfHeight, -Window->Scale(Layout::FixedFont.Pixels), 3);
    }
}

TEST_F(Win32Window, SampleLabelsCoverJustTheirCaption)
{
    HWND panel = Get("Panel2");
    RECT inside = PlaceOf(panel);
    for (int i = 0; i < Layout::ItemCount; ++i) {
        auto& label = *Window->Controls.Samples[i];
        HWND handle = dynamic_cast<TWin32Label&>(label).Handle();
        RECT place = PlaceOf(handle);
        HDC dc = GetDC(handle);
        HGDIOBJ old = SelectObject(dc, dynamic_cast<TWin32Label&>(label).Font());
        std::u16string caption(TokenKind::All[i]);
        SIZE size{};
        GetTextExtentPoint32W(dc, Win32Controls::W(caption.c_str()), static_cast<int>(caption.size()),
                              &size);
        SelectObject(dc, old);
        ReleaseDC(handle, dc);
        // An italic face leans past its advance; the box takes in its overhang.
        int width = place.right - place.left;
        const TColorSetting* item = Window->Form->ColorList->Item(i);
        if (item->Enabled && item->Italic) {
            EXPECT_GT(width, size.cx) << i;
            EXPECT_LE(width, size.cx + Window->Scale(4)) << i;
        } else {
            EXPECT_EQ(width, size.cx) << i;
        }
        EXPECT_GT(place.top, inside.top) << i;
        EXPECT_LT(place.bottom, inside.bottom) << i;
    }
}

// The tab order from the language list on; the word-list box of the selected item comes
// after the background colour.
TEST_F(Win32Window, TabOrderAsInTheWindowDescription)
{
    auto order = [&] {
        std::vector<std::string> names;
        HWND first = Get("cboLangType");
        HWND at = first;
        do {
            for (const char* name :
                 {"cboLangType", "txtInput", "txtOutput", "CheckListBox1", "ColorBox1", "chkBold",
                  "chkItalic", "ColorBox2", "txtKeyList", "txtOpeList", "txtSp1List", "txtSp2List",
                  "txtSp3List", "btnOK", "btnExit"})
                if (Window->Find(name) == at)
                    names.push_back(name);
            at = GetNextDlgTabItem(Window->Handle(), at, FALSE);
        } while (at != first && names.size() < 20);
        return names;
    };
    std::vector<std::string> base = {"cboLangType", "txtInput",  "txtOutput", "CheckListBox1",
                                     "ColorBox1",   "chkBold",   "chkItalic", "ColorBox2"};
    std::vector<std::string> expected = base;
    expected.insert(expected.end(), {"btnOK", "btnExit"});
    EXPECT_EQ(order(), expected);

    ClickCaption(7); // 演算子: its word list shows
    expected = base;
    expected.insert(expected.end(), {"txtOpeList", "btnOK", "btnExit"});
    EXPECT_EQ(order(), expected);
}

TEST_F(Win32Window, TabLeavesAWordListBoxAndEnterStaysInIt)
{
    ClickCaption(0);
    HWND box = Get("txtKeyList");
    ASSERT_TRUE(IsWindowVisible(box));
    TypeInto("txtKeyList", u"if");
    SendMessageW(box, EM_SETSEL, 2, 2);
    PressKey("txtKeyList", VK_RETURN);
    EXPECT_EQ(GetFocus(), box) << "Enter is a line break in the box";
    PressKey("txtKeyList", VK_TAB);
    EXPECT_EQ(GetFocus(), Get("btnOK"));
    EXPECT_EQ(Control<TWin32Memo>("txtKeyList").Text().find(u'\t'), std::u16string::npos);
}

TEST_F(Win32Window, EnterOnAFocusedButtonPressesIt)
{
    TypeInto("txtInput", u"");
    PressKey("btnExit", VK_RETURN);
    EXPECT_TRUE(Window->Closed());
}

TEST(Win32WindowStart, FailedStartLeavesNoWindowAndColorTxtAsItWas)
{
    TestUtil::TProgramFolder folder;
    const std::string bad = "a,b,0,0,0,0,0\r\nbroken\r\n";
    TestUtil::WriteBytes(folder.File("color.txt"), bad);
    TestUtil::TMessageLog messages;
    EXPECT_THROW(TWin32Window window, std::exception);
    Pump(nullptr);
    EXPECT_EQ(FindWindowW(L"CorvinaForm1", nullptr), nullptr);
    EXPECT_EQ(TestUtil::ReadBytes(folder.File("color.txt")), bad);
}
