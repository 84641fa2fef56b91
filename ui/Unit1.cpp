// Unit1: the main window: controls at fixed places, the display item editor, word lists and runs.
#include "ui/Unit1.h"

#include "core/Stringlist.h"
#include "core/Token.h"
#include "lexers/Languagetable.h"
#include "platform/Codepage.h"
#include "platform/Files.h"
#include "platform/Messagebox.h"
#include "platform/Paths.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

namespace {

const char16_t* const SettingsTitle = u"設定内容";
const char16_t* const ListTitleSuffix = u" 一覧";
constexpr int ItemCount = 12;

QString Q(std::u16string_view text)
{
    return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

// 0x00BBGGRR -> QColor.
QColor ToQColor(std::int32_t value)
{
    auto v = static_cast<std::uint32_t>(value);
    return QColor(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF),
                  static_cast<int>((v >> 16) & 0xFF));
}

// Windows font names first; fontconfig does not alias them, so the IPA fonts follow.
QFont MakeFont(const QStringList& families, bool fixedPitch = false)
{
    QFont font;
    font.setFamilies(families);
    font.setPixelSize(12);
    if (fixedPitch) {
        font.setStyleHint(QFont::Monospace);
        font.setFixedPitch(true);
    }
    return font;
}

QFont WindowFont()
{
    return MakeFont({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                     QStringLiteral("IPAPGothic")});
}

QFont ControlFont() { return MakeFont({QStringLiteral("MS UI Gothic"), QStringLiteral("IPAPGothic")}); }

QFont FixedFont()
{
    return MakeFont({QStringLiteral("ＭＳ ゴシック"), QStringLiteral("MS Gothic"),
                     QStringLiteral("IPAGothic")},
                    true);
}


// The word-list files of a language, in load and save order, with the item that shows each.
struct TWordList {
    const char* Extension;
    int ItemIndex;
};
const TWordList WordLists[] = {{"key", 0}, {"ope", 7}, {"sp1", 9}, {"sp2", 10}, {"sp3", 11}};

// Lines of a list -> box text. Every line keeps its line end so that a trailing empty line
// survives the way back.
QString LinesToText(const TStringList& lines)
{
    std::u16string text;
    for (const std::string& line : lines.Lines()) {
        CodePage::DecodeAppend(line, text);
        text += u'\n';
    }
    return Q(text);
}

TStringList TextToLines(const QString& text)
{
    TStringList lines;
    lines.SetText(CodePage::Encode(text.toStdU16String()));
    return lines;
}

// The busy cursor and the two buttons off for a run; undone on every way out.
class TBusyScope {
public:
    TBusyScope(QPushButton* ok, QPushButton* exit) : Ok(ok), Exit(exit)
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        Ok->setEnabled(false);
        Exit->setEnabled(false);
    }
    ~TBusyScope()
    {
        Ok->setEnabled(true);
        Exit->setEnabled(true);
        QApplication::restoreOverrideCursor();
    }
    TBusyScope(const TBusyScope&) = delete;
    TBusyScope& operator=(const TBusyScope&) = delete;

private:
    QPushButton* Ok;
    QPushButton* Exit;
};

// Sets a flag for the life of the scope.
class TFlagScope {
public:
    explicit TFlagScope(bool& flag) : Flag(flag) { Flag = true; }
    ~TFlagScope() { Flag = false; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;

private:
    bool& Flag;
};

// A file dialog that refuses a name whose folder does not exist, when asked to.
class TCheckedFileDialog : public QFileDialog {
public:
    TCheckedFileDialog(QWidget* parent, bool folderMustExist)
        : QFileDialog(parent), FolderMustExist(folderMustExist)
    {
    }
    void accept() override
    {
        if (FolderMustExist) {
            QStringList files = selectedFiles();
            if (!files.isEmpty() && !QFileInfo(files.first()).absoluteDir().exists())
                return;
        }
        QFileDialog::accept();
    }

private:
    bool FolderMustExist;
};

} // namespace

