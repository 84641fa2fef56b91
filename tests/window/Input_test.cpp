// Input_test: the window by keyboard and wheel: the tab order through a word-list box, Enter on
// the buttons, the focus after a run, the wheel over drop-downs without the focus, the browse
// buttons' keys.
#include "Windowfixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QWheelEvent>

#include <QtTest/QTest>

#include <optional>

using namespace WindowTest;
using TestUtil::WriteBytes;

namespace {

class TInputTest : public TWindowTest {
protected:
    // The window shown and active, so that it has a focus to move.
    void OpenActive()
    {
        Open();
        Window->show();
        Window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Window.get()));
    }
    QWidget* Focus() const { return QApplication::focusWidget(); }
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(Focus(), static_cast<Qt::Key>(key), modifiers);
    }
    static void Wheel(QWidget* widget, int steps)
    {
        QPointF at(widget->width() / 2.0, widget->height() / 2.0);
        QWheelEvent event(at, widget->mapToGlobal(at), QPoint(), QPoint(0, -120 * steps),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(widget, &event);
    }
    std::string Name(QWidget* widget) const
    {
        return widget ? widget->objectName().toStdString() : "(none)";
    }
};

} // namespace

TEST_F(TInputTest, TabRunsThroughEveryControlAndOutOfAWordListBoxWithoutTyping)
{
    WriteBytes(Setup.Folder.File("bcb.key"), "asm\r\n");
    OpenActive();
    ChooseLanguage("C++Builder");
    Select(0); // shows the reserved-word box
    QPlainTextEdit* box = Window->WordListBoxes[0];
    ASSERT_FALSE(box->isHidden());
    const std::vector<QWidget*> order = {
        Window->cboLangType,   Window->txtInput,  Window->txtOutput,
        Window->CheckListBox1, Window->ColorBox1, Window->chkBold,
        Window->chkItalic,     Window->ColorBox2, box,
        Window->btnOK,         Window->btnExit};
    struct Way {
        const char* What;
        int Key;
        Qt::KeyboardModifiers Modifiers;
        bool Forward;
    };
    const Way ways[] = {
        {"Tab", Qt::Key_Tab, Qt::NoModifier, true},
        {"Shift+Tab", Qt::Key_Backtab, Qt::ShiftModifier, false},
    };
    const size_t n = order.size();
    for (const Way& way : ways) {
        Window->cboLangType->setFocus();
        for (size_t step = 1; step <= n; ++step) {
            Key(way.Key, way.Modifiers);
            QWidget* expected = order[way.Forward ? step % n : (n - step) % n];
            ASSERT_EQ(Focus(), expected) << way.What << ", step " << step << ": on "
                                         << Name(Focus()) << ", not " << Name(expected);
        }
    }
    // With Ctrl held too, the box is left rather than given a tab.
    for (const Way& way : ways) {
        box->setFocus();
        Key(way.Key, way.Modifiers | Qt::ControlModifier);
        EXPECT_EQ(Focus(), way.Forward ? static_cast<QWidget*>(Window->btnOK) : Window->ColorBox2)
            << "Ctrl+" << way.What;
    }
    EXPECT_EQ(box->toPlainText(), "asm\n") << "no tab reached the box";
    Window->btnOK->click();
    EXPECT_EQ(Setup.File("bcb.key"), "asm\r\n") << "nor the file";
}

TEST_F(TInputTest, EnterAndSpacePressAFocusedButton)
{
    TestUtil::TTempDir work;
    WriteBytes(work.File("in.c"), "x\r\n");
    struct Case {
        const char* What;
        int Key;
    };
    const Case cases[] = {
        {"Return", Qt::Key_Return}, {"Enter", Qt::Key_Enter}, {"Space", Qt::Key_Space}};
    for (const Case& c : cases) {
        std::string output = work.File(std::string(c.What) + ".html");
        OpenActive();
        Window->txtInput->setText(QString::fromStdString(work.File("in.c")));
        Window->txtOutput->setText(QString::fromStdString(output));
        Window->btnOK->setFocus();
        Key(c.Key);
        EXPECT_TRUE(TestUtil::Exists(output)) << c.What << " on 実行 ran nothing";
        Window->btnExit->setFocus();
        Key(c.Key);
        EXPECT_FALSE(Window->Form->ColorList) << c.What << " on 終了 did not close";
        EXPECT_FALSE(Window->isVisible()) << c.What;
    }
    EXPECT_TRUE(Setup.Messages.empty());
}

