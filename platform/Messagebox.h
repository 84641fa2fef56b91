// Messagebox: the modal message box of the program, with a handler the window or a batch run
// installs; without one, the message goes to the error stream.
#pragma once

#include <functional>
#include <string>

namespace Platform {

enum class TMessageIcon { Warning, Error, Information };

// Texts are UTF-8.
using TMessageBoxHandler =
    std::function<void(const std::string& caption, const std::string& text, TMessageIcon icon)>;
// Installs handler; an empty one restores the default. Returns the handler it replaces.
TMessageBoxHandler SetMessageBoxHandler(TMessageBoxHandler handler);
void ShowMessageBox(const std::string& caption, const std::string& text,
                    TMessageIcon icon = TMessageIcon::Warning);

// The caption of the messages the program shows itself.
inline constexpr const char* ErrorCaption = "エラー";
inline void ShowError(const std::string& text) { ShowMessageBox(ErrorCaption, text); }

// One line on the error stream (stderr): on a Windows console as wide text, otherwise in the
// system's encoding (UTF-8 on POSIX, code page 932 on Windows) with the system's line end.
void WriteErrorLine(const std::string& text);

} // namespace Platform
