// Main: the program entry: three or more arguments run one conversion, fewer open the window.
#include "platform/Process.h"
#include "ui/Batch.h"
#include "ui/Interactive.h"

#include <string>
#include <vector>

int main(int argc, char** argv)
{
    std::vector<std::string> args = Platform::Arguments(argc, argv);
    if (args.size() > 2)
        return RunBatchMode(args);
    return RunInteractive(argc, argv);
}