const TForm1::TBasicColor TForm1::BasicColors[16] = {
    {u"黒", 0x000000},     {u"茶色", 0x000080},   {u"緑", 0x008000},     {u"オリーブ", 0x008080},
    {u"紺", 0x800000},     {u"紫", 0x800080},     {u"青緑", 0x808000},   {u"暗い灰色", 0x808080},
    {u"銀色", 0xC0C0C0},   {u"赤", 0x0000FF},     {u"ライム", 0x00FF00}, {u"黄色", 0x00FFFF},
    {u"青", 0xFF0000},     {u"赤紫", 0xFF00FF},   {u"水色", 0xFFFF00},   {u"白", 0xFFFFFF},
};

std::string TForm1::LanguageCode(const QString& caption)
{
    return Languages::CodeOfCaption(caption.toStdString());
}

TForm1::TForm1(const std::vector<std::string>& args, QWidget* parent) : QWidget(parent)
{
    CreateControls();
    FormCreate(args);
}

TForm1::~TForm1()
{
    // The controls die after this part of the window: none of their last signals may reach it.
    for (QObject* child : findChildren<QObject*>())
        child->disconnect(this);
}

void TForm1::CreateControls()
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Corvina"));
    // Single border, system menu and close box only.
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(482, 308);
    setFont(WindowFont());

    auto heading = [this](QLabel*& label, const char* name, const char16_t* text, int x, int y,
                          int w, int h) {
        label = new QLabel(Q(text), this);
        label->setObjectName(QString::fromLatin1(name));
        label->setAlignment(Qt::AlignCenter);
        // Flat: a thin line round the button-face colour, no bevel.
        label->setStyleSheet(
            QStringLiteral("background-color: palette(button); border: 1px solid palette(mid);"));
        label->setGeometry(x, y, w, h);
    };
    // A one-line box and its browse button in one white bordered frame.
    auto fileField = [this](QFrame*& frame, QLineEdit*& edit, QToolButton*& button,
                            const char* frameName, const char* editName, const char* buttonName,
                            int y) {
        frame = new QFrame(this);
        frame->setObjectName(QString::fromLatin1(frameName));
        frame->setFrameShape(QFrame::StyledPanel);
        frame->setFrameShadow(QFrame::Sunken);
        frame->setAutoFillBackground(true);
        frame->setBackgroundRole(QPalette::Base);
        frame->setGeometry(108, y, 370, 21);
        edit = new QLineEdit(frame);
        edit->setObjectName(QString::fromLatin1(editName));
        edit->setFrame(false);
        edit->setFont(ControlFont());
        edit->setGeometry(2, 2, 370 - 4 - 18, 17);
        button = new QToolButton(frame);
        button->setObjectName(QString::fromLatin1(buttonName));
        button->setFocusPolicy(Qt::NoFocus);
        button->setGeometry(370 - 2 - 17, 2, 17, 17);
    };

    const int colTop = 97, colHeight = 178;

    heading(Label1, "Label1", u"言語タイプ", 4, 4, 100, 21);
    cboLangType = new QComboBox(this);
    cboLangType->setObjectName(QStringLiteral("cboLangType"));
    cboLangType->setFont(ControlFont());
    for (const Languages::TCaption& language : Languages::Captions)
        cboLangType->addItem(QString::fromUtf8(language.Caption));
    cboLangType->setMaxVisibleItems(14);
    cboLangType->setGeometry(108, 4, 370, 21);
    connect(cboLangType, &QComboBox::activated, this, &TForm1::cboLangTypeChange);

    heading(Label2, "Label2", u"入力ファイル名", 4, 28, 100, 21);
    fileField(InputFrame, txtInput, SpeedButton1, "InputFrame", "txtInput", "SpeedButton1", 28);
    connect(SpeedButton1, &QToolButton::clicked, this, &TForm1::SpeedButton1Click);

    heading(Label3, "Label3", u"出力ファイル名", 4, 52, 100, 21);
    fileField(OutputFrame, txtOutput, SpeedButton2, "OutputFrame", "txtOutput", "SpeedButton2",
              52);
    connect(SpeedButton2, &QToolButton::clicked, this, &TForm1::SpeedButton2Click);

    heading(Label4, "Label4", u"表示項目", 4, 77, 100, 17);
    heading(Label5, "Label5", u"前景アイテム", 108, 77, 100, 17);
    heading(Label16, "Label16", u"表示サンプル", 212, 77, 100, 17);
    heading(Label20, "Label20", SettingsTitle, 316, 77, 162, 17);

    CheckListBox1 = new QListWidget(this);
    CheckListBox1->setObjectName(QStringLiteral("CheckListBox1"));
    CheckListBox1->setFont(ControlFont());
    CheckListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    CheckListBox1->setUniformItemSizes(true);
    CheckListBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    CheckListBox1->setGeometry(4, colTop, 100, colHeight);
    for (int i = 0; i < ItemCount; ++i) {
        auto* item = new QListWidgetItem(Q(TokenKind::All[i]), CheckListBox1);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
        item->setSizeHint(QSize(0, 14));
    }
    connect(CheckListBox1, &QListWidget::itemSelectionChanged, this, &TForm1::CheckListBox1Click);
    connect(CheckListBox1, &QListWidget::itemChanged, this, &TForm1::ItemChanged);

    ColorBox1 = new QComboBox(this);
    ColorBox1->setObjectName(QStringLiteral("ColorBox1"));
    ColorBox1->setGeometry(108, colTop, 100, 20);
    FillColorBox(ColorBox1);
    connect(ColorBox1, &QComboBox::currentIndexChanged, this, &TForm1::ColorBox1Change);

    chkBold = new QCheckBox(Q(u"太字"), this);
    chkBold->setObjectName(QStringLiteral("chkBold"));
    chkBold->setGeometry(110, colTop + 24, 96, 18);
    connect(chkBold, &QCheckBox::toggled, this, &TForm1::chkBoldClick);

    chkItalic = new QCheckBox(Q(u"斜体"), this);
    chkItalic->setObjectName(QStringLiteral("chkItalic"));
    chkItalic->setGeometry(110, colTop + 44, 96, 18);
    connect(chkItalic, &QCheckBox::toggled, this, &TForm1::chkItalicClick);

    heading(Label6, "Label6", u"背景アイテム", 108, colTop + 68, 100, 17);

    ColorBox2 = new QComboBox(this);
    ColorBox2->setObjectName(QStringLiteral("ColorBox2"));
    ColorBox2->setGeometry(108, colTop + 89, 100, 20);
    FillColorBox(ColorBox2);
    connect(ColorBox2, &QComboBox::currentIndexChanged, this, &TForm1::ColorBox2Change);

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
    Panel2->setGeometry(212, colTop, 100, colHeight);
    QLabel** samples[ItemCount] = {&Label7,  &Label8,  &Label9,  &Label10, &Label11, &Label12,
                                   &Label13, &Label14, &Label15, &Label17, &Label18, &Label19};
    const char* sampleNames[ItemCount] = {"Label7",  "Label8",  "Label9",  "Label10",
                                          "Label11", "Label12", "Label13", "Label14",
                                          "Label15", "Label17", "Label18", "Label19"};
    for (int i = 0; i < ItemCount; ++i) {
        QLabel* label = new QLabel(Q(TokenKind::All[i]), Panel2);
        label->setObjectName(QString::fromLatin1(sampleNames[i]));
        label->setFont(ControlFont());
        label->setAutoFillBackground(true);
        label->move(6, 3 + i * 14);
        label->adjustSize();
        *samples[i] = label;
    }

    pnlDummy = new QFrame(this);
    pnlDummy->setObjectName(QStringLiteral("pnlDummy"));
    pnlDummy->setFrameShape(QFrame::StyledPanel);
    pnlDummy->setFrameShadow(QFrame::Sunken);
    pnlDummy->setGeometry(316, colTop, 162, colHeight);

    QPlainTextEdit** boxes[5] = {&txtKeyList, &txtOpeList, &txtSp1List, &txtSp2List, &txtSp3List};
    const char* boxNames[5] = {"txtKeyList", "txtOpeList", "txtSp1List", "txtSp2List",
                               "txtSp3List"};
    for (int k = 0; k < 5; ++k) {
        auto* box = new QPlainTextEdit(this);
        box->setObjectName(QString::fromLatin1(boxNames[k]));
        box->setFont(FixedFont());
        box->setLineWrapMode(QPlainTextEdit::NoWrap);
        box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        box->setGeometry(pnlDummy->geometry());
        box->hide();
        *boxes[k] = box;
    }

    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameShape(QFrame::HLine);
    Bevel1->setFrameShadow(QFrame::Sunken);
    Bevel1->setGeometry(4, colTop + colHeight + 2, 474, 2);

    btnOK = new QPushButton(Q(u"実行"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setGeometry(482 - 4 - 75 - 4 - 75, 308 - 4 - 22, 75, 22);
    connect(btnOK, &QPushButton::clicked, this, &TForm1::btnOKClick);

    btnExit = new QPushButton(Q(u"終了"), this);
    btnExit->setObjectName(QStringLiteral("btnExit"));
    btnExit->setGeometry(482 - 4 - 75, 308 - 4 - 22, 75, 22);
    connect(btnExit, &QPushButton::clicked, this, &TForm1::btnExitClick);

    QWidget* order[] = {cboLangType, txtInput,   txtOutput,  CheckListBox1, ColorBox1,
                        chkBold,     chkItalic,  ColorBox2,  txtKeyList,    txtOpeList,
                        txtSp1List,  txtSp2List, txtSp3List, btnOK,         btnExit};
    for (size_t k = 0; k + 1 < std::size(order); ++k)
        setTabOrder(order[k], order[k + 1]);
}

void TForm1::FillColorBox(QComboBox* box)
{
    box->setFont(ControlFont());
    box->setIconSize(QSize(16, 11));
    for (const TBasicColor& color : BasicColors) {
        QPixmap swatch(16, 11);
        swatch.fill(ToQColor(color.Value));
        QPainter painter(&swatch);
        painter.setPen(Qt::black);
        painter.drawRect(0, 0, 15, 10);
        painter.end();
        box->addItem(QIcon(swatch), Q(color.Name), QVariant(static_cast<int>(color.Value)));
    }
}

void TForm1::SetColorBox(QComboBox* box, std::int32_t value)
{
    // A colour outside the sixteen selects no entry.
    box->setCurrentIndex(box->findData(QVariant(static_cast<int>(value))));
}

void TForm1::Guarded(const std::function<void()>& body)
{
    try {
        body();
    } catch (const std::exception& e) {
        Platform::ShowError(e.what());
    } catch (...) {
        Platform::ShowError("");
    }
}

void TForm1::InitWindow()
{
    // Every handler relies on one style per display item, in check-list order.
    if (ColorList->Count() < ItemCount)
        throw TFileError(Platform::ProgramFile("color.txt") + ": 表示項目が " +
                         std::to_string(ItemCount) + " 個必要ですが " +
                         std::to_string(ColorList->Count()) + " 個しかありません");
    cboLangType->setCurrentIndex(-1);
    txtInput->clear();
    txtOutput->clear();
    SampleLabels = std::make_unique<std::vector<QLabel*>>(std::vector<QLabel*>{
        Label7, Label8, Label9, Label10, Label11, Label12, Label13, Label14, Label15, Label17,
        Label18, Label19});
    for (int i = 0; i < ItemCount; ++i)
        ShowItemStyle(i);
    SetColorBox(ColorBox1, 0x000000);
    SetColorBox(ColorBox2, 0xFFFFFF);
    CheckListBox1->clearSelection();
    for (QPlainTextEdit* box : {txtKeyList, txtOpeList, txtSp1List, txtSp2List, txtSp3List}) {
        box->hide();
        box->setGeometry(pnlDummy->geometry());
    }
}

void TForm1::FormClose()
{
    if (!BatchMode)
        SampleLabels.reset();
    TForm1Core::FormClose();
}

void TForm1::closeEvent(QCloseEvent* event)
{
    if (ColorList)
        FormClose();
    event->accept();
}

int TForm1::SelectedIndex() const
{
    QList<QListWidgetItem*> selected = CheckListBox1->selectedItems();
    return selected.isEmpty() ? -1 : CheckListBox1->row(selected.first());
}

void TForm1::SetTick(int index, bool on)
{
    TFlagScope setting(SettingTick);
    CheckListBox1->item(index)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
}

bool TForm1::TickOf(int index) const
{
    return CheckListBox1->item(index)->checkState() == Qt::Checked;
}

void TForm1::ShowItemStyle(int index)
{
    if (index < 0 || !ColorList)
        return;
    TFlagScope updating(Updating);
    const TColorSetting* item = ColorList->Item(index);
    SetTick(index, item->Enabled);
    chkBold->setChecked(item->Bold);
    chkItalic->setChecked(item->Italic);
    SetColorBox(ColorBox1, item->Color);
    SetColorBox(ColorBox2, item->BackColor);
    PaintSample(index);
}

void TForm1::PaintSample(int index)
{
    if (index < 0 || !SampleLabels || !ColorList)
        return;
    QLabel* label = (*SampleLabels)[static_cast<size_t>(index)];
    const TColorSetting* item = ColorList->Item(index);
    // A switched-off kind is written without a span: plain black on white.
    bool on = item->Enabled;
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, ToQColor(on ? item->BackColor : 0xFFFFFF));
    palette.setColor(QPalette::WindowText, ToQColor(on ? item->Color : 0x000000));
    label->setPalette(palette);
    QFont font = label->font();
    font.setBold(on && item->Bold);
    font.setItalic(on && item->Italic);
    label->setFont(font);
    label->adjustSize();
}

