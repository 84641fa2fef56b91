// Window_test: the window's controls, layout, fonts, colour boxes, message box and start-up checks.
#include "Windowfixture.h"
#include "lexers/Languagetable.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRawFont>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTimer>
#include <QToolButton>
#include <QtTest/QTest>

#include <cstdlib>
#include <optional>

using namespace WindowTest;

namespace {

struct TControl {
    const char* Name;
    const char* Class;
    const char16_t* Caption; // nullptr: not checked
};

const TControl Controls[] = {
    {"Label1", "QLabel", u"言語タイプ"},
    {"cboLangType", "QComboBox", nullptr},
    {"Label2", "QLabel", u"入力ファイル名"},
    {"txtInput", "QLineEdit", nullptr},
    {"SpeedButton1", "QToolButton", u""},
    {"Label3", "QLabel", u"出力ファイル名"},
    {"txtOutput", "QLineEdit", nullptr},
    {"SpeedButton2", "QToolButton", u""},
    {"Label4", "QLabel", u"表示項目"},
    {"CheckListBox1", "QListWidget", nullptr},
    {"Label5", "QLabel", u"前景アイテム"},
    {"ColorBox1", "QComboBox", nullptr},
    {"chkBold", "QCheckBox", u"太字"},
    {"chkItalic", "QCheckBox", u"斜体"},
    {"Label6", "QLabel", u"背景アイテム"},
    {"ColorBox2", "QComboBox", nullptr},
    {"Label16", "QLabel", u"表示サンプル"},
    {"Panel2", "QFrame", nullptr},
    {"Label7", "QLabel", u"予約語"},
    {"Label8", "QLabel", u"ディレクティブ"},
    {"Label9", "QLabel", u"コメント"},
    {"Label10", "QLabel", u"文字列"},
    {"Label11", "QLabel", u"文字"},
    {"Label12", "QLabel", u"数字"},
    {"Label13", "QLabel", u"識別子"},
    {"Label14", "QLabel", u"演算子"},
    {"Label15", "QLabel", u"区切り記号"},
    {"Label17", "QLabel", u"強調１"},
    {"Label18", "QLabel", u"強調２"},
    {"Label19", "QLabel", u"強調３"},
    {"Label20", "QLabel", u"設定内容"},
    {"pnlDummy", "QFrame", nullptr},
    {"txtKeyList", "QPlainTextEdit", nullptr},
    {"txtOpeList", "QPlainTextEdit", nullptr},
    {"txtSp1List", "QPlainTextEdit", nullptr},
    {"txtSp2List", "QPlainTextEdit", nullptr},
    {"txtSp3List", "QPlainTextEdit", nullptr},
    {"btnOK", "QPushButton", u"実行"},
    {"btnExit", "QPushButton", u"終了"},
};

QString Caption(QWidget* w)
{
    if (auto* label = qobject_cast<QLabel*>(w))
        return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        return button->text();
    return {};
}

// What a screen reader says a control is called: its own name, and the names of the labels it is
// labelled by (on Linux a drop-down's own name is its current entry).
QStringList SpokenNames(QWidget* w)
{
    QStringList names;
    QAccessibleInterface* self = QAccessible::queryAccessibleInterface(w);
    if (self == nullptr)
        return names;
    names << self->text(QAccessible::Name);
    // Each pair: a label of w, and how it relates to w.
    for (const auto& relation : self->relations(QAccessible::Label))
        names << relation.first->text(QAccessible::Name);
    return names;
}

const QStringList WindowFamilies = {"ＭＳ Ｐゴシック", "MS PGothic", "IPAPGothic"};
const QStringList ControlFamilies = {"MS UI Gothic", "IPAPGothic"};
const QStringList FixedFamilies = {"ＭＳ ゴシック", "MS Gothic", "IPAGothic"};

} // namespace

