// Nowindow: the entry of the window mode in a build without the window.
#include "ui/Interactive.h"

#include <iostream>

int RunInteractive(int, char**)
{
    std::cerr << "usage: corvina CODE INPUT OUTPUT" << std::endl;
    return 2;
}
