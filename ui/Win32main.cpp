// Win32main: the entry of corvinaw.exe, the Windows program without a console: three or more
// arguments run one conversion and show its messages in message boxes; fewer open the window,
// which this program links rather than loads.
#include "platform/Process.h"
#include "ui/Batch.h"
#include "ui/Win32messagebox.h"
#include "ui/Win32program.h"

#include <string>
#include <vector>

int main(int argc, char** argv)
{
    std::vector<std::string> args = Platform::Arguments(argc, argv);
    if (args.size() > 2) {
        // No error stream to write to: every message is a message box, and the status says
        // whether one was shown.
        TWin32MessageBoxScope messageBox;
        return RunBatchMode(args);
    }
    return RunWin32Window();
}
