// Window: the window module's entry: Qt application, message box and loop. The executable loads
// this module only in window mode, so a batch run never loads Qt.
#include "ui/Interactive.h"

#include "platform/Messagebox.h"
#include "platform/Process.h"
#include "ui/Qtinstance.h"
#include "ui/Qtwindow.h"

#include <QApplication>

#include <clocale>

namespace {

// The message box handler must not outlive the application that draws it.
struct TMessageBoxScope {
    TMessageBoxScope() { InstallWindowMessageBox(); }
    ~TMessageBoxScope() { Platform::SetMessageBoxHandler(nullptr); }
    TMessageBoxScope(const TMessageBoxScope&) = delete;
    TMessageBoxScope& operator=(const TMessageBoxScope&) = delete;
};

} // namespace

extern "C" int CorvinaRunWindow(int argc, char** argv)
{
    QApplication app(argc, argv);
    // One window per program folder: a second one would write its settings over the first's.
    TQtInstance instance(QString::fromStdString(Platform::InstanceName()));
    if (!instance.First())
        return 0;
    // QApplication adopts the user's locale; the conversion must behave as in batch mode.
    std::setlocale(LC_ALL, "C");
    TQtApplicationSetup setup;
    TMessageBoxScope messageBox;
    try {
        TQtWindow window;
        instance.SetWindow(&window);
        window.show();
        int status = app.exec();
        // The loop may end without a close event (the session ends): keep the edits all the same.
        window.Form->FormClose();
        return status;
    } catch (const std::exception& e) {
        Platform::ShowError(e.what());
    } catch (...) {
        Platform::ShowError("");
    }
    return 1;
}
