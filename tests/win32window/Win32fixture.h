// Win32fixture: the Windows window made and shown in a fresh program folder, and the user's acts
// as the messages that Windows controls send and receive.
#pragma once

#include "Testutil.h"
#include "ui/Win32window.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace Win32Test {

// Handles the messages waiting, through the dialog keys as the program's loop does.
void Pump(HWND window);

std::u16string TextOf(HWND control);
std::string ClassOf(HWND control);
// The control's place in the window's client area.
RECT PlaceOf(HWND control);

// Runs act; while it waits in a modal window of this thread (a message box or a file dialog),
// calls answer with that window's handle once, which must close it.
void WithModal(const std::function<void()>& act, const std::function<void(HWND)>& answer);

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    HWND Get(const char* name) const;
    // The object behind a control, for reading back its state.
    template <typename T> T& Control(const char* name) const
    {
        return dynamic_cast<T&>(*TWin32Control::Of(Get(name)));
    }
    // The user's acts.
    void ClickTick(int index);
    void ClickCaption(int index);
    void PressKey(const char* name, WPARAM key);
    void Choose(const char* comboName, int index);
    void Click(const char* buttonName);
    void TypeInto(const char* name, const std::u16string& text);
    void CloseWindow();

    TestUtil::TProgramFolder Folder;
    std::unique_ptr<TestUtil::TMessageLog> Messages;
    std::unique_ptr<TWin32Window> Window;
};

} // namespace Win32Test