void TForm1::StoreItemStyle(int index)
{
    if (Updating || index < 0 || !ColorList)
        return;
    TColorSetting* item = ColorList->Item(index);
    item->Enabled = TickOf(index);
    item->Bold = chkBold->isChecked();
    item->Italic = chkItalic->isChecked();
    // A box with no entry (a stored colour outside the sixteen) keeps the stored colour.
    if (ColorBox1->currentIndex() >= 0)
        item->Color = ColorBox1->currentData().toInt();
    if (ColorBox2->currentIndex() >= 0)
        item->BackColor = ColorBox2->currentData().toInt();
    PaintSample(index);
}

QPlainTextEdit* TForm1::WordListBox(int index) const
{
    QPlainTextEdit* boxes[5] = {txtKeyList, txtOpeList, txtSp1List, txtSp2List, txtSp3List};
    for (int k = 0; k < 5; ++k)
        if (WordLists[k].ItemIndex == index)
            return boxes[k];
    return nullptr;
}

void TForm1::CheckListBox1Click()
{
    Guarded([&] {
        int index = SelectedIndex();
        ShowItemStyle(index);
        for (QPlainTextEdit* box : {txtKeyList, txtOpeList, txtSp1List, txtSp2List, txtSp3List})
            box->hide();
        Label20->setText(Q(SettingsTitle));
        if (QPlainTextEdit* box = WordListBox(index)) {
            box->show();
            Label20->setText(Q(std::u16string(TokenKind::All[index]) + ListTitleSuffix));
        }
    });
}

