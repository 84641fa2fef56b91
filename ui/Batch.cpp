// Batch: creates the window object without a window; its creation runs and closes the batch run.
#include "ui/Batch.h"

#include "platform/Platform.h"
#include "ui/Unit1.h"

int RunBatchMode(const std::vector<std::string>& args)
{
    int before = Platform::MessageBoxCount();
    try {
        TForm1 form;
        form.FormCreate(args);
    } catch (const std::exception& e) {
        Platform::ShowError(e.what());
    } catch (...) {
        Platform::ShowError("");
    }
    return Platform::MessageBoxCount() == before ? 0 : 1;
}
