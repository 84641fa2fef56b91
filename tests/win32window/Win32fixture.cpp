// Win32fixture: the window in a program folder of its own, and the messages of the user's acts.
#include "Win32fixture.h"

namespace Win32Test {

namespace {

std::function<void(HWND)> PendingAnswer;

BOOL CALLBACK FindDialog(HWND hwnd, LPARAM found)
{
    wchar_t name[16] = {};
    GetClassNameW(hwnd, name, 16);
    if (IsWindowVisible(hwnd) && std::wstring(name) == L"#32770") {
        *reinterpret_cast<HWND*>(found) = hwnd;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK AnswerModal(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &FindDialog, reinterpret_cast<LPARAM>(&dialog));
    if (dialog == nullptr || !PendingAnswer)
        return;
    KillTimer(nullptr, timer);
    auto answer = std::move(PendingAnswer);
    PendingAnswer = nullptr;
    answer(dialog);
}

} // namespace

void Pump(HWND window)
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (window != nullptr && IsWindow(window) && IsDialogMessageW(window, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

std::u16string TextOf(HWND control) { return Win32Controls::TextOf(control); }

std::string ClassOf(HWND control)
{
    wchar_t name[64] = {};
    GetClassNameW(control, name, 64);
    std::string text;
    for (const wchar_t* p = name; *p != 0; ++p)
        text += static_cast<char>(*p);
    return text;
}

RECT PlaceOf(HWND control)
{
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void WithModal(const std::function<void()>& act, const std::function<void(HWND)>& answer)
{
    PendingAnswer = answer;
    UINT_PTR timer = SetTimer(nullptr, 0, 50, &AnswerModal);
    act();
    if (PendingAnswer) {
        KillTimer(nullptr, timer);
        PendingAnswer = nullptr;
        ADD_FAILURE() << "no modal window came up";
    }
}

void WindowTest::SetUp()
{
    Messages = std::make_unique<TestUtil::TMessageLog>();
    Window = std::make_unique<TWin32Window>();
    Window->Show();
    Pump(Window->Handle());
}

void WindowTest::TearDown()
{
    Window.reset();
    Messages.reset();
}

HWND WindowTest::Get(const char* name) const
{
    HWND control = Window->Find(name);
    EXPECT_NE(control, nullptr) << name;
    return control;
}

void WindowTest::ClickTick(int index)
{
    HWND list = Get("CheckListBox1");
    RECT item;
    SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    LPARAM at = MAKELPARAM(item.left + Window->Scale(5), item.top + Window->Scale(5));
    SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(list, WM_LBUTTONUP, 0, at);
    Pump(Window->Handle());
}

void WindowTest::ClickCaption(int index)
{
    HWND list = Get("CheckListBox1");
    RECT item;
    SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    LPARAM at = MAKELPARAM(item.left + Window->Scale(50), item.top + Window->Scale(5));
    SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(list, WM_LBUTTONUP, 0, at);
    Pump(Window->Handle());
}

void WindowTest::PressKey(const char* name, WPARAM key)
{
    HWND control = Get(name);
    SetFocus(control);
    PostMessageW(control, WM_KEYDOWN, key, 1);
    PostMessageW(control, WM_KEYUP, key, 1 | (1u << 30) | (1u << 31));
    Pump(Window->Handle());
}

void WindowTest::Choose(const char* comboName, int index)
{
    HWND box = Get(comboName);
    SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    // What the box tells its parent when the user picks an entry.
    SendMessageW(Window->Handle(), WM_COMMAND,
                 MAKEWPARAM(GetDlgCtrlID(box), CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
    Pump(Window->Handle());
}

void WindowTest::Click(const char* buttonName)
{
    SendMessageW(Get(buttonName), BM_CLICK, 0, 0);
    Pump(Window->Handle());
}

void WindowTest::TypeInto(const char* name, const std::u16string& text)
{
    Win32Controls::SetTextOf(Get(name), text);
}

void WindowTest::CloseWindow()
{
    SendMessageW(Window->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    Pump(nullptr);
}

} // namespace Win32Test