void TForm1::ItemChanged(QListWidgetItem* item)
{
    if (SettingTick)
        return;
    Guarded([&] {
        int row = CheckListBox1->row(item);
        if (row < 0)
            return;
        // A click on the tick does not select the item here; select it first, as the handler
        // works on the selected item. Selecting shows the stored tick, so put the new one back.
        if (SelectedIndex() != row) {
            bool on = item->checkState() == Qt::Checked;
            CheckListBox1->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
            SetTick(row, on);
        }
        CheckListBox1ClickCheck();
    });
}

void TForm1::CheckListBox1ClickCheck()
{
    Guarded([&] {
        int index = SelectedIndex();
        if (index < 0 || !ColorList)
            return;
        ColorList->Item(index)->Enabled = TickOf(index);
        PaintSample(index);
    });
}

void TForm1::ColorBox1Change()
{
    Guarded([&] { StoreItemStyle(SelectedIndex()); });
}

void TForm1::ColorBox2Change()
{
    Guarded([&] { StoreItemStyle(SelectedIndex()); });
}

void TForm1::chkBoldClick()
{
    Guarded([&] { StoreItemStyle(SelectedIndex()); });
}

void TForm1::chkItalicClick()
{
    Guarded([&] { StoreItemStyle(SelectedIndex()); });
}

