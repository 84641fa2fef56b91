// Win32messagebox: the program's messages in Windows message boxes while an object lives.
#pragma once

#include "platform/Messagebox.h"

// Shows the program's messages in Windows message boxes for the life of the object: caption,
// text, exclamation icon and OK, owned by the active window; then puts the previous handler back.
class TWin32MessageBoxScope {
public:
    TWin32MessageBoxScope();
    ~TWin32MessageBoxScope();
    TWin32MessageBoxScope(const TWin32MessageBoxScope&) = delete;
    TWin32MessageBoxScope& operator=(const TWin32MessageBoxScope&) = delete;

private:
    Platform::TMessageBoxHandler Previous;
};
