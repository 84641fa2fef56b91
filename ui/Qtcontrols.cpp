// Qtcontrols: the control interfaces on Qt widgets: texts, ticks, colours, dialogs, the cursor.
#include "ui/Qtcontrols.h"

#include "platform/Messagebox.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QWindow>

using QtControls::Fire;
using QtControls::ToQString;

namespace {

// Sets a flag for the life of the scope.
class TSettingScope {
public:
    explicit TSettingScope(bool& flag) : Flag(flag), Was(flag) { Flag = true; }
    ~TSettingScope() { Flag = Was; }
    TSettingScope(const TSettingScope&) = delete;
    TSettingScope& operator=(const TSettingScope&) = delete;

private:
    bool& Flag;
    bool Was;
};

// A file dialog of a fixed size that refuses, and says why, a name whose folder does not exist
// when asked to.
class TCheckedFileDialog : public QFileDialog {
public:
    TCheckedFileDialog(QWidget* parent, bool folderMustExist)
        : QFileDialog(parent), FolderMustExist(folderMustExist)
    {}
    void accept() override
    {
        if (FolderMustExist) {
            QStringList files = selectedFiles();
            if (!files.isEmpty()) {
                QDir folder = QFileInfo(files.first()).absoluteDir();
                if (!folder.exists()) {
                    Platform::ShowError("保存先のフォルダがありません: " +
                                        QDir::toNativeSeparators(folder.path()).toStdString());
                    return;
                }
            }
        }
        QFileDialog::accept();
    }

protected:
    void showEvent(QShowEvent* event) override
    {
        QFileDialog::showEvent(event);
        setSizeGripEnabled(false);
        setFixedSize(size());
    }

private:
    bool FolderMustExist;
};

// "*.*" is the pattern of every file, also of a name without a dot: it is shown as it is
// written and matched as "*".
bool MatchesEveryFile(const std::u16string& filter) { return filter == u"*.*"; }

} // namespace

QString QtControls::ToQString(std::u16string_view text)
{
    return QString(reinterpret_cast<const QChar*>(text.data()),
                   static_cast<qsizetype>(text.size()));
}

QColor QtControls::ToQColor(std::int32_t value)
{
    auto v = static_cast<std::uint32_t>(value);
    return QColor(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF),
                  static_cast<int>((v >> 16) & 0xFF));
}

void QtControls::Fire(const TNotifyEvent& event)
{
    if (event)
        event();
}

std::u16string TQtTextBox::Text() const { return Edit->text().toStdU16String(); }

void TQtTextBox::SetText(const std::u16string& text) { Edit->setText(ToQString(text)); }

TQtListBox::TQtListBox(QComboBox* box, QObject* context) : Box(box)
{
    QObject::connect(Box, &QComboBox::activated, context, [this] { Fire(OnChange); });
}

std::u16string TQtListBox::Text() const
{
    return Box->currentIndex() < 0 ? std::u16string() : Box->currentText().toStdU16String();
}

void TQtListBox::SetText(const std::u16string& text)
{
    Box->setCurrentIndex(Box->findText(ToQString(text), Qt::MatchExactly | Qt::MatchCaseSensitive));
}

std::u16string TQtMemo::Text() const { return Edit->toPlainText().toStdU16String(); }

void TQtMemo::SetText(const std::u16string& text) { Edit->setPlainText(ToQString(text)); }

bool TQtMemo::Visible() const { return !Edit->isHidden(); }

void TQtMemo::SetVisible(bool visible) { Edit->setVisible(visible); }

void TQtMemo::MoveTo(int left, int top) { Edit->move(left, top); }

int TQtPanel::Left() const { return Frame->x(); }

int TQtPanel::Top() const { return Frame->y(); }

void TQtLabel::SetText(const std::u16string& text) { Label->setText(ToQString(text)); }

void TQtLabel::SetColors(std::int32_t text, std::int32_t background)
{
    QPalette palette = Label->palette();
    palette.setColor(QPalette::Window, QtControls::ToQColor(background));
    palette.setColor(QPalette::WindowText, QtControls::ToQColor(text));
    Label->setPalette(palette);
}

void TQtLabel::SetFontStyle(bool bold, bool italic)
{
    QFont font = Label->font();
    font.setBold(bold);
    font.setItalic(italic);
    Label->setFont(font);
    // A sample covers just its caption, whatever the style makes of its width.
    Label->adjustSize();
}

TQtTickBox::TQtTickBox(QCheckBox* box, QObject* context) : Box(box)
{
    QObject::connect(Box, &QCheckBox::toggled, context, [this] { Fire(OnClick); });
}

bool TQtTickBox::Checked() const { return Box->isChecked(); }

void TQtTickBox::SetChecked(bool checked) { Box->setChecked(checked); }