void TForm1::cboLangTypeChange()
{
    Guarded([&] {
        LangCode = LanguageCode(cboLangType->currentText());
        QPlainTextEdit* boxes[5] = {txtKeyList, txtOpeList, txtSp1List, txtSp2List, txtSp3List};
        for (int k = 0; k < 5; ++k) {
            std::string path =
                Platform::ProgramFile(LangCode + "." + WordLists[k].Extension);
            // A missing list leaves its box as it is.
            if (!Platform::IsFile(path))
                continue;
            TStringList lines;
            lines.LoadFromFile(path);
            boxes[k]->setPlainText(LinesToText(lines));
        }
    });
}

void TForm1::SpeedButton1Click()
{
    Guarded([&] {
        OpenDialog1.Save = false;
        OpenDialog1.Filter = QStringLiteral("*.*");
        OpenDialog1.Options = {};
        OpenDialog1.MustExist = true;
        OpenDialog1.FolderMustExist = false;
        if (FileDialog(this, OpenDialog1))
            txtInput->setText(OpenDialog1.FileName);
    });
}

void TForm1::SpeedButton2Click()
{
    Guarded([&] {
        SaveDialog1.Save = true;
        SaveDialog1.Filter = QStringLiteral("*.html");
        SaveDialog1.Options = QFileDialog::DontConfirmOverwrite;
        SaveDialog1.MustExist = false;
        SaveDialog1.FolderMustExist = true;
        if (FileDialog(this, SaveDialog1))
            txtOutput->setText(SaveDialog1.FileName);
    });
}