TEST_F(TWindowTest, EveryControlHasItsNameKindAndCaption)
{
    Open();
    EXPECT_EQ(Window->windowTitle(), "Corvina");
    for (const TControl& c : Controls) {
        auto* w = Window->findChild<QWidget*>(c.Name);
        ASSERT_NE(w, nullptr) << c.Name;
        EXPECT_TRUE(w->inherits(c.Class)) << c.Name << " is a " << w->metaObject()->className();
        if (c.Caption) {
            EXPECT_EQ(Caption(w), Q(c.Caption)) << c.Name;
        }
    }
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(Window->CheckListBox1->item(i)->text(), Q(Controls[18 + i].Caption))
            << i;
    QStringList languages;
    for (int i = 0; i < Window->cboLangType->count(); ++i)
        languages << Window->cboLangType->itemText(i);
    QStringList captions;
    for (const Languages::TCaption& language : Languages::Captions)
        captions << QString::fromUtf8(language.Caption);
    EXPECT_EQ(languages, captions);
    EXPECT_FALSE(Window->cboLangType->isEditable());
}

TEST_F(TWindowTest, EveryControlIsNamedByItsHeadingOrTitle)
{
    Open();
    Window->show();
    const std::pair<QWidget*, const char16_t*> cases[] = {
        {Window->cboLangType, u"言語タイプ"},
        {Window->txtInput, u"入力ファイル名"},
        {Window->txtOutput, u"出力ファイル名"},
        {Window->CheckListBox1, u"表示項目"},
        {Window->ColorBox1, u"前景アイテム"},
        {Window->ColorBox2, u"背景アイテム"},
        {Window->SpeedButton1, u"参照"},
        {Window->SpeedButton2, u"参照"},
        {Window->WordListBoxes[0], u"予約語 一覧"},
        {Window->WordListBoxes[1], u"演算子 一覧"},
        {Window->WordListBoxes[2], u"強調１ 一覧"},
        {Window->WordListBoxes[3], u"強調２ 一覧"},
        {Window->WordListBoxes[4], u"強調３ 一覧"},
    };
    for (const auto& [control, name] : cases) {
        QStringList spoken = SpokenNames(control);
        EXPECT_TRUE(spoken.contains(Q(name))) << control->objectName().toStdString()
                                              << " is called " << spoken.join("/").toStdString();
    }
}

TEST_F(TWindowTest, TheWindowShowsTheProgramIcon)
{
    Open();
    QIcon icon = Window->windowIcon();
    ASSERT_FALSE(icon.isNull());
    QImage small = icon.pixmap(32, 32).toImage();
    ASSERT_FALSE(small.isNull());
    // Not an empty square: the page and its coloured lines.
    EXPECT_NE(small.pixelColor(16, 16), small.pixelColor(0, 0));
}

