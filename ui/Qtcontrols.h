// Qtcontrols: the control interfaces of the main window implemented on Qt 6 widgets.
#pragma once

#include "ui/Controls.h"

#include <QColor>
#include <QPointer>
#include <QWidget>

#include <string_view>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QObject;
class QPlainTextEdit;
class QAbstractButton;
class QString;
class QWidget;

namespace QtControls {

QString ToQString(std::u16string_view text);
// 0x00BBGGRR -> QColor.
QColor ToQColor(std::int32_t value);

// Runs a control's event if one is set. The controls connect their widgets' signals with the
// window as context, so that the window can cut every connection before its parts go.
void Fire(const TNotifyEvent& event);

} // namespace QtControls

class TQtTextBox final : public TTextBox {
public:
    explicit TQtTextBox(QLineEdit* edit) : Edit(edit) {}
    std::u16string Text() const override;
    void SetText(const std::u16string& text) override;

private:
    QLineEdit* Edit;
};

// The language drop-down: its text is the chosen entry's caption; OnChange fires for the user's
// choice only.
class TQtListBox final : public TTextBox {
public:
    TQtListBox(QComboBox* box, QObject* context);
    std::u16string Text() const override;
    void SetText(const std::u16string& text) override;

private:
    QComboBox* Box;
};

class TQtMemo final : public TMemo {
public:
    explicit TQtMemo(QPlainTextEdit* edit) : Edit(edit) {}
    std::u16string Text() const override;
    void SetText(const std::u16string& text) override;
    bool Visible() const override;
    void SetVisible(bool visible) override;
    void MoveTo(int left, int top) override;

private:
    QPlainTextEdit* Edit;
};

class TQtPanel final : public TPanel {
public:
    explicit TQtPanel(QFrame* frame) : Frame(frame) {}
    int Left() const override;
    int Top() const override;

private:
    QFrame* Frame;
};

class TQtLabel final : public TLabel {
public:
    explicit TQtLabel(QLabel* label) : Label(label) {}
    void SetText(const std::u16string& text) override;
    void SetColors(std::int32_t text, std::int32_t background) override;
    void SetFontStyle(bool bold, bool italic) override;

private:
    QLabel* Label;
};

class TQtTickBox final : public TTickBox {
public:
    TQtTickBox(QCheckBox* box, QObject* context);
    bool Checked() const override;
    void SetChecked(bool checked) override;

private:
    QCheckBox* Box;
};

class TQtCheckList final : public TCheckList {
public:
    TQtCheckList(QListWidget* list, QObject* context);
    int ItemIndex() const override;
    void SetItemIndex(int index) override;
    bool Checked(int index) const override;
    void SetChecked(int index, bool checked) override;

private:
    QListWidget* List;
    // Set while the program itself changes the list, so only the user's acts fire events.
    bool Setting = false;

    void ItemChanged(QListWidgetItem* item);
};

class TQtColorBox final : public TColorBox {
public:
    TQtColorBox(QComboBox* box, QObject* context);
    void SetColors(std::span<const TBasicColor> colors) override;
    std::optional<std::int32_t> Selected() const override;
    void Select(std::int32_t value) override;

private:
    QComboBox* Box;
};

class TQtButton final : public TButton {
public:
    TQtButton(QAbstractButton* button, QObject* context);
    bool Enabled() const override;
    void SetEnabled(bool enabled) override;

private:
    QAbstractButton* Button;
};

// Qt's own file dialog (the same on every desktop, so the folder test applies everywhere).
class TQtFileDialog final : public TFileDialog {
public:
    TQtFileDialog(QWidget* parent, bool save) : Parent(parent), Save(save) {}
    bool Execute() override;

private:
    QWidget* Parent;
    bool Save;
};

// The busy cursor of the application; the focus goes back where it was when a run ends, as
// disabling the focused button moves it on. Keys and clicks on the window that arrive while it is
// busy are dropped, not played into it once the run is over.
class TQtWindowControl final : public QObject, public TWindowControl {
public:
    explicit TQtWindowControl(QWidget* window) : Window(window) {}
    void BeginBusy() override;
    void EndBusy() override;
    void Update() override;
    void Close() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* Window;
    QPointer<QWidget> Focus;
};
