// Form1_test: the handlers reached through the real widgets: the language list, the check list's
// ticks, colour boxes without an entry, word-list boxes, a run, closing and the file dialogs.
#include "Windowfixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

using namespace WindowTest;
using TestUtil::ReadBytes;
using TestUtil::Sjis;
using TestUtil::WriteBytes;

TEST_F(TWindowTest, ChoosingALanguageInTheListLoadsItsFiles)
{
    WriteBytes(Setup.Folder.File("bcb.key"), "bcb-key\r\n");
    WriteBytes(Setup.Folder.File("java.ope"), "+\r\n");
    Open();
    EXPECT_EQ(Window->cboLangType->currentIndex(), -1);
    ChooseLanguage("C++Builder");
    EXPECT_EQ(Window->Form->LangCode, "bcb");
    ChooseLanguage("Visual J++ 6.0");
    EXPECT_EQ(Window->Form->LangCode, "java");
    EXPECT_EQ(Window->WordListBoxes[0]->toPlainText(), "bcb-key\n");
    EXPECT_EQ(Window->WordListBoxes[1]->toPlainText(), "+\n");
    // A program change of the list is no choice of the user's.
    Window->cboLangType->setCurrentIndex(0);
    EXPECT_EQ(Window->Form->LangCode, "java");
}

TEST_F(TWindowTest, SelectingAnItemShowsItsBoxAndNoEntryForAColourOutsideTheSixteen)
{
    Open();
    Select(6); // 識別子: text 0x123456
    EXPECT_EQ(Window->ColorBox1->currentIndex(), -1);
    Window->chkBold->setChecked(true);
    EXPECT_EQ(Item(6).Color, 0x123456);
    EXPECT_TRUE(Item(6).Bold);
    Select(7);
    EXPECT_FALSE(Window->WordListBoxes[1]->isHidden());
    EXPECT_EQ(Window->Label20->text(), Q(u"演算子 一覧"));
    EXPECT_EQ(Window->ColorBox1->currentData().toInt(), 0x0000FF);
    Window->CheckListBox1->clearSelection();
    EXPECT_TRUE(Window->WordListBoxes[1]->isHidden());
    EXPECT_EQ(Window->Label20->text(), Q(u"設定内容"));
}

TEST_F(TWindowTest, EditingRepaintsTheSampleLabel)
{
    Open();
    Select(2); // コメント: black on white, plain
    ChooseColor(Window->ColorBox1, u"緑");
    ChooseColor(Window->ColorBox2, u"黄色");
    Window->chkItalic->setChecked(true);
    EXPECT_EQ(Sample(2)->palette().color(QPalette::WindowText), QColor(0, 0x80, 0));
    EXPECT_EQ(Sample(2)->palette().color(QPalette::Window), QColor(0xFF, 0xFF, 0));
    EXPECT_TRUE(Sample(2)->font().italic());
    EXPECT_FALSE(Sample(2)->font().bold());
    EXPECT_TRUE(Sample(2)->autoFillBackground());
    UserTick(2, false);
    EXPECT_EQ(Sample(2)->palette().color(QPalette::WindowText), QColor(Qt::black));
    EXPECT_FALSE(Sample(2)->font().italic());
}

TEST_F(TWindowTest, TickingAnItemInTheListSelectsItFirst)
{
    Open();
    Select(0);
    const std::string item0 = ColorFields::FormatLine(Item(0));
    UserTick(4, true); // 文字: unticked, not selected
    EXPECT_EQ(SelectedIndex(), 4);
    EXPECT_TRUE(Tick(4)) << "selecting must not undo the user's tick";
    EXPECT_TRUE(Item(4).Enabled);
    EXPECT_EQ(ColorFields::FormatLine(Item(0)), item0);
    EXPECT_EQ(Window->ColorBox1->currentData().toInt(), 0x000080) << "the controls show item 4";

    UserTick(4, false); // already selected
    EXPECT_FALSE(Item(4).Enabled);
    EXPECT_EQ(SelectedIndex(), 4);
}

TEST_F(TWindowTest, ClosingTheWindowWritesColorTxt)
{
    Open();
    Select(0);
    ChooseColor(Window->ColorBox1, u"赤");
    Window->close();
    EXPECT_FALSE(Window->Form->ColorList);
    EXPECT_NE(Setup.File("color.txt").find(Sjis(u"予約語,res,0x0000FF")), std::string::npos);
    Open();
    Select(0);
    Window->btnExit->click();
    EXPECT_FALSE(Window->Form->ColorList);
}

