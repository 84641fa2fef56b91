// Win32messagebox: the message-box handler of the Windows programs.
#include "ui/Win32messagebox.h"

#include "platform/Codepage.h"
#include "ui/Win32controls.h"

#include <windows.h>

#include <string>
#include <utility>

using Win32Controls::W;

TWin32MessageBoxScope::TWin32MessageBoxScope()
    : Previous(Platform::SetMessageBoxHandler(
          [](const std::string& caption, const std::string& text, Platform::TMessageIcon icon) {
              UINT type =
                  MB_OK | (icon == Platform::TMessageIcon::Error         ? MB_ICONERROR
                           : icon == Platform::TMessageIcon::Information ? MB_ICONINFORMATION
                                                                         : MB_ICONEXCLAMATION);
              std::u16string wideText = CodePage::FromUtf8(text);
              std::u16string wideCaption = CodePage::FromUtf8(caption);
              // The box answers to the mouse even while a run shows the busy cursor.
              HCURSOR cursor = SetCursor(LoadCursorW(nullptr, IDC_ARROW));
              int answer =
                  MessageBoxW(GetActiveWindow(), W(wideText.c_str()), W(wideCaption.c_str()), type);
              SetCursor(cursor);
              // No box could be shown (no desktop): the message must not be lost. Windows says
              // so with 0, Wine without a display with -1.
              if (answer <= 0)
                  Platform::WriteErrorLine(caption + ": " + text);
          }))
{}

TWin32MessageBoxScope::~TWin32MessageBoxScope()
{
    Platform::SetMessageBoxHandler(std::move(Previous));
}
