// Window_test: the window's controls, layout, fonts, colour boxes, message box and start-up checks.
#include "Windowfixture.h"
#include "Windowlayout.h"
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

// The widget class of each control the tables name.
const std::pair<std::string_view, const char*> Kinds[] = {
    {"cboLangType", "QComboBox"},
    {"InputFrame", "QFrame"},
    {"txtInput", "QLineEdit"},
    {"SpeedButton1", "QToolButton"},
    {"OutputFrame", "QFrame"},
    {"txtOutput", "QLineEdit"},
    {"SpeedButton2", "QToolButton"},
    {"CheckListBox1", "QListWidget"},
    {"ColorBox1", "QComboBox"},
    {"chkBold", "QCheckBox"},
    {"chkItalic", "QCheckBox"},
    {"ColorBox2", "QComboBox"},
    {"Panel2", "QFrame"},
    {"pnlDummy", "QFrame"},
    {"Bevel1", "QFrame"},
    {"btnOK", "QPushButton"},
    {"btnExit", "QPushButton"},
};

// Headings and samples are labels, word-list boxes plain-text boxes; the rest as in Kinds.
const char* KindOf(std::string_view name)
{
    return WindowLayout::TKinds{Kinds, "QPlainTextEdit", "QLabel"}.Of(name);
}

QWidget* Widget(const QWidget& window, std::string_view name)
{
    return window.findChild<QWidget*>(QString::fromUtf8(name.data(), name.size()));
}

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

// The faces of the table that Linux tries.
QStringList Families(const Layout::TFont& font)
{
    QStringList families;
    for (const Layout::TFace& face : font.Faces)
        if (face.Tried == Layout::Everywhere)
            families << Q(face.Name);
    return families;
}

} // namespace

TEST_F(TWindowTest, EveryControlHasItsNameKindAndCaption)
{
    Open();
    EXPECT_EQ(Window->windowTitle(), Q(Headings::WindowTitle));
    for (std::string_view name : WindowLayout::Names()) {
        SCOPED_TRACE(name);
        QWidget* w = Widget(*Window, name);
        ASSERT_NE(w, nullptr);
        EXPECT_TRUE(w->inherits(KindOf(name))) << w->metaObject()->className();
        // The browse buttons show no caption, the boxes none of their own.
        EXPECT_EQ(Caption(w), Q(WindowLayout::Caption(name).value_or(u"")));
    }
    ASSERT_EQ(Window->CheckListBox1->count(), Layout::ItemCount);
    for (int i = 0; i < Layout::ItemCount; ++i)
        EXPECT_EQ(Window->CheckListBox1->item(i)->text(), Q(TokenKind::All[i])) << i;
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
    std::vector<std::pair<QWidget*, QString>> cases = {
        {Window->SpeedButton1, Q(Headings::BrowseName)},
        {Window->SpeedButton2, Q(Headings::BrowseName)},
    };
    for (const Headings::THeading& heading : Headings::All)
        if (heading.Control != nullptr)
            cases.emplace_back(Widget(*Window, heading.Control), Q(heading.Caption));
    for (size_t k = 0; k < std::size(TForm1::WordLists); ++k)
        cases.emplace_back(Window->WordListBoxes[k],
                           Q(TForm1::ListTitle(TForm1::WordLists[k].ItemIndex)));
    for (const auto& [control, name] : cases) {
        QStringList spoken = SpokenNames(control);
        EXPECT_TRUE(spoken.contains(name)) << control->objectName().toStdString() << " is called "
                                           << spoken.join("/").toStdString();
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

TEST_F(TWindowTest, EveryControlLiesAtItsPlaceInTheFixedClientArea)
{
    Open();
    Window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Window.get()));
    EXPECT_EQ(Window->size(), QSize(Layout::ClientWidth, Layout::ClientHeight));
    EXPECT_EQ(Window->minimumSize(), Window->maximumSize());
    EXPECT_FALSE(Window->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(Window->windowFlags() & Qt::WindowMaximizeButtonHint);

    // Every control lies at its place inside the window (a sample as wide as its caption, which
    // the samples' test checks); the visible ones do not overlap each other.
    std::vector<QWidget*> shown;
    for (std::string_view name : WindowLayout::Names()) {
        SCOPED_TRACE(name);
        QWidget* w = Widget(*Window, name);
        QRect r(w->mapTo(Window.get(), QPoint(0, 0)), w->size());
        const Layout::TPlace place = WindowLayout::Place(name);
        EXPECT_EQ(r.topLeft(), QPoint(place.X, place.Y));
        if (place.Width > 0) {
            EXPECT_EQ(r.size(), QSize(place.Width, place.Height));
        }
        EXPECT_TRUE(Window->rect().contains(r));
        bool wordList = WindowLayout::IsWordListBox(name);
        EXPECT_EQ(w->isVisible(), !wordList);
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
    for (int i = 0; i < Layout::ItemCount; ++i) {
        QLabel* label = Sample(i);
        EXPECT_TRUE(Window->Panel2->contentsRect().contains(label->geometry())) << i;
        EXPECT_GE(label->width(), label->sizeHint().width()) << i;
        if (i > 0) {
            EXPECT_FALSE(label->geometry().intersects(Sample(i - 1)->geometry())) << i;
        }
    }

    for (QPlainTextEdit* box : Window->WordListBoxes) {
        EXPECT_EQ(box->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        EXPECT_EQ(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    }
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
        const Layout::TFont& Font;
        QStringList Texts;
    };
    QStringList headings, items, colours, languages;
    headings << Q(Headings::WindowTitle);
    for (const Headings::THeading& heading : Headings::All)
        headings << Q(heading.Caption);
    for (const Headings::TCaption& caption : Headings::Captions)
        headings << Q(caption.Caption);
    for (const TForm1::TWordList& wordList : TForm1::WordLists)
        headings << Q(TForm1::ListTitle(wordList.ItemIndex));
    headings << Q(u"エラー") << Q(u"ファイルが見つかりません") << Q(u"不正なファイル名です");
    for (int i = 0; i < Layout::ItemCount; ++i)
        items << Window->CheckListBox1->item(i)->text();
    for (int i = 0; i < Window->ColorBox1->count(); ++i)
        colours << Window->ColorBox1->itemText(i);
    for (int i = 0; i < Window->cboLangType->count(); ++i)
        languages << Window->cboLangType->itemText(i);
    const FontCase cases[] = {
        {Window.get(), Layout::WindowFont, headings},
        {Window->CheckListBox1, Layout::ControlFont, items},
        {Window->ColorBox1, Layout::ControlFont, colours},
        {Window->cboLangType, Layout::ControlFont, languages},
        {Window->Samples[2], Layout::ControlFont, items},
        {Window->WordListBoxes[0], Layout::FixedFont, items},
    };
    for (const FontCase& c : cases) {
        const std::string name = c.Widget->objectName().toStdString();
        const QStringList families = Families(c.Font);
        QFont font = c.Widget->font();
        EXPECT_EQ(font.pixelSize(), c.Font.Pixels) << name;
        EXPECT_TRUE(families.contains(QFontInfo(font).family()))
            << name << " resolved to " << QFontInfo(font).family().toStdString();
        // The font that draws Japanese text must be ours and hold every character.
        QRawFont raw = QRawFont::fromFont(font, QFontDatabase::Japanese);
        ASSERT_TRUE(raw.isValid()) << name;
        EXPECT_TRUE(families.contains(raw.familyName()))
            << name << ": " << raw.familyName().toStdString();
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
