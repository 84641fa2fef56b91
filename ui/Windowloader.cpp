// Windowloader: the window mode of the executable: checks for a display, then loads the window
// module from the program folder, so that Qt is loaded only when the window is wanted.
#include "ui/Interactive.h"

#include "platform/Messagebox.h"
#include "platform/Paths.h"
#include "platform/Process.h"

namespace {

constexpr const char* MsgNoDisplay = "ウィンドウを表示する画面がありません (DISPLAY が設定されていません)。"
                                     "画面なしで変換するには: corvina コード 入力 出力";
constexpr const char* MsgCannotLoadWindow = "ウィンドウのモジュールを読み込めません";

} // namespace

int RunInteractive(int argc, char** argv)
{
    if (!Platform::HasDisplay()) {
        Platform::ShowError(MsgNoDisplay);
        return 2;
    }
    std::string error;
    Platform::TWindowEntry entry =
        Platform::LoadWindowModule(Platform::ProgramFile(WindowModuleName), WindowEntryName, error);
    if (entry == nullptr) {
        Platform::ShowError(std::string(MsgCannotLoadWindow) + ": " + error);
        return 2;
    }
    return entry(argc, argv);
}
