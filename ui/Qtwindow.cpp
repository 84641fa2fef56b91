// Qtwindow: the main window's widgets at fixed places, their fonts, and the message box.
#include "ui/Qtwindow.h"

#include "core/Token.h"
#include "lexers/Languagetable.h"
#include "platform/Messagebox.h"
#include "ui/Headings.h"
#include "ui/Layout.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontMetrics>
#include <QFrame>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QToolButton>
#include <QTranslator>

#include <algorithm>

using QtControls::ToQString;

namespace {

using Layout::ItemCount;

// The table's faces that Linux tries: the Windows names first, which fontconfig does not alias,
// then the IPA fonts.
QFont MakeFont(const Layout::TFont& table)
{
    QStringList families;
    for (const Layout::TFace& face : table.Faces)
        if (face.Tried == Layout::Everywhere)
            families << ToQString(face.Name);
    QFont font;
    font.setFamilies(families);
    font.setPixelSize(table.Pixels);
    if (table.FixedPitch) {
        font.setStyleHint(QFont::Monospace);
        font.setFixedPitch(true);
    }
    return font;
}

QFont WindowFont() { return MakeFont(Layout::WindowFont); }
QFont ControlFont() { return MakeFont(Layout::ControlFont); }
QFont FixedFont() { return MakeFont(Layout::FixedFont); }

// The control's place in the window.
QRect PlaceOf(std::string_view name)
{
    const Layout::TPlace& place = Layout::Of(name);
    return QRect(place.X, place.Y, place.Width, place.Height);
}

// Keyboard and wheel as on the original platform: Tab leaves a word-list box whatever modifier is
// held, a wheel step over a drop-down changes it only when it has the focus, and the first arrow
// key in the check list with no item selected selects the first item.
class TInputRules : public QObject {
public:
    using QObject::QObject;
    void AddCheckList(QListWidget* list) { list->installEventFilter(this); }
    void AddWordListBox(QPlainTextEdit* box)
    {
        box->setTabChangesFocus(true);
        box->installEventFilter(this);
    }
    void AddDropDown(QComboBox* box)
    {
        box->setFocusPolicy(Qt::StrongFocus);
        box->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* widget = static_cast<QWidget*>(watched);
        if (event->type() == QEvent::Wheel && qobject_cast<QComboBox*>(widget) &&
            !widget->hasFocus()) {
            event->ignore();
            return true;
        }
        if (event->type() == QEvent::KeyPress && qobject_cast<QListWidget*>(widget)) {
            // The view's current row is already the first one, so an arrow would move past it.
            auto* list = static_cast<QListWidget*>(widget);
            int key = static_cast<QKeyEvent*>(event)->key();
            if ((key == Qt::Key_Down || key == Qt::Key_Up) && list->selectedItems().isEmpty() &&
                list->count() > 0) {
                list->setCurrentRow(0, QItemSelectionModel::ClearAndSelect);
                return true;
            }
        }
        if (event->type() == QEvent::KeyPress && qobject_cast<QPlainTextEdit*>(widget)) {
            auto* key = static_cast<QKeyEvent*>(event);
            bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
            if (tab && (key->modifiers() & Qt::ControlModifier)) {
                // Passed on without Ctrl, so that it moves the focus as a plain Tab does.
                QKeyEvent plain(QEvent::KeyPress, key->key(),
                                key->modifiers() & ~Qt::ControlModifier);
                QCoreApplication::sendEvent(widget, &plain);
                return true;
            }
        }
        return false;
    }
};

} // namespace

TQtWindow::TQtWindow(const std::vector<std::string>& args, QWidget* parent) : QWidget(parent)
{
    CreateControls();
    CreateAdapters();
    Form = std::make_unique<TForm1>(Controls);
    try {
        Form->FormCreate(args);
    } catch (...) {
        DisconnectControls();
        throw;
    }
}

TQtWindow::~TQtWindow() { DisconnectControls(); }

void TQtWindow::DisconnectControls()
{
    // The widgets die after the control adapters: none of their last signals may reach them.
    for (QObject* child : findChildren<QObject*>())
        child->disconnect(this);
}

