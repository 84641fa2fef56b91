// Form1_test: the window's behaviour: language choice, item editing, samples, runs and closing.
#include "Windowfixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

using namespace WindowTest;
using TestUtil::ReadBytes;
using TestUtil::Sjis;
using TestUtil::WriteBytes;

namespace {
std::string File(const TestUtil::TTempDir& dir, const std::string& name)
{
    return ReadBytes(dir.File(name));
}
} // namespace

TEST_F(TWindowTest, StartsWithNothingChosenAndTheStoredTicks)
{
    Open();
    EXPECT_EQ(Form->cboLangType->currentIndex(), -1);
    EXPECT_EQ(Form->LangCode, "");
    EXPECT_TRUE(Form->txtInput->text().isEmpty());
    EXPECT_TRUE(Form->txtOutput->text().isEmpty());
    EXPECT_EQ(VisibleBox(), nullptr);
    EXPECT_EQ(Form->Label20->text(), Q(u"設定内容"));
    EXPECT_EQ(Form->SelectedIndex(), -1);
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(Tick(i), Item(i).Enabled) << i;
    EXPECT_EQ(Form->ColorBox1->currentData().toInt(), 0x000000);
    EXPECT_EQ(Form->ColorBox2->currentData().toInt(), 0xFFFFFF);
    // The tick boxes are left showing the last item shown at start-up.
    EXPECT_TRUE(Form->chkBold->isChecked());
    EXPECT_TRUE(Form->chkItalic->isChecked());
    EXPECT_FALSE(Form->Updating);
    EXPECT_TRUE(Messages.empty());
}

TEST_F(TWindowTest, ChoosingALanguageLoadsItsFilesAndKeepsBoxesOfMissingOnes)
{
    for (const char* ext : {"key", "ope", "sp1", "sp2", "sp3"})
        WriteBytes(Folder.File(std::string("bcb.") + ext), std::string("bcb-") + ext + "\r\n");
    WriteBytes(Folder.File("java.key"), "class\r\nint\r\n");
    Open();
    auto boxes = [&] {
        std::vector<std::string> texts;
        for (QPlainTextEdit* box : {Form->txtKeyList, Form->txtOpeList, Form->txtSp1List,
                                    Form->txtSp2List, Form->txtSp3List})
            texts.push_back(box->toPlainText().toStdString());
        return texts;
    };
    using V = std::vector<std::string>;
    const V bcb = {"bcb-key\n", "bcb-ope\n", "bcb-sp1\n", "bcb-sp2\n", "bcb-sp3\n"};
    const V java = {"class\nint\n", "bcb-ope\n", "bcb-sp1\n", "bcb-sp2\n", "bcb-sp3\n"};
    struct Step {
        const char16_t* Caption;
        bool EditKeyFirst; // unsaved typing in the key box, discarded by a reload
        const char* Code;
        V Boxes;
    };
    const Step steps[] = {
        {u"C++Builder", false, "bcb", bcb},
        {u"Java", false, "java", java},            // only java.key exists
        {u"Visual J++ 6.0", true, "java", java},   // same files again
        {u"Visual C# .NET 2003", true, "cs7", {"typed", "bcb-ope\n", "bcb-sp1\n", "bcb-sp2\n", "bcb-sp3\n"}},
        {u"その他", false, "txt", {"typed", "bcb-ope\n", "bcb-sp1\n", "bcb-sp2\n", "bcb-sp3\n"}},
    };
    for (const Step& step : steps) {
        if (step.EditKeyFirst)
            Form->txtKeyList->setPlainText("typed");
        ChooseLanguage(Q(step.Caption));
        EXPECT_EQ(Form->LangCode, step.Code);
        EXPECT_EQ(boxes(), step.Boxes) << step.Code;
    }
    EXPECT_EQ(VisibleBox(), nullptr) << "choosing a language shows no box";
    EXPECT_EQ(TForm1::LanguageCode("Cobol"), "txt");
    EXPECT_TRUE(Messages.empty());
}