bool TForm1::ShowFileDialog(QWidget* parent, TFileDialogRequest& request)
{
    // Qt's own dialog, so that the folder test above applies everywhere.
    TCheckedFileDialog dialog(parent, request.FolderMustExist);
    dialog.setOptions(request.Options | QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(request.Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.MustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setNameFilter(request.Filter);
    if (!request.FileName.isEmpty())
        dialog.selectFile(request.FileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    request.FileName = QDir::toNativeSeparators(dialog.selectedFiles().first());
    return true;
}

void TForm1::btnOKClick()
{
    Guarded([&] {
        TBusyScope busy(btnOK, btnExit);
        BuildStyleSheet();
        QPlainTextEdit* boxes[5] = {txtKeyList, txtOpeList, txtSp1List, txtSp2List, txtSp3List};
        // The user's lists: replaced whole, so a failed write never leaves half a file.
        for (int k = 0; k < 5; ++k)
            TextToLines(boxes[k]->toPlainText())
                .SaveToFile(Platform::ProgramFile(LangCode + "." + WordLists[k].Extension), true);
        RunConversion(LangCode, txtInput->text().toStdString(), txtOutput->text().toStdString());
    });
}

void TForm1::btnExitClick()
{
    Guarded([&] { close(); });
}

void InstallWindowMessageBox()
{
    Platform::SetMessageBoxHandler(
        [](const std::string& caption, const std::string& text, Platform::TMessageIcon icon) {
            QMessageBox::Icon qtIcon = icon == Platform::TMessageIcon::Error ? QMessageBox::Critical
                                       : icon == Platform::TMessageIcon::Information
                                           ? QMessageBox::Information
                                           : QMessageBox::Warning;
            QMessageBox box(qtIcon, QString::fromStdString(caption),
                            QString::fromStdString(text), QMessageBox::Ok,
                            QApplication::activeWindow());
            // The box answers to the mouse even while a run shows the busy cursor.
            QApplication::setOverrideCursor(Qt::ArrowCursor);
            box.exec();
            QApplication::restoreOverrideCursor();
        });
}