TEST_F(TWindowTest, ARunFromTheButtonWritesTheOutputAndRestoresTheWindow)
{
    TestUtil::TTempDir work;
    WriteBytes(work.File("in.c"), "int main; // x\r\n\tif\r\n");
    Open();
    Window->txtInput->setText(QString::fromStdString(work.File("in.c")));
    Window->txtOutput->setText(QString::fromStdString(work.File("out.html")));
    Window->btnOK->click();
    EXPECT_TRUE(Setup.Messages.empty()) << Setup.Messages.front();
    EXPECT_EQ(ReadBytes(work.File("out.html")), "<PRE>\r\nint main; // x\r\n    if\r\n</PRE>\r\n");
    EXPECT_TRUE(TestUtil::Exists(Setup.Folder.File(".key")));
    EXPECT_TRUE(Window->btnOK->isEnabled());
    EXPECT_TRUE(Window->btnExit->isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(TWindowTest, WordListsGoBackLineForLine)
{
    // A trailing empty line, Japanese text and a byte the code page does not define.
    const std::string key = "int\r\n\r\n" + Sjis(u"変数") + "\x80\r\n\r\n";
    WriteBytes(Setup.Folder.File("bcb.key"), key);
    WriteBytes(Setup.Folder.File("bcb.ope"), "");
    WriteBytes(Setup.Folder.File("bcb.sp1"), "a\nb\rc"); // other line ends come back as CR LF
    Open();
    ChooseLanguage("C++Builder");
    Window->btnOK->click();
    EXPECT_EQ(Setup.File("bcb.key"), key);
    EXPECT_EQ(Setup.File("bcb.ope"), "");
    EXPECT_EQ(Setup.File("bcb.sp1"), "a\r\nb\r\nc\r\n");
}

TEST_F(TWindowTest, TheDialogsAskAsSetAndRefuseAMissingFolder)
{
    TestUtil::TTempDir work;
    WriteBytes(work.File("in.c"), "x");
    struct Case {
        const char* What;
        QToolButton* TQtWindow::*Button;
        QFileDialog::AcceptMode Mode;
        QFileDialog::FileMode Files;
        const char* Filter;
        bool ConfirmOverwrite;
        std::string Refused; // typed first; the dialog must stay open
        std::string Chosen;  // typed next and accepted
        QLineEdit* TQtWindow::*Box;
    };
    const Case cases[] = {
        {"open", &TQtWindow::SpeedButton1, QFileDialog::AcceptOpen, QFileDialog::ExistingFile,
         "*.*", true, "", work.File("in.c"), &TQtWindow::txtInput},
        {"save", &TQtWindow::SpeedButton2, QFileDialog::AcceptSave, QFileDialog::AnyFile, "*.html",
         false, work.File("no-such-folder/out.html"), work.File("in.c"), &TQtWindow::txtOutput},
    };
    Open();
    for (const Case& c : cases) {
        bool seen = false, refused = true;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr)
                return;
            seen = true;
            EXPECT_EQ(dialog->acceptMode(), c.Mode) << c.What;
            EXPECT_EQ(dialog->fileMode(), c.Files) << c.What;
            auto* filter = dialog->findChild<QComboBox*>("fileTypeCombo");
            ASSERT_NE(filter, nullptr);
            EXPECT_EQ(filter->currentText(), c.Filter) << c.What << ": the filter as written";
            EXPECT_FALSE(dialog->isSizeGripEnabled()) << c.What;
            EXPECT_EQ(dialog->minimumSize(), dialog->maximumSize()) << c.What << " can be resized";
            EXPECT_EQ(!dialog->testOption(QFileDialog::DontConfirmOverwrite), c.ConfirmOverwrite);
            auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
            ASSERT_NE(name, nullptr);
            if (!c.Refused.empty()) {
                name->setText(QString::fromStdString(c.Refused));
                static_cast<QDialog*>(dialog)->accept();
                refused = dialog->isVisible();
            }
            // An existing file is taken without a question in the save dialog too.
            name->setText(QString::fromStdString(c.Chosen));
            static_cast<QDialog*>(dialog)->accept();
            if (dialog->isVisible())
                dialog->reject();
        });
        Setup.Messages.clear();
        (Window.get()->*c.Button)->click();
        EXPECT_TRUE(seen) << c.What;
        EXPECT_TRUE(refused) << c.What;
        EXPECT_EQ((Window.get()->*c.Box)->text().toStdString(), c.Chosen) << c.What;
        // A refused name is not refused in silence.
        std::vector<std::string> said;
        if (!c.Refused.empty())
            said.push_back("エラー: 保存先のフォルダがありません: " + work.File("no-such-folder"));
        EXPECT_EQ(Setup.Messages, said) << c.What;
    }
}

TEST_F(TWindowTest, TheOpenDialogListsEveryFileAndSpeaksJapanese)
{
    TestUtil::TTempDir work;
    for (const char* name : {"Makefile", "README", "a.c"})
        WriteBytes(work.File(name), "x");
    Open();
    Window->Controls.OpenDialog1->FileName =
        QString::fromStdString(work.File("a.c")).toStdU16String();
    QStringList listed;
    QString cancel;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr)
            return;
        if (auto* buttons = dialog->findChild<QDialogButtonBox*>("buttonBox"))
            cancel = buttons->button(QDialogButtonBox::Cancel)->text();
        auto* model = dialog->findChild<QFileSystemModel*>();
        if (model != nullptr) {
            QModelIndex folder = model->index(QString::fromStdString(work.Path()));
            QElapsedTimer waited;
            waited.start();
            while (model->rowCount(folder) < 3 && waited.elapsed() < 5000)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
            for (int row = 0; row < model->rowCount(folder); ++row)
                listed << model->index(row, 0, folder).data().toString();
        }
        dialog->reject();
    });
    Window->SpeedButton1->click();
    listed.sort();
    EXPECT_EQ(listed, (QStringList{"Makefile", "README", "a.c"}));
    EXPECT_EQ(cancel, Q(u"キャンセル"));
}
