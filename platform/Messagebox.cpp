// Messagebox: the handler in use; without one, the message goes to the error stream.
#include "platform/Messagebox.h"

namespace Platform {
namespace {

TMessageBoxHandler& Handler()
{
    static TMessageBoxHandler handler;
    return handler;
}

} // namespace

TMessageBoxHandler SetMessageBoxHandler(TMessageBoxHandler handler)
{
    TMessageBoxHandler previous = std::move(Handler());
    Handler() = std::move(handler);
    return previous;
}

void ShowMessageBox(const std::string& caption, const std::string& text, TMessageIcon icon)
{
    if (Handler()) {
        Handler()(caption, text, icon);
        return;
    }
    WriteErrorLine(caption + ": " + text);
}

} // namespace Platform