void TQtWindow::CreateControls()
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(ToQString(Headings::WindowTitle));
    // Single border, system menu and close box only.
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(Layout::ClientWidth, Layout::ClientHeight);
    setFont(WindowFont());

    auto heading = [this](QLabel*& label, const char* name) {
        label = new QLabel(ToQString(Headings::Of(name).Caption), this);
        label->setObjectName(QString::fromLatin1(name));
        label->setAlignment(Qt::AlignCenter);
        // Flat: a thin line round the button-face colour, no bevel.
        label->setStyleSheet(
            QStringLiteral("background-color: palette(button); border: 1px solid palette(mid);"));
        label->setGeometry(PlaceOf(name));
    };
    // A one-line box and its browse button in one white bordered frame.
    auto fileField = [this](QFrame*& frame, QLineEdit*& edit, QToolButton*& button,
                            const char* frameName, const char* editName, const char* buttonName) {
        const QPoint origin = PlaceOf(frameName).topLeft();
        frame = new QFrame(this);
        frame->setObjectName(QString::fromLatin1(frameName));
        frame->setFrameShape(QFrame::StyledPanel);
        frame->setFrameShadow(QFrame::Sunken);
        frame->setAutoFillBackground(true);
        frame->setBackgroundRole(QPalette::Base);
        frame->setGeometry(PlaceOf(frameName));
        edit = new QLineEdit(frame);
        edit->setObjectName(QString::fromLatin1(editName));
        edit->setFrame(false);
        edit->setFont(ControlFont());
        edit->setGeometry(PlaceOf(editName).translated(-origin));
        // A flat button-face square with its edge always drawn, so that it is seen before the
        // mouse finds it; lighter under the mouse, darker while pressed. Out of the tab order,
        // so F4 in the box opens it from the keyboard.
        button = new QToolButton(frame);
        button->setObjectName(QString::fromLatin1(buttonName));
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoRaise(true);
        button->setStyleSheet(QStringLiteral(
            "QToolButton { background-color: palette(button); border: 1px solid palette(dark); }"
            "QToolButton:hover { background-color: palette(light); }"
            "QToolButton:pressed { background-color: palette(mid); }"));
        button->setToolTip(ToQString(Headings::BrowseTip));
        button->setAccessibleName(ToQString(Headings::BrowseName));
        button->setGeometry(PlaceOf(buttonName).translated(-origin));
        new QShortcut(QKeySequence(Qt::Key_F4), edit, button, &QToolButton::click,
                      Qt::WidgetShortcut);
    };

    heading(Label1, "Label1");
    cboLangType = new QComboBox(this);
    cboLangType->setObjectName(QStringLiteral("cboLangType"));
    cboLangType->setFont(ControlFont());
    for (const Languages::TCaption& language : Languages::Captions)
        cboLangType->addItem(QString::fromUtf8(language.Caption));
    // Every language at once.
    cboLangType->setMaxVisibleItems(static_cast<int>(std::size(Languages::Captions)));
    cboLangType->setGeometry(PlaceOf("cboLangType"));

    heading(Label2, "Label2");
    fileField(InputFrame, txtInput, SpeedButton1, "InputFrame", "txtInput", "SpeedButton1");

    heading(Label3, "Label3");
    fileField(OutputFrame, txtOutput, SpeedButton2, "OutputFrame", "txtOutput", "SpeedButton2");

    heading(Label4, "Label4");
    heading(Label5, "Label5");
    heading(Label16, "Label16");
    heading(Label20, "Label20");

    CheckListBox1 = new QListWidget(this);
    CheckListBox1->setObjectName(QStringLiteral("CheckListBox1"));
    CheckListBox1->setFont(ControlFont());
    CheckListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    CheckListBox1->setUniformItemSizes(true);
    CheckListBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    CheckListBox1->setGeometry(PlaceOf("CheckListBox1"));
    for (int i = 0; i < ItemCount; ++i) {
        auto* item = new QListWidgetItem(ToQString(TokenKind::All[i]), CheckListBox1);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
        item->setSizeHint(QSize(0, Layout::ItemHeight));
    }

    ColorBox1 = new QComboBox(this);
    ColorBox1->setObjectName(QStringLiteral("ColorBox1"));
    ColorBox1->setFont(ControlFont());
    ColorBox1->setGeometry(PlaceOf("ColorBox1"));

    chkBold = new QCheckBox(ToQString(Headings::CaptionOf("chkBold")), this);
    chkBold->setObjectName(QStringLiteral("chkBold"));
    chkBold->setGeometry(PlaceOf("chkBold"));

    chkItalic = new QCheckBox(ToQString(Headings::CaptionOf("chkItalic")), this);
    chkItalic->setObjectName(QStringLiteral("chkItalic"));
    chkItalic->setGeometry(PlaceOf("chkItalic"));

    heading(Label6, "Label6");

    ColorBox2 = new QComboBox(this);
    ColorBox2->setObjectName(QStringLiteral("ColorBox2"));
    ColorBox2->setFont(ControlFont());
    ColorBox2->setGeometry(PlaceOf("ColorBox2"));

    Panel2 = new QFrame(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFrameShape(QFrame::StyledPanel);
    Panel2->setFrameShadow(QFrame::Sunken);
    Panel2->setAutoFillBackground(true);
    {
        QPalette palette = Panel2->palette();
        palette.setColor(QPalette::Window, Qt::white);
        Panel2->setPalette(palette);
    }
    Panel2->setGeometry(PlaceOf("Panel2"));
    for (int i = 0; i < ItemCount; ++i) {
        QLabel* label = new QLabel(ToQString(TokenKind::All[i]), Panel2);
        label->setObjectName(QString::fromLatin1(Layout::SampleNames[i]));
        label->setFont(ControlFont());
        label->setAutoFillBackground(true);
        label->move(Layout::SampleLeft, Layout::SampleTop + i * Layout::SampleStep);
        label->adjustSize();
        Samples[i] = label;
    }

    pnlDummy = new QFrame(this);
    pnlDummy->setObjectName(QStringLiteral("pnlDummy"));
    pnlDummy->setFrameShape(QFrame::StyledPanel);
    pnlDummy->setFrameShadow(QFrame::Sunken);
    pnlDummy->setGeometry(PlaceOf("pnlDummy"));

    // All five have the placeholder's size; the set-up moves them onto it.
    for (size_t k = 0; k < std::size(TForm1::WordLists); ++k) {
        auto* box = new QPlainTextEdit(this);
        box->setObjectName(QString::fromLatin1(TForm1::WordLists[k].BoxName));
        box->setFont(FixedFont());
        box->setLineWrapMode(QPlainTextEdit::NoWrap);
        box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        box->resize(pnlDummy->size());
        box->hide();
        WordListBoxes[k] = box;
    }

    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameShape(QFrame::HLine);
    Bevel1->setFrameShadow(QFrame::Sunken);
    Bevel1->setGeometry(PlaceOf("Bevel1"));

    btnOK = new QPushButton(ToQString(Headings::CaptionOf("btnOK")), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setGeometry(PlaceOf("btnOK"));

    btnExit = new QPushButton(ToQString(Headings::CaptionOf("btnExit")), this);
    btnExit->setObjectName(QStringLiteral("btnExit"));
    btnExit->setGeometry(PlaceOf("btnExit"));
    // Enter presses a focused button, as Space does.
    btnOK->setAutoDefault(true);
    btnExit->setAutoDefault(true);

    auto* rules = new TInputRules(this);
    for (QComboBox* box : {cboLangType, ColorBox1, ColorBox2})
        rules->AddDropDown(box);
    for (QPlainTextEdit* box : WordListBoxes)
        rules->AddWordListBox(box);
    rules->AddCheckList(CheckListBox1);

    NameControls();

    std::vector<QWidget*> order = {cboLangType, txtInput, txtOutput, CheckListBox1,
                                   ColorBox1,   chkBold,  chkItalic, ColorBox2};
    order.insert(order.end(), std::begin(WordListBoxes), std::end(WordListBoxes));
    order.push_back(btnOK);
    order.push_back(btnExit);
    for (size_t k = 0; k + 1 < order.size(); ++k)
        setTabOrder(order[k], order[k + 1]);
}

void TQtWindow::NameControls()
{
    // Each control is named by its heading. A drop-down tells its current entry as its name
    // whatever it is given, so its heading is attached as its label too; the file-name boxes
    // lie in frames of their own, where a label of the window cannot name them.
    for (const Headings::THeading& heading : Headings::All) {
        if (heading.Control == nullptr)
            continue;
        auto* control = findChild<QWidget*>(QString::fromLatin1(heading.Control));
        control->setAccessibleName(ToQString(heading.Caption));
        if (qobject_cast<QComboBox*>(control))
            findChild<QLabel*>(QString::fromLatin1(heading.Label))->setBuddy(control);
    }
    for (size_t k = 0; k < std::size(TForm1::WordLists); ++k)
        WordListBoxes[k]->setAccessibleName(
            ToQString(TForm1::ListTitle(TForm1::WordLists[k].ItemIndex)));
}

void TQtWindow::CreateAdapters()
{
    auto textBox = [this](std::unique_ptr<TTextBox> box) {
        TextBoxes.push_back(std::move(box));
        return TextBoxes.back().get();
    };
    Controls.cboLangType = textBox(std::make_unique<TQtListBox>(cboLangType, this));
    Controls.txtInput = textBox(std::make_unique<TQtTextBox>(txtInput));
    Controls.txtOutput = textBox(std::make_unique<TQtTextBox>(txtOutput));

    CheckList = std::make_unique<TQtCheckList>(CheckListBox1, this);
    Controls.CheckListBox1 = CheckList.get();
    ColorBoxes[0] = std::make_unique<TQtColorBox>(ColorBox1, this);
    ColorBoxes[1] = std::make_unique<TQtColorBox>(ColorBox2, this);
    Controls.ColorBox1 = ColorBoxes[0].get();
    Controls.ColorBox2 = ColorBoxes[1].get();
    TickBoxes[0] = std::make_unique<TQtTickBox>(chkBold, this);
    TickBoxes[1] = std::make_unique<TQtTickBox>(chkItalic, this);
    Controls.chkBold = TickBoxes[0].get();
    Controls.chkItalic = TickBoxes[1].get();

    for (int i = 0; i < ItemCount; ++i) {
        Labels.push_back(std::make_unique<TQtLabel>(Samples[i]));
        Controls.Samples[i] = Labels.back().get();
    }
    Labels.push_back(std::make_unique<TQtLabel>(Label20));
    Controls.Label20 = Labels.back().get();

    Placeholder = std::make_unique<TQtPanel>(pnlDummy);
    Controls.pnlDummy = Placeholder.get();
    for (size_t k = 0; k < std::size(TForm1::WordLists); ++k) {
        Memos.push_back(std::make_unique<TQtMemo>(WordListBoxes[k]));
        Controls.*TForm1::WordLists[k].Box = Memos.back().get();
    }

    Buttons[0] = std::make_unique<TQtButton>(btnOK, this);
    Buttons[1] = std::make_unique<TQtButton>(btnExit, this);
    Controls.btnOK = Buttons[0].get();
    Controls.btnExit = Buttons[1].get();
    Buttons[2] = std::make_unique<TQtButton>(SpeedButton1, this);
    Buttons[3] = std::make_unique<TQtButton>(SpeedButton2, this);
    Controls.SpeedButton1 = Buttons[2].get();
    Controls.SpeedButton2 = Buttons[3].get();

    Dialogs[0] = std::make_unique<TQtFileDialog>(this, false);
    Dialogs[1] = std::make_unique<TQtFileDialog>(this, true);
    Controls.OpenDialog1 = Dialogs[0].get();
    Controls.SaveDialog1 = Dialogs[1].get();

    WindowControl = std::make_unique<TQtWindowControl>(this);
    Controls.Window = WindowControl.get();
}

void TQtWindow::closeEvent(QCloseEvent* event)
{
    Form->FormClose();
    event->accept();
}

TQtApplicationSetup::TQtApplicationSetup()
{
    // The icon is compiled into the window's library, which the program loads as a module.
    Q_INIT_RESOURCE(Corvina);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/corvina/Corvina.png")));
    // No display name of the application's own: Qt would append it to every caption.
    QCoreApplication::setApplicationName(QStringLiteral("Corvina"));
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    Translator = std::make_unique<QTranslator>();
    if (Translator->load(QStringLiteral("qtbase_ja"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(Translator.get());
}

TQtApplicationSetup::~TQtApplicationSetup()
{
    QCoreApplication::removeTranslator(Translator.get());
}

namespace {

// Qt's box wraps any text wider than a fixed width, so a message a little wider has its last
// character on a line of its own: the text's label gets the width of its longest line, up to
// two thirds of the screen, beyond which a line wraps.
void FitLabelToText(QMessageBox& box, const QString& text)
{
    const QScreen* screen = box.screen();
    const int limit = screen != nullptr ? screen->availableGeometry().width() * 2 / 3 : 800;
    for (QLabel* label : box.findChildren<QLabel*>()) {
        if (label->text() != text)
            continue;
        QFontMetrics metrics(label->font());
        int widest = 0;
        for (const QString& line : text.split(QLatin1Char('\n')))
            widest = std::max(widest, metrics.horizontalAdvance(line));
        label->setMinimumWidth(std::min(widest + 2, limit));
    }
}

} // namespace

void InstallWindowMessageBox()
{
    Platform::SetMessageBoxHandler(
        [](const std::string& caption, const std::string& text, Platform::TMessageIcon icon) {
            QMessageBox::Icon qtIcon = icon == Platform::TMessageIcon::Error ? QMessageBox::Critical
                                       : icon == Platform::TMessageIcon::Information
                                           ? QMessageBox::Information
                                           : QMessageBox::Warning;
            QMessageBox box(qtIcon, QString::fromStdString(caption), QString::fromStdString(text),
                            QMessageBox::Ok, QApplication::activeWindow());
            FitLabelToText(box, QString::fromStdString(text));
            // The box answers to the mouse even while a run shows the busy cursor.
            QApplication::setOverrideCursor(Qt::ArrowCursor);
            box.exec();
            QApplication::restoreOverrideCursor();
        });
}