TEST_F(TWindowTest, SelectingItemsShowsTheirBoxAndTitleAndChangesNothing)
{
    Open();
    const std::vector<std::string> before = Items();
    const std::string colorTxt = File(Folder, "color.txt");
    struct Row {
        int Index;
        QPlainTextEdit* TForm1::*Box;
        const char16_t* Title;
    };
    const Row rows[] = {
        {7, &TForm1::txtOpeList, u"演算子 一覧"}, {3, nullptr, u"設定内容"},
        {0, &TForm1::txtKeyList, u"予約語 一覧"}, {9, &TForm1::txtSp1List, u"強調１ 一覧"},
        {10, &TForm1::txtSp2List, u"強調２ 一覧"}, {11, &TForm1::txtSp3List, u"強調３ 一覧"},
        {6, nullptr, u"設定内容"}, {8, nullptr, u"設定内容"},
        {1, nullptr, u"設定内容"}, {2, nullptr, u"設定内容"},
    };
    for (const Row& row : rows) {
        Select(row.Index);
        EXPECT_EQ(Form->SelectedIndex(), row.Index);
        EXPECT_EQ(VisibleBox(), row.Box ? Form.get()->*row.Box : nullptr) << row.Index;
        EXPECT_EQ(Form->Label20->text(), Q(row.Title));
        const TColorSetting& item = Item(row.Index);
        EXPECT_EQ(Form->chkBold->isChecked(), item.Bold) << row.Index;
        EXPECT_EQ(Form->chkItalic->isChecked(), item.Italic) << row.Index;
        // Items 6 and 10 hold a colour that is none of the sixteen: no entry is selected.
        EXPECT_EQ(Form->ColorBox1->currentIndex() >= 0 ? Form->ColorBox1->currentData().toInt()
                                                       : -1,
                  row.Index == 6 ? -1 : item.Color)
            << row.Index;
        EXPECT_EQ(Form->ColorBox2->currentIndex() >= 0 ? Form->ColorBox2->currentData().toInt()
                                                       : -1,
                  row.Index == 10 ? -1 : item.BackColor)
            << row.Index;
        EXPECT_EQ(Items(), before) << "selecting item " << row.Index << " changed a style";
    }
    Form->CheckListBox1->clearSelection();
    EXPECT_EQ(VisibleBox(), nullptr);
    EXPECT_EQ(Form->Label20->text(), Q(u"設定内容"));
    EXPECT_EQ(Items(), before);
    EXPECT_EQ(File(Folder, "color.txt"), colorTxt) << "selecting reloads or writes nothing";
}

TEST_F(TWindowTest, EditingStoresTheItemAndRepaintsItsSampleAtOnce)
{
    Open();
    Select(2); // コメント: black on white, plain
    ChooseColor(Form->ColorBox1, u"緑");
    Form->chkItalic->setChecked(true);
    EXPECT_EQ(Item(2).Color, 0x008000);
    EXPECT_TRUE(Item(2).Italic);
    EXPECT_FALSE(Item(2).Bold);
    EXPECT_EQ(Sample(2)->palette().color(QPalette::WindowText), QColor(0, 0x80, 0));
    EXPECT_TRUE(Sample(2)->font().italic());
    EXPECT_FALSE(Sample(2)->font().bold());

    ChooseColor(Form->ColorBox2, u"黄色");
    Form->chkBold->setChecked(true);
    EXPECT_EQ(Item(2).BackColor, 0x00FFFF);
    EXPECT_TRUE(Item(2).Bold);
    EXPECT_EQ(Sample(2)->palette().color(QPalette::Window), QColor(0xFF, 0xFF, 0));
    EXPECT_TRUE(Sample(2)->font().bold());
    EXPECT_TRUE(Sample(2)->autoFillBackground());

    // Closed and opened again, the item shows what was set.
    Form->btnExit->click();
    Open();
    Select(2);
    EXPECT_EQ(Form->ColorBox1->currentText(), Q(u"緑"));
    EXPECT_EQ(Form->ColorBox2->currentText(), Q(u"黄色"));
    EXPECT_TRUE(Form->chkBold->isChecked());
    EXPECT_TRUE(Form->chkItalic->isChecked());
}

