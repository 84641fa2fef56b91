// PosixMessagebox: the error stream of a POSIX system takes UTF-8 as it is.
#include "platform/Messagebox.h"

#include <iostream>

namespace Platform {

void WriteErrorLine(const std::string& text) { std::cerr << text << std::endl; }

} // namespace Platform
