// Windowloader: the window mode of the executable: checks for a display, then loads the window
// module from the program folder, so that Qt is loaded only when the window is wanted.
#include "ui/Interactive.h"

#include "platform/Messagebox.h"
#include "platform/Paths.h"
#include "platform/Process.h"

int RunInteractive(int argc, char** argv)
{
    if (!Platform::HasDisplay()) {
        Platform::WriteErrorLine("corvina: no display for the window (DISPLAY is not set); "
                                 "for a conversion without one run: corvina CODE INPUT OUTPUT");
        return 2;
    }
    std::string error;
    Platform::TWindowEntry entry =
        Platform::LoadWindowModule(Platform::ProgramFile(WindowModuleName), WindowEntryName, error);
    if (entry == nullptr) {
        Platform::WriteErrorLine("corvina: the window cannot be loaded: " + error);
        return 2;
    }
    return entry(argc, argv);
}