TEST_F(TWindowTest, LayoutFitsTheFixedClientArea)
{
    Open();
    Window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Window.get()));
    EXPECT_EQ(Window->size(), QSize(482, 308));
    EXPECT_EQ(Window->minimumSize(), Window->maximumSize());
    EXPECT_FALSE(Window->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(Window->windowFlags() & Qt::WindowMaximizeButtonHint);

    // Every control lies inside the window; the visible ones do not overlap each other.
    std::vector<QWidget*> shown;
    for (const TControl& c : Controls) {
        auto* w = Window->findChild<QWidget*>(c.Name);
        QRect r(w->mapTo(Window.get(), QPoint(0, 0)), w->size());
        EXPECT_TRUE(Window->rect().contains(r)) << c.Name;
        bool wordList = QString(c.Name).endsWith("List") && QString(c.Name).startsWith("txt");
        EXPECT_EQ(w->isVisible(), !wordList) << c.Name;
        if (w->parentWidget() == Window.get() && !wordList)
            shown.push_back(w);
    }
    for (size_t a = 0; a < shown.size(); ++a)
        for (size_t b = a + 1; b < shown.size(); ++b)
            EXPECT_FALSE(shown[a]->geometry().intersects(shown[b]->geometry()))
                << shown[a]->objectName().toStdString() << " / "
                << shown[b]->objectName().toStdString();

    // All twelve items and samples show without scrolling, even the widest sample in bold italic.
    EXPECT_EQ(Window->CheckListBox1->verticalScrollBar()->maximum(), 0);
    EXPECT_LE(Window->CheckListBox1->visualItemRect(Window->CheckListBox1->item(11)).bottom(),
              Window->CheckListBox1->viewport()->height());
    Select(1);
    Window->chkBold->setChecked(true);
    Window->chkItalic->setChecked(true);
    for (int i = 0; i < 12; ++i) {
        QLabel* label = Sample(i);
        EXPECT_TRUE(Window->Panel2->contentsRect().contains(label->geometry())) << i;
        EXPECT_GE(label->width(), label->sizeHint().width()) << i;
        if (i > 0) {
            EXPECT_FALSE(label->geometry().intersects(Sample(i - 1)->geometry())) << i;
        }
    }

    // Each word-list box covers the placeholder exactly.
    for (QPlainTextEdit* box : {Window->WordListBoxes[0], Window->WordListBoxes[1], Window->WordListBoxes[2],
                                Window->WordListBoxes[3], Window->WordListBoxes[4]}) {
        EXPECT_EQ(box->geometry(), Window->pnlDummy->geometry());
        EXPECT_EQ(box->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        EXPECT_EQ(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    }
    // "実行" and "終了" side by side at the bottom right.
    EXPECT_LT(Window->btnOK->x(), Window->btnExit->x());
    EXPECT_EQ(Window->btnOK->y(), Window->btnExit->y());
    EXPECT_GT(Window->btnExit->geometry().right(), 470);
    EXPECT_GT(Window->btnExit->geometry().bottom(), 295);
}

TEST_F(TWindowTest, TabOrderFollowsTheFields)
{
    Open();
    std::vector<QWidget*> expected = {
        Window->cboLangType, Window->txtInput,   Window->txtOutput,  Window->CheckListBox1,
        Window->ColorBox1,   Window->chkBold,    Window->chkItalic,  Window->ColorBox2,
        Window->WordListBoxes[0],  Window->WordListBoxes[1], Window->WordListBoxes[2], Window->WordListBoxes[3],
        Window->WordListBoxes[4],  Window->btnOK,      Window->btnExit};
    std::vector<QWidget*> chain;
    QWidget* w = Window->cboLangType;
    for (int n = 0; n < 500 && chain.size() < expected.size(); ++n, w = w->nextInFocusChain())
        if (std::find(expected.begin(), expected.end(), w) != expected.end() &&
            std::find(chain.begin(), chain.end(), w) == chain.end())
            chain.push_back(w);
    EXPECT_EQ(chain, expected);
    EXPECT_EQ(Window->SpeedButton1->focusPolicy(), Qt::NoFocus);
}

TEST_F(TWindowTest, FontsResolveToJapaneseFamiliesThatDrawEveryCaption)
{
    Open();
    struct FontCase {
        QWidget* Widget;
        const QStringList* Families;
        QStringList Texts;
    };
    QStringList headings, items, colours, languages;
    for (const TControl& c : Controls)
        if (c.Caption && QString(c.Name).startsWith("Label"))
            headings << Q(c.Caption);
    headings << "Corvina" << Q(u"実行") << Q(u"終了") << Q(u"太字") << Q(u"斜体")
             << Q(u"予約語 一覧") << Q(u"演算子 一覧") << Q(u"強調１ 一覧") << Q(u"エラー")
             << Q(u"ファイルが見つかりません") << Q(u"不正なファイル名です");
    for (int i = 0; i < 12; ++i)
        items << Window->CheckListBox1->item(i)->text();
    for (int i = 0; i < Window->ColorBox1->count(); ++i)
        colours << Window->ColorBox1->itemText(i);
    for (int i = 0; i < Window->cboLangType->count(); ++i)
        languages << Window->cboLangType->itemText(i);
    const FontCase cases[] = {
        {Window.get(), &WindowFamilies, headings},
        {Window->CheckListBox1, &ControlFamilies, items},
        {Window->ColorBox1, &ControlFamilies, colours},
        {Window->cboLangType, &ControlFamilies, languages},
        {Window->Samples[2], &ControlFamilies, items},
        {Window->WordListBoxes[0], &FixedFamilies, items},
    };
    for (const FontCase& c : cases) {
        const std::string name = c.Widget->objectName().toStdString();
        QFont font = c.Widget->font();
        EXPECT_EQ(font.pixelSize(), 12) << name;
        EXPECT_TRUE(c.Families->contains(QFontInfo(font).family()))
            << name << " resolved to " << QFontInfo(font).family().toStdString();
        // The font that draws Japanese text must be ours and hold every character.
        QRawFont raw = QRawFont::fromFont(font, QFontDatabase::Japanese);
        ASSERT_TRUE(raw.isValid()) << name;
        EXPECT_TRUE(c.Families->contains(raw.familyName())) << name << ": " << raw.familyName().toStdString();
        for (const QString& text : c.Texts)
            for (QChar ch : text)
                EXPECT_TRUE(raw.supportsCharacter(ch))
                    << name << " cannot draw U+" << std::hex << static_cast<int>(ch.unicode());
    }
    // Word lists line up: every one-byte character takes the same width.
    QFontMetrics fixed(Window->WordListBoxes[0]->font());
    EXPECT_EQ(fixed.horizontalAdvance('i'), fixed.horizontalAdvance('W'));
}

TEST_F(TWindowTest, ColourBoxesHoldExactlyTheSixteenBasicColours)
{
    Open();
    struct Entry {
        const char16_t* Name;
        QColor Rgb;
    };
    const Entry entries[] = {
        {u"黒", "#000000"},   {u"茶色", "#800000"},     {u"緑", "#008000"},
        {u"オリーブ", "#808000"}, {u"紺", "#000080"},   {u"紫", "#800080"},
        {u"青緑", "#008080"}, {u"暗い灰色", "#808080"}, {u"銀色", "#C0C0C0"},
        {u"赤", "#FF0000"},   {u"ライム", "#00FF00"},   {u"黄色", "#FFFF00"},
        {u"青", "#0000FF"},   {u"赤紫", "#FF00FF"},     {u"水色", "#00FFFF"},
        {u"白", "#FFFFFF"},
    };
    for (QComboBox* box : {Window->ColorBox1, Window->ColorBox2}) {
        ASSERT_EQ(box->count(), 16);
        EXPECT_FALSE(box->isEditable());
        for (int i = 0; i < 16; ++i) {
            const Entry& e = entries[i];
            EXPECT_EQ(box->itemText(i), Q(e.Name)) << i;
            // Values are held as 0x00BBGGRR.
            EXPECT_EQ(Rgb(box->itemData(i).toInt()), e.Rgb) << i;
            QImage swatch = box->itemIcon(i).pixmap(box->iconSize()).toImage();
            EXPECT_EQ(swatch.pixelColor(swatch.width() / 2, swatch.height() / 2), e.Rgb) << i;
        }
    }
}

TEST_F(TWindowTest, ClickingATickSelectsTheItemAndKeepsTheNewTick)
{
    Open();
    Window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Window.get()));
    QListWidget* list = Window->CheckListBox1;
    Select(0);
    for (int row : {4, 4, 8}) {
        QListWidgetItem* item = list->item(row);
        bool was = Tick(row);
        QStyleOptionViewItem option;
        option.initFrom(list);
        option.rect = list->visualItemRect(item);
        option.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
        option.text = item->text();
        option.checkState = item->checkState();
        QRect tick = list->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, list);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, tick.center());
        EXPECT_EQ(Tick(row), !was) << row;
        EXPECT_EQ(SelectedIndex(), row);
        EXPECT_EQ(Item(row).Enabled, !was) << row;
    }
}

