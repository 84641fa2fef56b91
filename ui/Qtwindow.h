// Qtwindow: the main window on Qt 6 widgets: the controls at their places, with their fonts, on
// top of TForm1, which holds every handler.
#pragma once

#include "ui/Controls.h"
#include "ui/Layout.h"
#include "ui/Qtcontrols.h"
#include "ui/Unit1.h"

#include <QWidget>

#include <memory>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QToolButton;
class QTranslator;

class TQtWindow : public QWidget {
    Q_OBJECT

public:
    // Builds the controls, then runs FormCreate: with three or more arguments the batch run,
    // otherwise the interactive set-up. Failures (color.txt) throw.
    explicit TQtWindow(const std::vector<std::string>& args = {}, QWidget* parent = nullptr);
    ~TQtWindow() override;

    // The window's behaviour; its controls are the widgets below.
    std::unique_ptr<TForm1> Form;
    TForm1Controls Controls;

    QLabel* Label1;
    QComboBox* cboLangType;
    QLabel* Label2;
    QFrame* InputFrame;
    QLineEdit* txtInput;
    QToolButton* SpeedButton1;
    QLabel* Label3;
    QFrame* OutputFrame;
    QLineEdit* txtOutput;
    QToolButton* SpeedButton2;
    QLabel* Label4;
    QListWidget* CheckListBox1;
    QLabel* Label5;
    QComboBox* ColorBox1;
    QCheckBox* chkBold;
    QCheckBox* chkItalic;
    QLabel* Label6;
    QComboBox* ColorBox2;
    QLabel* Label16;
    QFrame* Panel2;
    // Label7 to Label15 and Label17 to Label19, the samples of items 0 to 11.
    QLabel* Samples[Layout::ItemCount];
    QLabel* Label20;
    QFrame* pnlDummy;
    // In the order of TForm1::WordLists.
    QPlainTextEdit* WordListBoxes[5];
    QFrame* Bevel1;
    QPushButton* btnOK;
    QPushButton* btnExit;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateControls();
    void NameControls();
    void CreateAdapters();
    void DisconnectControls();

    // The control interfaces on the widgets above.
    std::vector<std::unique_ptr<TTextBox>> TextBoxes;
    std::unique_ptr<TQtCheckList> CheckList;
    std::unique_ptr<TQtColorBox> ColorBoxes[2];
    std::unique_ptr<TQtTickBox> TickBoxes[2];
    std::vector<std::unique_ptr<TQtLabel>> Labels;
    std::unique_ptr<TQtPanel> Placeholder;
    std::vector<std::unique_ptr<TQtMemo>> Memos;
    std::unique_ptr<TQtButton> Buttons[4];
    std::unique_ptr<TQtFileDialog> Dialogs[2];
    std::unique_ptr<TQtWindowControl> WindowControl;
};

// The application as the window wants it, for the life of the object: Qt's own texts (dialog
// buttons and labels, its messages) in Japanese whatever the system's locale, and captions
// exactly as set. Made after the QApplication.
class TQtApplicationSetup {
public:
    TQtApplicationSetup();
    ~TQtApplicationSetup();
    TQtApplicationSetup(const TQtApplicationSetup&) = delete;
    TQtApplicationSetup& operator=(const TQtApplicationSetup&) = delete;

private:
    std::unique_ptr<QTranslator> Translator;
};

// Installs the window's message box (a QMessageBox) as the platform's message box.
void InstallWindowMessageBox();
