// Win32window: TWin32Window's window class, frame and DPI: the window made and released, its
// client area kept at the layout's size on every DPI. Its other members lie in
// Win32windowchildren.cpp, Win32windowlayout.cpp and Win32windowmessages.cpp.
#include "ui/Win32window.h"

#include "ui/Headings.h"
#include "ui/Layout.h"
#include "ui/resources/Resource.h"

#include <stdexcept>
#include <string>
#include <utility>

using Win32Controls::W;
using Win32Controls::WindowClass;

namespace {

// The DPI functions of Windows 10 where there are any; the system-wide DPI elsewhere.
template <typename F>
F User32Function(const char* name)
{
    return reinterpret_cast<F>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

int WindowDpi(HWND window)
{
    using TGetDpiForWindow = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = User32Function<TGetDpiForWindow>("GetDpiForWindow");
    if (getDpiForWindow != nullptr)
        if (UINT dpi = getDpiForWindow(window))
            return static_cast<int>(dpi);
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

// Single border, caption and system menu: no sizing, no minimise or maximise box.
constexpr DWORD FrameStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD FrameExStyle = WS_EX_CONTROLPARENT;

// The window's size for the layout's client area at dpi, frame and caption included.
SIZE FrameSize(int dpi)
{
    using TAdjust = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    static const auto adjustForDpi = User32Function<TAdjust>("AdjustWindowRectExForDpi");
    RECT frame = {0, 0, MulDiv(Layout::ClientWidth, dpi, 96),
                  MulDiv(Layout::ClientHeight, dpi, 96)};
    if (adjustForDpi != nullptr)
        adjustForDpi(&frame, FrameStyle, FALSE, FrameExStyle, static_cast<UINT>(dpi));
    else
        AdjustWindowRectEx(&frame, FrameStyle, FALSE, FrameExStyle);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

// The program's icon at the size the system wants, or the system's own where the program has
// none (a test program).
HICON ProgramIcon(int metricX, int metricY)
{
    HANDLE icon = LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(CORVINA_ICON), IMAGE_ICON,
                             GetSystemMetrics(metricX), GetSystemMetrics(metricY), LR_DEFAULTCOLOR);
    return icon != nullptr ? static_cast<HICON>(icon) : LoadIconW(nullptr, IDI_APPLICATION);
}

} // namespace

TWin32Window::TWin32Window()
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (!GetClassInfoExW(instance, WindowClass, &wc)) {
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &Proc;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hIcon = ProgramIcon(SM_CXICON, SM_CYICON);
        wc.hIconSm = ProgramIcon(SM_CXSMICON, SM_CYSMICON);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = WindowClass;
        if (RegisterClassExW(&wc) == 0)
            throw std::runtime_error("ウィンドウを作れません");
    }
    Dpi = WindowDpi(nullptr);
    SIZE frame = FrameSize(Dpi);
    std::u16string title(Headings::WindowTitle);
    CreateWindowExW(FrameExStyle, WindowClass, W(title.c_str()), FrameStyle, CW_USEDEFAULT,
                    CW_USEDEFAULT, frame.cx, frame.cy, nullptr, nullptr, instance, this);
    if (Wnd == nullptr)
        throw std::runtime_error("ウィンドウを作れません");
    // The monitor the window opened on may have a scale of its own.
    SetDpi(WindowDpi(Wnd));
    FitClientArea();
    // No sizing and no maximising from the system menu either.
    HMENU menu = GetSystemMenu(Wnd, FALSE);
    for (UINT command : {SC_SIZE, SC_MAXIMIZE, SC_MINIMIZE, SC_RESTORE})
        DeleteMenu(menu, command, MF_BYCOMMAND);

    try {
        Fonts = TWin32Fonts(Wnd, Dpi);
        CreateControls();
        Form = std::make_unique<TForm1>(Controls);
        Form->FormCreate({});
    } catch (...) {
        // No window may outlive the object its messages go to.
        Release();
        throw;
    }
}

TWin32Window::~TWin32Window() { Release(); }

void TWin32Window::Release()
{
    if (Wnd != nullptr)
        DestroyWindow(Wnd);
    // The controls' objects go after their windows, which call on them until they are gone.
    Form.reset();
    Children.clear();
    Fonts = TWin32Fonts();
}

int TWin32Window::Scale(int value) const { return MulDiv(value, Dpi, 96); }

void TWin32Window::SetDpi(int dpi)
{
    Dpi = dpi;
    SetPropW(Wnd, Win32Controls::DpiProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(dpi)));
}

void TWin32Window::ChangeDpi(int dpi, const RECT& suggested)
{
    SetDpi(dpi);
    {
        // The controls hold the old fonts until PlaceControls gives them the new ones.
        TWin32Fonts old = std::exchange(Fonts, TWin32Fonts(Wnd, Dpi));
        SIZE frame = FrameSize(Dpi);
        SetWindowPos(Wnd, nullptr, suggested.left, suggested.top, frame.cx, frame.cy,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        FitClientArea();
        PlaceControls();
    }
    RedrawWindow(Wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void TWin32Window::FitClientArea()
{
    // The frame as it is drawn, whatever the metrics of the DPI say it should be.
    const int clientWidth = Scale(Layout::ClientWidth), clientHeight = Scale(Layout::ClientHeight);
    RECT window, client;
    GetWindowRect(Wnd, &window);
    GetClientRect(Wnd, &client);
    int width = clientWidth + (window.right - window.left) - client.right;
    int height = clientHeight + (window.bottom - window.top) - client.bottom;
    if (client.right != clientWidth || client.bottom != clientHeight)
        SetWindowPos(Wnd, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWin32Window::Show()
{
    ShowWindow(Wnd, SW_SHOWNORMAL);
    UpdateWindow(Wnd);
    SetFocus(Find("cboLangType"));
}