TEST_F(TWindowTest, TheWindowMessageBoxIsAWarningWithTheCaption)
{
    InstallWindowMessageBox();
    struct Seen {
        QString Title, Text;
        QMessageBox::Icon Icon = QMessageBox::NoIcon;
        bool HasOk = false;
    };
    std::optional<Seen> seen;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr)
            return;
        seen = Seen{box->windowTitle(), box->text(), box->icon(),
                    box->button(QMessageBox::Ok) != nullptr};
        box->accept();
    });
    Platform::ShowError("ファイルが見つかりません");
    ASSERT_TRUE(seen.has_value());
    EXPECT_EQ(seen->Title, Q(u"エラー"));
    EXPECT_EQ(seen->Text, Q(u"ファイルが見つかりません"));
    EXPECT_EQ(seen->Icon, QMessageBox::Warning);
    EXPECT_TRUE(seen->HasOk);
}

TEST_F(TWindowTest, TheWindowMessageBoxKeepsAShortMessageOnOneLine)
{
    InstallWindowMessageBox();
    // Messages of Japanese and Latin letters (a path in them) of every length, up to well past
    // the width at which Qt's box would wrap them.
    const int widthLimit = QApplication::primaryScreen()->availableGeometry().width() * 3 / 5;
    const QFontMetrics metrics(QApplication::font("QMessageBoxLabel"));
    QString text;
    for (int n = 0; metrics.horizontalAdvance(text + Q(u"ファ")) <= widthLimit; ++n) {
        text += n % 3 == 0 ? Q(u"あ") : n % 3 == 1 ? Q(u"ファ") : Q(u"x");
        bool oneLine = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr)
                return;
            for (QLabel* label : box->findChildren<QLabel*>())
                if (label->text() == text)
                    oneLine = label->height() < 2 * label->fontMetrics().lineSpacing();
            box->accept();
        });
        Platform::ShowError(text.toStdString());
        ASSERT_TRUE(oneLine) << text.size() << " characters";
    }
}

