// Win32windowloader: the window mode of corvina.exe: loads the window module from the program
// folder, so that a batch run never loads the window's system libraries (user32 and the rest).
#include "ui/Interactive.h"

#include "platform/Messagebox.h"
#include "platform/Paths.h"
#include "platform/Process.h"

namespace {

constexpr const char* MsgCannotLoadWindow = "ウィンドウの DLL を読み込めません";

} // namespace

int RunInteractive(int argc, char** argv)
{
    std::string error;
    Platform::TWindowEntry entry = Platform::LoadWindowModule(
        Platform::ProgramFile(Win32WindowModuleName), WindowEntryName, error);
    if (entry == nullptr) {
        // Before the window: no message box handler, so the message goes to the error stream.
        Platform::ShowError(std::string(MsgCannotLoadWindow) + ": " + error);
        return 2;
    }
    return entry(argc, argv);
}