TQtCheckList::TQtCheckList(QListWidget* list, QObject* context) : List(list)
{
    QObject::connect(List, &QListWidget::itemSelectionChanged, context, [this] {
        if (!Setting)
            Fire(OnClick);
    });
    QObject::connect(List, &QListWidget::itemChanged, context,
                     [this](QListWidgetItem* item) { ItemChanged(item); });
}

int TQtCheckList::ItemIndex() const
{
    QList<QListWidgetItem*> selected = List->selectedItems();
    return selected.isEmpty() ? -1 : List->row(selected.first());
}

void TQtCheckList::SetItemIndex(int index)
{
    TSettingScope setting(Setting);
    if (index < 0)
        List->clearSelection();
    else
        List->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
}

bool TQtCheckList::Checked(int index) const
{
    return List->item(index)->checkState() == Qt::Checked;
}

void TQtCheckList::SetChecked(int index, bool checked)
{
    TSettingScope setting(Setting);
    List->item(index)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

void TQtCheckList::ItemChanged(QListWidgetItem* item)
{
    if (Setting)
        return;
    int row = List->row(item);
    if (row < 0)
        return;
    // A click on the tick does not select the item here; select it first, as the handler
    // works on the selected item. Selecting shows the stored tick, so put the new one back.
    if (ItemIndex() != row) {
        bool on = item->checkState() == Qt::Checked;
        List->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
        SetChecked(row, on);
    }
    Fire(OnClickCheck);
}

TQtColorBox::TQtColorBox(QComboBox* box, QObject* context) : Box(box)
{
    QObject::connect(Box, &QComboBox::currentIndexChanged, context, [this] { Fire(OnChange); });
}

void TQtColorBox::SetColors(std::span<const TBasicColor> colors)
{
    Box->clear();
    Box->setIconSize(QSize(16, 11));
    for (const TBasicColor& color : colors) {
        QPixmap swatch(16, 11);
        swatch.fill(QtControls::ToQColor(color.Value));
        QPainter painter(&swatch);
        painter.setPen(Qt::black);
        painter.drawRect(0, 0, 15, 10);
        painter.end();
        Box->addItem(QIcon(swatch), ToQString(color.Name), QVariant(static_cast<int>(color.Value)));
    }
}

std::optional<std::int32_t> TQtColorBox::Selected() const
{
    if (Box->currentIndex() < 0)
        return std::nullopt;
    return Box->currentData().toInt();
}

void TQtColorBox::Select(std::int32_t value)
{
    // A colour outside the set selects no entry.
    Box->setCurrentIndex(Box->findData(QVariant(static_cast<int>(value))));
}

TQtButton::TQtButton(QAbstractButton* button, QObject* context) : Button(button)
{
    QObject::connect(Button, &QAbstractButton::clicked, context, [this] { Fire(OnClick); });
}

bool TQtButton::Enabled() const { return Button->isEnabled(); }

void TQtButton::SetEnabled(bool enabled) { Button->setEnabled(enabled); }

bool TQtFileDialog::Execute()
{
    TCheckedFileDialog dialog(Parent, PathMustExist);
    QFileDialog::Options options = QFileDialog::DontUseNativeDialog;
    if (MatchesEveryFile(Filter))
        options |= QFileDialog::HideNameFilterDetails;
    // No question before an existing file is replaced.
    if (Save)
        options |= QFileDialog::DontConfirmOverwrite;
    dialog.setOptions(options);
    dialog.setAcceptMode(Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(FileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setNameFilter(MatchesEveryFile(Filter) ? ToQString(Filter) + QStringLiteral(" (*)")
                                                  : ToQString(Filter));
    if (!FileName.empty())
        dialog.selectFile(ToQString(FileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    FileName = QDir::toNativeSeparators(dialog.selectedFiles().first()).toStdU16String();
    return true;
}

void TQtWindowControl::BeginBusy()
{
    Focus = QApplication::focusWidget();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QCoreApplication::instance()->installEventFilter(this);
}

void TQtWindowControl::EndBusy()
{
    // The run kept the event loop waiting: what the user typed meanwhile is still queued, and is
    // taken in and dropped before the window answers again.
    QGuiApplication::sync();
    QCoreApplication::instance()->removeEventFilter(this);
    QApplication::restoreOverrideCursor();
    if (Focus && Focus->isEnabled() && Focus->isVisible())
        Focus->setFocus(Qt::OtherFocusReason);
    Focus = nullptr;
}

bool TQtWindowControl::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::InputMethod:
        break;
    default:
        return false;
    }
    // A message box shown during the run takes its input as ever.
    if (auto* widget = qobject_cast<QWidget*>(watched))
        return widget->window() == Window;
    if (auto* window = qobject_cast<QWindow*>(watched))
        return window == Window->windowHandle();
    return false;
}

// Paints at once rather than from the event loop, which the run keeps waiting.
void TQtWindowControl::Update() { Window->repaint(); }

void TQtWindowControl::Close() { Window->close(); }