TEST_F(TWindowTest, AnUntickedItemShowsPlainBlackOnWhiteAndKeepsItsStyle)
{
    Open();
    Select(0); // 予約語: bold navy, ticked
    EXPECT_TRUE(Sample(0)->font().bold());
    UserTick(0, false);
    EXPECT_FALSE(Item(0).Enabled);
    EXPECT_EQ(Item(0).Color, 0x800000);
    EXPECT_TRUE(Item(0).Bold);
    EXPECT_EQ(Sample(0)->palette().color(QPalette::WindowText), QColor(Qt::black));
    EXPECT_EQ(Sample(0)->palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_FALSE(Sample(0)->font().bold());

    // A flag of a switched-off item is stored, but the sample stays plain.
    Form->chkItalic->setChecked(true);
    EXPECT_TRUE(Item(0).Italic);
    EXPECT_FALSE(Sample(0)->font().italic());

    UserTick(0, true);
    EXPECT_TRUE(Item(0).Enabled);
    EXPECT_EQ(Sample(0)->palette().color(QPalette::WindowText), QColor(0, 0, 0x80));
    EXPECT_TRUE(Sample(0)->font().bold());
    EXPECT_TRUE(Sample(0)->font().italic());

    // Items that start switched off are painted plain whatever they hold.
    EXPECT_EQ(Sample(6)->palette().color(QPalette::WindowText), QColor(Qt::black));
}

TEST_F(TWindowTest, NothingChangesWhileNoItemIsSelected)
{
    Open();
    const std::vector<std::string> before = Items();
    std::vector<QPalette> samples;
    for (int i = 0; i < 12; ++i)
        samples.push_back(Sample(i)->palette());
    ChooseColor(Form->ColorBox1, u"赤");
    ChooseColor(Form->ColorBox2, u"紺");
    Form->chkBold->setChecked(!Form->chkBold->isChecked());
    Form->chkItalic->setChecked(!Form->chkItalic->isChecked());
    EXPECT_EQ(Items(), before);
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(Sample(i)->palette(), samples[static_cast<size_t>(i)]) << i;
}

TEST_F(TWindowTest, TickingAnItemInTheListSelectsItFirst)
{
    Open();
    Select(0);
    const std::string item0 = TColorSettingList::FormatLine(Item(0));
    UserTick(4, true); // 文字: unticked, not selected
    EXPECT_EQ(Form->SelectedIndex(), 4);
    EXPECT_TRUE(Tick(4)) << "selecting must not undo the user's tick";
    EXPECT_TRUE(Item(4).Enabled);
    EXPECT_EQ(Sample(4)->palette().color(QPalette::WindowText), QColor(0x80, 0, 0));
    EXPECT_EQ(TColorSettingList::FormatLine(Item(0)), item0);
    EXPECT_EQ(Form->ColorBox1->currentData().toInt(), 0x000080) << "the controls show item 4";

    UserTick(4, false); // already selected
    EXPECT_FALSE(Item(4).Enabled);
    EXPECT_EQ(Form->SelectedIndex(), 4);
}

TEST_F(TWindowTest, AColourOutsideTheSixteenSurvivesEditsOfOtherFields)
{
    Open();
    Select(6); // 識別子: text 0x123456
    EXPECT_EQ(Form->ColorBox1->currentIndex(), -1);
    Form->chkBold->setChecked(true);
    UserTick(6, true);
    ChooseColor(Form->ColorBox2, u"黄色");
    EXPECT_EQ(Item(6).Color, 0x123456);
    EXPECT_TRUE(Item(6).Bold);
    EXPECT_TRUE(Item(6).Enabled);
    EXPECT_EQ(Item(6).BackColor, 0x00FFFF);
    EXPECT_EQ(Sample(6)->palette().color(QPalette::WindowText), QColor(0x56, 0x34, 0x12));

    Select(10); // background 0xABCDEF
    Form->chkItalic->setChecked(true);
    ChooseColor(Form->ColorBox1, u"赤");
    EXPECT_EQ(Item(10).BackColor, 0xABCDEF);
    EXPECT_EQ(Item(10).Color, 0x0000FF);

    Form->close();
    std::string colorTxt = File(Folder, "color.txt");
    EXPECT_NE(colorTxt.find(Sjis(u"識別子,idt,0x123456,0x00FFFF,1,0,1\r\n")), std::string::npos);
    EXPECT_NE(colorTxt.find(Sjis(u"強調２,em2,0x0000FF,0xABCDEF,1,1,1\r\n")), std::string::npos);
}

TEST_F(TWindowTest, ClosingWritesColorTxtButNoWordLists)
{
    Open();
    Select(0);
    ChooseColor(Form->ColorBox1, u"赤");
    Form->txtKeyList->setPlainText("lost");
    const std::string before = File(Folder, "color.txt");
    Form->btnExit->click();
    EXPECT_FALSE(Form->ColorList);
    EXPECT_FALSE(Form->SampleLabels);
    std::string after = File(Folder, "color.txt");
    std::string expected = before;
    std::string oldLine = Sjis(u"予約語,res,0x800000");
    expected.replace(expected.find(oldLine), oldLine.size(), Sjis(u"予約語,res,0x0000FF"));
    EXPECT_EQ(after, expected);
    EXPECT_FALSE(TestUtil::Exists(Folder.File(".key")));
    Form.reset(); // a second close must not write again
    EXPECT_EQ(File(Folder, "color.txt"), after);
}

TEST_F(TWindowTest, RunWithoutALanguageSavesDotFilesAndWritesPlainText)
{
    TestUtil::TTempDir work;
    WriteBytes(work.File("in.c"), "int main; // x\r\n\tif\r\n");
    Open();
    Form->txtInput->setText(QString::fromStdString(work.File("in.c")));
    Form->txtOutput->setText(QString::fromStdString(work.File("out.html")));
    Form->btnOK->click();
    EXPECT_TRUE(Messages.empty()) << Messages.front();
    for (const char* name : {".key", ".ope", ".sp1", ".sp2", ".sp3"}) {
        ASSERT_TRUE(TestUtil::Exists(Folder.File(name))) << name;
        EXPECT_EQ(File(Folder, name), "");
    }
    // The plain reader marks nothing up; the tab goes to the next stop of four.
    EXPECT_EQ(File(work, "out.html"), "<PRE>\r\nint main; // x\r\n    if\r\n</PRE>\r\n");
    std::string css = File(work, "design.css");
    EXPECT_EQ(css.substr(0, css.find("\r\n")), TForm1Core::PreRule());
    EXPECT_NE(css.find("PRE SPAN.res{color:#000080;font-weight:bold;} /* " + Sjis(u"予約語") + " */"),
              std::string::npos);
    EXPECT_EQ(css.find("SPAN.idt"), std::string::npos) << "switched-off items get no rule";
    EXPECT_TRUE(Form->btnOK->isEnabled());
    EXPECT_TRUE(Form->btnExit->isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(TWindowTest, ARunSavesTheWordListsEvenWhenTheFileCheckFails)
{
    TestUtil::TTempDir work;
    WriteBytes(work.File("out.html"), "keep");
    Open();
    ChooseLanguage(Q(u"Visual C# .NET 2003"));
    const char* texts[] = {"abstract\nas", "+\n-", "Console", ""};
    QPlainTextEdit* boxes[] = {Form->txtKeyList, Form->txtOpeList, Form->txtSp1List,
                               Form->txtSp2List, Form->txtSp3List};
    boxes[4]->setPlainText(Q(u"日本語\n"));
    for (int k = 0; k < 4; ++k)
        boxes[k]->setPlainText(QString::fromUtf8(texts[k]));

    struct Case {
        std::string Input;
        const char* Message; // nullptr: no message
    };
    const Case cases[] = {{"", nullptr}, {work.File("missing.c"), "エラー: ファイルが見つかりません"}};
    for (const Case& c : cases) {
        Messages.clear();
        Form->txtInput->setText(QString::fromStdString(c.Input));
        Form->txtOutput->setText(QString::fromStdString(work.File("out.html")));
        Form->btnOK->click();
        EXPECT_EQ(File(Folder, "cs7.key"), "abstract\r\nas\r\n");
        EXPECT_EQ(File(Folder, "cs7.ope"), "+\r\n-\r\n");
        EXPECT_EQ(File(Folder, "cs7.sp1"), "Console\r\n");
        EXPECT_EQ(File(Folder, "cs7.sp2"), "");
        EXPECT_EQ(File(Folder, "cs7.sp3"), Sjis(u"日本語\r\n"));
        EXPECT_EQ(Messages, c.Message ? std::vector<std::string>{c.Message}
                                      : std::vector<std::string>{});
        EXPECT_EQ(File(work, "out.html"), "keep");
        EXPECT_FALSE(TestUtil::Exists(work.File("design.css")));
        EXPECT_TRUE(Form->btnOK->isEnabled());
    }
}

TEST_F(TWindowTest, WordListsGoBackLineForLine)
{
    // A trailing empty line, Japanese text and a byte the code page does not define.
    const std::string key = "int\r\n\r\n" + Sjis(u"変数") + "\x80\r\n\r\n";
    WriteBytes(Folder.File("bcb.key"), key);
    WriteBytes(Folder.File("bcb.ope"), "");
    WriteBytes(Folder.File("bcb.sp1"), "a\nb\rc"); // other line ends come back as CR LF
    Open();
    ChooseLanguage("C++Builder");
    Form->btnOK->click();
    EXPECT_EQ(File(Folder, "bcb.key"), key);
    EXPECT_EQ(File(Folder, "bcb.ope"), "");
    EXPECT_EQ(File(Folder, "bcb.sp1"), "a\r\nb\r\nc\r\n");
}

TEST_F(TWindowTest, AFailedRunIsReportedAndTheWindowStaysUsable)
{
    Open();
    ChooseLanguage("Java");
    Form->txtKeyList->setPlainText("class");
    Faulty.FailNextWrite(0);
    Form->btnOK->click();
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0].rfind("エラー: ", 0), 0u) << Messages[0];
    EXPECT_NE(Messages[0].find("java.key"), std::string::npos) << Messages[0];
    EXPECT_TRUE(Form->btnOK->isEnabled());
    EXPECT_TRUE(Form->btnExit->isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // The next run goes through.
    Faulty.ClearWriteFault();
    Messages.clear();
    Form->btnOK->click();
    EXPECT_TRUE(Messages.empty());
    EXPECT_TRUE(TestUtil::Exists(Folder.File("java.sp3")));
}

TEST_F(TWindowTest, BrowseButtonsAskTheDialogAndKeepTheLastName)
{
    Open();
    std::vector<TFileDialogRequest> asked;
    std::vector<QString> answers = {"/tmp/a.c", "", "/tmp/out.html", ""};
    size_t call = 0;
    Form->SetFileDialogFunction([&](QWidget*, TFileDialogRequest& request) {
        asked.push_back(request);
        QString answer = answers[call++];
        if (answer.isEmpty())
            return false; // cancelled
        request.FileName = answer;
        return true;
    });
    Form->SpeedButton1->click();
    EXPECT_EQ(Form->txtInput->text(), "/tmp/a.c");
    Form->SpeedButton1->click();
    EXPECT_EQ(Form->txtInput->text(), "/tmp/a.c") << "cancel changes nothing";
    Form->txtOutput->setText("typed");
    Form->SpeedButton2->click();
    EXPECT_EQ(Form->txtOutput->text(), "/tmp/out.html");
    Form->SpeedButton2->click();
    EXPECT_EQ(Form->txtOutput->text(), "/tmp/out.html");

    ASSERT_EQ(asked.size(), 4u);
    for (size_t k : {0u, 1u}) {
        EXPECT_FALSE(asked[k].Save);
        EXPECT_EQ(asked[k].Filter, "*.*");
        EXPECT_TRUE(asked[k].MustExist);
        EXPECT_FALSE(asked[k].FolderMustExist);
        EXPECT_FALSE(asked[k].Options.testFlag(QFileDialog::DontConfirmOverwrite));
    }
    for (size_t k : {2u, 3u}) {
        EXPECT_TRUE(asked[k].Save);
        EXPECT_EQ(asked[k].Filter, "*.html");
        EXPECT_FALSE(asked[k].MustExist);
        EXPECT_TRUE(asked[k].FolderMustExist);
        EXPECT_TRUE(asked[k].Options.testFlag(QFileDialog::DontConfirmOverwrite));
    }
    EXPECT_EQ(asked[0].FileName, "");
    EXPECT_EQ(asked[1].FileName, "/tmp/a.c");
    EXPECT_EQ(asked[2].FileName, "");
    EXPECT_EQ(asked[3].FileName, "/tmp/out.html");
}

TEST_F(TWindowTest, TheDefaultDialogsAskAsSetAndRefuseAMissingFolder)
{
    TestUtil::TTempDir work;
    WriteBytes(work.File("in.c"), "x");
    struct Case {
        const char* What;
        void (TForm1::*Click)();
        QFileDialog::AcceptMode Mode;
        QFileDialog::FileMode Files;
        const char* Filter;
        bool ConfirmOverwrite;
        std::string Refused; // typed first; the dialog must stay open
        std::string Chosen;  // typed next and accepted
        QLineEdit* TForm1::*Box;
    };
    const Case cases[] = {
        {"open", &TForm1::SpeedButton1Click, QFileDialog::AcceptOpen, QFileDialog::ExistingFile,
         "*.*", true, "", work.File("in.c"), &TForm1::txtInput},
        {"save", &TForm1::SpeedButton2Click, QFileDialog::AcceptSave, QFileDialog::AnyFile,
         "*.html", false, work.File("no-such-folder/out.html"), work.File("in.c"),
         &TForm1::txtOutput},
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
            EXPECT_EQ(dialog->nameFilters(), QStringList{c.Filter}) << c.What;
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
        (Form.get()->*c.Click)();
        EXPECT_TRUE(seen) << c.What;
        EXPECT_TRUE(refused) << c.What;
        EXPECT_EQ((Form.get()->*c.Box)->text().toStdString(), c.Chosen) << c.What;
    }
    EXPECT_TRUE(Messages.empty());
}