TEST_F(TInputTest, TheFocusStaysWhereItWasAfterARun)
{
    TestUtil::TTempDir work;
    WriteBytes(work.File("in.c"), "x\r\n");
    struct Case {
        const char* What;
        std::string Input;
        size_t Messages;
    };
    const Case cases[] = {{"a run that converts", work.File("in.c"), 0},
                          {"a run whose file check fails", work.File("missing.c"), 1}};
    OpenActive();
    ChooseLanguage("Java");
    Window->txtOutput->setText(QString::fromStdString(work.File("out.html")));
    for (const Case& c : cases) {
        Setup.Messages.clear();
        Window->txtInput->setText(QString::fromStdString(c.Input));
        Window->btnOK->setFocus();
        Key(Qt::Key_Space);
        EXPECT_EQ(Setup.Messages.size(), c.Messages) << c.What;
        EXPECT_EQ(Focus(), Window->btnOK) << c.What << ": the focus went to " << Name(Focus());
        // The next key goes to the button, not to the language list.
        Key(Qt::Key_Down);
        EXPECT_EQ(Window->Form->LangCode, "java") << c.What;
    }
}

TEST_F(TInputTest, TheSignsOfARunAreDrawnWhileItRuns)
{
    TestUtil::TTempDir work;
    WriteBytes(work.File("in.c"), "x\r\n");
    OpenActive();
    Window->txtInput->setText(QString::fromStdString(work.File("in.c")));
    Window->txtOutput->setText(QString::fromStdString(work.File("out.html")));
    struct TPaints : QObject {
        int Disabled = 0;
        bool eventFilter(QObject* watched, QEvent* event) override
        {
            if (event->type() == QEvent::Paint && !static_cast<QWidget*>(watched)->isEnabled())
                ++Disabled;
            return false;
        }
    } ok, exit;
    Window->btnOK->installEventFilter(&ok);
    Window->btnExit->installEventFilter(&exit);
    Window->btnOK->click();
    EXPECT_GE(ok.Disabled, 1) << "実行 was never drawn disabled";
    EXPECT_GE(exit.Disabled, 1) << "終了 was never drawn disabled";
    Window->btnOK->removeEventFilter(&ok);
    Window->btnExit->removeEventFilter(&exit);
}

TEST_F(TInputTest, KeysAndClicksDuringARunAreDroppedNotPlayedIntoTheWindow)
{
    WriteBytes(Setup.Folder.File("bcb.key"), "asm\r\n");
    OpenActive();
    ChooseLanguage("C++Builder");
    Select(0);
    QPlainTextEdit* box = Window->WordListBoxes[0];
    box->setFocus();
    // While the run shows its signs, the user types into the list and clicks 終了.
    struct TTyping : QObject {
        QPlainTextEdit* Box;
        QPushButton* Exit;
        bool Done = false;
        bool eventFilter(QObject* watched, QEvent* event) override
        {
            if (event->type() != QEvent::Paint || static_cast<QWidget*>(watched)->isEnabled() ||
                Done)
                return false;
            Done = true;
            for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease})
                QCoreApplication::postEvent(
                    Box, new QKeyEvent(type, Qt::Key_X, Qt::NoModifier, QStringLiteral("x")));
            const QPointF at(Exit->width() / 2.0, Exit->height() / 2.0);
            for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
                QCoreApplication::postEvent(Exit, new QMouseEvent(type, at, Exit->mapToGlobal(at),
                                                                  Qt::LeftButton, Qt::LeftButton,
                                                                  Qt::NoModifier));
            return false;
        }
    } typing;
    typing.Box = box;
    typing.Exit = Window->btnExit;
    Window->btnOK->installEventFilter(&typing);
    Window->btnOK->click();
    Window->btnOK->removeEventFilter(&typing);
    QCoreApplication::processEvents();
    ASSERT_TRUE(typing.Done);
    EXPECT_EQ(box->toPlainText(), "asm\n");
    EXPECT_TRUE(Window->isVisible()) << "the click on 終了 was played after the run";
    EXPECT_EQ(Focus(), box);
    // The window takes keys again once the run is over.
    Key(Qt::Key_Y);
    EXPECT_EQ(box->toPlainText(), "yasm\n");
}