TEST_F(TWindowTest, CaptionsAreShownAsSet)
{
    // Qt appends an application display name to every window's caption ("エラー — Corvina");
    // none is set, so the display name follows the application name.
    QString name = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName(QStringLiteral("probe"));
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QStringLiteral("probe"));
    QCoreApplication::setApplicationName(name);
    EXPECT_EQ(name, QStringLiteral("Corvina"));
}

TEST_F(TWindowTest, AColorTxtThatCannotServeTheWindowIsRefusedAndKeptAsItIs)
{
    std::u16string eleven(ColorTxt);
    eleven.erase(eleven.rfind(u"強調３"));
    std::u16string badFlag(ColorTxt);
    badFlag.replace(badFlag.find(u"0,0,1"), 5, u"0,x,1");
    struct Case {
        const char* What;
        std::optional<std::u16string> Content; // none: no color.txt
        std::vector<std::string> Expected;     // parts of the message
    };
    const Case cases[] = {
        {"missing", std::nullopt, {"color.txt"}},
        {"eleven items", eleven, {"color.txt", "12", "11"}},
        {"empty", u"", {"color.txt", "12", "0"}},
        {"not an integer", badFlag, {"color.txt", "2 行目", "\"x\""}},
        {"short line", u"予約語,res,0x800000\r\n", {"color.txt", "1 行目"}},
    };
    for (const Case& c : cases) {
        std::string path = Setup.Folder.File("color.txt");
        std::remove(path.c_str());
        if (c.Content)
            TestUtil::WriteBytes(path, TestUtil::Sjis(*c.Content));
        std::string message;
        try {
            TQtWindow form;
            ADD_FAILURE() << c.What << ": the window came up";
        } catch (const TFileError& e) {
            message = e.what();
        }
        for (const std::string& part : c.Expected)
            EXPECT_NE(message.find(part), std::string::npos) << c.What << ": " << message;
        if (c.Content)
            EXPECT_EQ(TestUtil::ReadBytes(path), TestUtil::Sjis(*c.Content)) << c.What;
        else
            EXPECT_FALSE(TestUtil::Exists(path)) << c.What;
    }
}

TEST_F(TWindowTest, WithoutADisplayTheProgramSaysSoAndFails)
{
    struct TSavedEnv {
        std::string Name;
        std::optional<std::string> Value;
    };
    std::vector<TSavedEnv> saved;
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* v = std::getenv(name);
        saved.push_back({name, v ? std::optional<std::string>(v) : std::nullopt});
        ::unsetenv(name);
    }
    const std::vector<std::string> argumentLists[] = {{}, {"one"}, {"one", "two"}};
    for (const std::vector<std::string>& args : argumentLists) {
        std::string err;
        int status = TestUtil::RunCorvina(args, &err);
        EXPECT_GT(status, 0) << args.size();
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
        EXPECT_NE(err.find("ウィンドウを表示する画面がありません"), std::string::npos) << err;
    }
    for (const TSavedEnv& s : saved)
        if (s.Value)
            ::setenv(s.Name.c_str(), s.Value->c_str(), 1);
}
