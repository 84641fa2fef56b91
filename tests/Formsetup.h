// Formsetup: a program folder with twelve known display items and a log of the message boxes,
// shared by the tests of the window's handlers and of its Qt widgets.
#pragma once

#include "Faultyfiles.h"
#include "Testutil.h"
#include "platform/Messagebox.h"

#include <functional>
#include <string>
#include <vector>

namespace FormTest {

// Twelve items: item 6 has a text colour and item 10 a background outside the sixteen colours;
// item 11 is bold and italic, so the tick boxes show that after start-up.
inline const char16_t* const ColorTxt = u"予約語,res,0x800000,0xFFFFFF,1,0,1\r\n"
                                        u"ディレクティブ,dir,0x008000,0xFFFFFF,0,0,1\r\n"
                                        u"コメント,cmt,0x000000,0xFFFFFF,0,0,1\r\n"
                                        u"文字列,str,0x000080,0xFFFFFF,0,0,1\r\n"
                                        u"文字,chr,0x000080,0xFFFFFF,0,0,0\r\n"
                                        u"数字,num,0x808000,0xFFFFFF,0,0,1\r\n"
                                        u"識別子,idt,0x123456,0xFFFFFF,0,0,0\r\n"
                                        u"演算子,ope,0x0000FF,0xFFFFFF,0,0,1\r\n"
                                        u"区切り記号,dlm,0x000000,0xFFFFFF,0,0,0\r\n"
                                        u"強調１,em1,0xFF0000,0xFFFFFF,0,0,1\r\n"
                                        u"強調２,em2,0x800080,0xABCDEF,1,0,1\r\n"
                                        u"強調３,em3,0x000000,0x00FFFF,1,1,1\r\n";

// The program folder of a window test: the items above, "<PRE>" and "</PRE>" as header and
// footer, nothing escaped, files through a file system that fails as a test tells it. Message
// boxes are logged as "caption: text" while it lives.
class TFormSetup {
public:
    TFormSetup()
    {
        TestUtil::WriteBytes(Folder.File("color.txt"), TestUtil::Sjis(ColorTxt));
        TestUtil::WriteBytes(Folder.File("header.txt"), "<PRE>\r\n");
        TestUtil::WriteBytes(Folder.File("footer.txt"), "</PRE>\r\n");
        TestUtil::WriteBytes(Folder.File("escape.txt"), "");
        Previous = Platform::SetMessageBoxHandler(
            [this](const std::string& caption, const std::string& text, Platform::TMessageIcon) {
                if (OnMessage)
                    OnMessage();
                Messages.push_back(caption + ": " + text);
            });
    }
    ~TFormSetup() { Platform::SetMessageBoxHandler(std::move(Previous)); }
    TFormSetup(const TFormSetup&) = delete;
    TFormSetup& operator=(const TFormSetup&) = delete;

    std::string File(const std::string& name) const
    {
        return TestUtil::ReadBytes(Folder.File(name));
    }

    TestUtil::TProgramFolder Folder{""};
    TFaultyFiles Faulty;
    TInstalledFiles Installed{Faulty};
    std::vector<std::string> Messages;
    // Runs as a message box is shown, before it is logged.
    std::function<void()> OnMessage;

private:
    Platform::TMessageBoxHandler Previous;
};

} // namespace FormTest
