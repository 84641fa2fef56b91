// Window: the entry of the window mode: display check, Qt application, message box and loop.
#include "ui/Interactive.h"

#include "platform/Platform.h"
#include "ui/Unit1.h"

#include <QApplication>

#include <clocale>
#include <cstdlib>
#include <iostream>

namespace {

bool HasDisplay()
{
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0')
            return true;
    }
    return false;
}

// The message box handler must not outlive the application that draws it.
struct TMessageBoxScope {
    TMessageBoxScope() { InstallWindowMessageBox(); }
    ~TMessageBoxScope() { Platform::SetMessageBoxHandler(nullptr); }
    TMessageBoxScope(const TMessageBoxScope&) = delete;
    TMessageBoxScope& operator=(const TMessageBoxScope&) = delete;
};

} // namespace

int RunInteractive(int argc, char** argv)
{
    if (!HasDisplay()) {
        std::cerr << "corvina: no display for the window (DISPLAY is not set); "
                     "for a conversion without one run: corvina CODE INPUT OUTPUT"
                  << std::endl;
        return 2;
    }
    QApplication app(argc, argv);
    // QApplication adopts the user's locale; the conversion must behave as in batch mode.
    std::setlocale(LC_ALL, "C");
    QApplication::setApplicationName(QStringLiteral("Corvina"));
    QApplication::setApplicationDisplayName(QStringLiteral("Corvina"));
    TMessageBoxScope messageBox;
    try {
        TForm1 form;
        form.show();
        int status = app.exec();
        // The loop may end without a close event (the session ends): keep the edits all the same.
        if (form.ColorList)
            form.FormClose();
        return status;
    } catch (const std::exception& e) {
        Platform::ShowError(e.what());
    } catch (...) {
        Platform::ShowError("");
    }
    return 1;
}
