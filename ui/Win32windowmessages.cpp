// Win32windowmessages: TWin32Window's message loop and the messages its frame receives, handed on
// to the controls they concern. The window's other members lie in Win32window.cpp,
// Win32windowchildren.cpp and Win32windowlayout.cpp.
#include "ui/Win32window.h"

#include "ui/Layout.h"

int TWin32Window::RunMessageLoop()
{
    QuitOnDestroy = true;
    MSG msg;
    int status = 0;
    for (;;) {
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            status = static_cast<int>(msg.wParam);
            break;
        }
        if (got == -1) {
            status = 1;
            break;
        }
        if (Wnd != nullptr && IsDialogMessageW(Wnd, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    // The loop may end without a close (the session ends): keep the edits all the same.
    if (Form)
        Form->FormClose();
    return status;
}

LRESULT CALLBACK TWin32Window::Proc(HWND hwnd, UINT message, WPARAM w, LPARAM l)
{
    if (message == WM_NCCREATE) {
        auto* window =
            static_cast<TWin32Window*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
        window->Wnd = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
    }
    auto* window = reinterpret_cast<TWin32Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (window == nullptr)
        return DefWindowProcW(hwnd, message, w, l);
    return window->Message(message, w, l);
}

LRESULT TWin32Window::Message(UINT message, WPARAM w, LPARAM l)
{
    switch (message) {
    case WM_COMMAND: {
        HWND from = reinterpret_cast<HWND>(l);
        if (from == nullptr && LOWORD(w) == IDOK) {
            // Enter, as the dialog keys send it: presses the focused push button.
            HWND focus = GetFocus();
            for (HWND button : {Find("btnOK"), Find("btnExit")})
                if (focus == button && IsWindowEnabled(button))
                    SendMessageW(button, BM_CLICK, 0, 0);
            return 0;
        }
        if (TWin32Control* control = from != nullptr ? TWin32Control::Of(from) : nullptr)
            control->Command(HIWORD(w));
        return 0;
    }
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(l);
        if (TWin32Control* control = TWin32Control::Of(item->hwndItem))
            control->Draw(*item);
        return TRUE;
    }
    case WM_MEASUREITEM: {
        // Asked while the control is being made, before its object exists.
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(l);
        item->itemHeight = static_cast<UINT>(Scale(Layout::ItemHeight));
        return TRUE;
    }
    case WM_SETCURSOR:
        if (WindowControl && WindowControl->Busy()) {
            SetCursor(LoadCursorW(nullptr, IDC_WAIT));
            return TRUE;
        }
        break;
    case WM_ACTIVATE:
        // As a dialog: the focus comes back to the control that had it.
        if (LOWORD(w) == WA_INACTIVE) {
            HWND focus = GetFocus();
            FocusBeforeDeactivation = focus != nullptr && IsChild(Wnd, focus) ? focus : nullptr;
        } else if (FocusBeforeDeactivation != nullptr && IsWindow(FocusBeforeDeactivation)) {
            SetFocus(FocusBeforeDeactivation);
            return 0;
        }
        break;
    case WM_CLOSE:
        if (Form)
            Form->FormClose();
        DestroyWindow(Wnd);
        return 0;
    case WM_ENDSESSION:
        if (w != 0 && Form)
            Form->FormClose();
        return 0;
    case WM_DESTROY:
        if (QuitOnDestroy)
            PostQuitMessage(0);
        return 0;
    case WM_DPICHANGED:
        // Moved to a monitor of another scale, or the scale changed.
        ChangeDpi(HIWORD(w), *reinterpret_cast<const RECT*>(l));
        return 0;
    case WM_NCDESTROY:
        RemovePropW(Wnd, Win32Controls::DpiProperty);
        SetWindowLongPtrW(Wnd, GWLP_USERDATA, 0);
        Wnd = nullptr;
        return 0;
    default:
        break;
    }
    return DefWindowProcW(Wnd, message, w, l);
}