TEST_F(TInputTest, TheFirstArrowInTheCheckListSelectsTheFirstItem)
{
    const struct {
        const char* What;
        int Key;
    } arrows[] = {{"Down", Qt::Key_Down}, {"Up", Qt::Key_Up}};
    for (const auto& arrow : arrows) {
        OpenActive();
        Window->CheckListBox1->setFocus();
        ASSERT_EQ(SelectedIndex(), -1);
        Key(arrow.Key);
        EXPECT_EQ(SelectedIndex(), 0) << arrow.What;
        EXPECT_FALSE(Window->WordListBoxes[0]->isHidden()) << arrow.What << ": 予約語's list shows";
        Key(Qt::Key_Down);
        EXPECT_EQ(SelectedIndex(), 1) << arrow.What << ", then Down";
        Window.reset();
    }
}

TEST_F(TInputTest, TheWheelChangesADropDownOnlyWhenItHasTheFocus)
{
    WriteBytes(Setup.Folder.File("java.key"), "class\r\n");
    WriteBytes(Setup.Folder.File("del.key"), "begin\r\n");
    OpenActive();
    ChooseLanguage("Delphi");
    Select(2);
    const std::string items = ColorFields::FormatLine(Item(2));
    Window->txtInput->setFocus();
    for (QComboBox* box : {Window->cboLangType, Window->ColorBox1, Window->ColorBox2}) {
        int before = box->currentIndex();
        Wheel(box, 1);
        Wheel(box, -1);
        Wheel(box, 1);
        EXPECT_EQ(box->currentIndex(), before) << Name(box);
        EXPECT_EQ(Focus(), Window->txtInput) << "the wheel took the focus to " << Name(Focus());
    }
    EXPECT_EQ(Window->Form->LangCode, "del");
    EXPECT_EQ(ColorFields::FormatLine(Item(2)), items);

    // With the focus, the wheel chooses as the keyboard does.
    Window->ColorBox1->setFocus();
    Wheel(Window->ColorBox1, 1);
    EXPECT_NE(ColorFields::FormatLine(Item(2)), items);
    Window->cboLangType->setFocus();
    Wheel(Window->cboLangType, 1); // Delphi -> Java
    EXPECT_EQ(Window->Form->LangCode, "java");
    EXPECT_EQ(Window->WordListBoxes[0]->toPlainText(), "class\n");
}

TEST_F(TInputTest, TheBrowseButtonsAreFlatEdgedFindableAndOpenTheirDialogFromTheBox)
{
    OpenActive();
    struct Case {
        QToolButton* Button;
        QLineEdit* Box;
        QFileDialog::AcceptMode Mode;
    };
    const Case cases[] = {{Window->SpeedButton1, Window->txtInput, QFileDialog::AcceptOpen},
                          {Window->SpeedButton2, Window->txtOutput, QFileDialog::AcceptSave}};
    for (const Case& c : cases) {
        const std::string name = Name(c.Button);
        EXPECT_TRUE(c.Button->autoRaise()) << name << " is not flat";
        EXPECT_TRUE(c.Button->text().isEmpty()) << name;
        EXPECT_TRUE(c.Button->icon().isNull()) << name;
        EXPECT_EQ(c.Button->toolTip(), Q(u"ファイルを選択... (F4)")) << name;
        // Its edge shows without the mouse over it: the border differs from the face.
        QImage look = c.Button->grab().toImage();
        EXPECT_NE(look.pixel(0, look.height() / 2), look.pixel(look.width() / 2, look.height() / 2))
            << name << " has no visible edge";
        EXPECT_EQ(c.Button->focusPolicy(), Qt::NoFocus) << name << " joined the tab order";
        EXPECT_EQ(c.Button->mapTo(Window.get(), QPoint(c.Button->width(), 0)).x(),
                  c.Box->parentWidget()->geometry().right() - 1)
            << name << " is not at the right end of its box";
        {
            // Keys reach the window again once the last dialog has given it back.
            Window->activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(Window.get()));
            std::optional<QFileDialog::AcceptMode> seen;
            QTimer::singleShot(0, [&] {
                if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                    seen = dialog->acceptMode();
                    dialog->reject();
                }
            });
            c.Box->setFocus();
            QTest::keyClick(c.Box, Qt::Key_F4);
            EXPECT_EQ(seen, c.Mode) << name << ": F4 in the box";
        }
    }
}
