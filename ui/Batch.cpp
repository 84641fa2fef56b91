// Batch: creates the window object without a window; its creation runs and closes the batch run.
#include "ui/Batch.h"

#include "platform/Messagebox.h"
#include "ui/Unit1.h"

namespace {

// For the length of the run: every message is a failure, written as one line on the error
// stream, or handed to the handler that was installed before (a test's), which is put back on
// every way out.
class TBatchMessages {
public:
    TBatchMessages()
        : Previous(Platform::SetMessageBoxHandler([this](const std::string& caption,
                                                         const std::string& text,
                                                         Platform::TMessageIcon icon) {
              Failed = true;
              if (Previous)
                  Previous(caption, text, icon);
              else
                  Platform::WriteErrorLine(caption + ": " + text);
          }))
    {}
    ~TBatchMessages() { Platform::SetMessageBoxHandler(std::move(Previous)); }
    TBatchMessages(const TBatchMessages&) = delete;
    TBatchMessages& operator=(const TBatchMessages&) = delete;

    bool Failed = false;

private:
    Platform::TMessageBoxHandler Previous;
};

} // namespace

int RunBatchMode(const std::vector<std::string>& args)
{
    TBatchMessages messages;
    try {
        TForm1 form;
        form.FormCreate(args);
    } catch (const std::exception& e) {
        Platform::ShowError(e.what());
    } catch (...) {
        Platform::ShowError("");
    }
    return messages.Failed ? 1 : 0;
}
