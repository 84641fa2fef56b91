// Unit1: the main window (TForm1): its controls, layout and event handlers on top of TForm1Core.
#pragma once

#include "ui/Form1core.h"

#include <QFileDialog>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

// One of the window's two file dialogs: what is asked each time and the name chosen last.
struct TFileDialogRequest {
    bool Save = false;
    QString Filter;
    QFileDialog::Options Options;
    bool MustExist = false;       // open: the chosen file must exist
    bool FolderMustExist = false; // save: the chosen file's folder must exist
    QString FileName;             // the last chosen name, kept between uses
};

// Shows a dialog for request; on OK stores the full name in request.FileName and answers true.
using TFileDialogFunction = std::function<bool(QWidget* parent, TFileDialogRequest& request)>;

class TForm1 : public QWidget, public TForm1Core {
    Q_OBJECT

public:
    // Builds the controls, then runs FormCreate: with three or more arguments the batch run,
    // otherwise the interactive set-up. Failures (color.txt) throw.
    explicit TForm1(const std::vector<std::string>& args = {}, QWidget* parent = nullptr);
    ~TForm1() override;

    void FormClose() override;

    void ShowItemStyle(int index);
    void PaintSample(int index);
    void StoreItemStyle(int index);

    // Handlers, connected where their controls are made.
    void CheckListBox1Click();
    void CheckListBox1ClickCheck();
    void ColorBox1Change();
    void ColorBox2Change();
    void chkBoldClick();
    void chkItalicClick();
    void cboLangTypeChange();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void btnOKClick();
    void btnExitClick();

    // The selected display item of the check list, -1 when none.
    int SelectedIndex() const;

    // The colour box entries: Japanese name and 0x00BBGGRR value, in list order.
    struct TBasicColor {
        const char16_t* Name;
        std::int32_t Value;
    };
    static const TBasicColor BasicColors[16];
    // The language code of a language-list caption ("txt" for any unknown caption).
    static std::string LanguageCode(const QString& caption);

    // Test seam and default of the file dialogs.
    void SetFileDialogFunction(TFileDialogFunction function) { FileDialog = std::move(function); }
    static bool ShowFileDialog(QWidget* parent, TFileDialogRequest& request);

    bool Updating = false;
    std::unique_ptr<std::vector<QLabel*>> SampleLabels;

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
    QLabel* Label7;
    QLabel* Label8;
    QLabel* Label9;
    QLabel* Label10;
    QLabel* Label11;
    QLabel* Label12;
    QLabel* Label13;
    QLabel* Label14;
    QLabel* Label15;
    QLabel* Label17;
    QLabel* Label18;
    QLabel* Label19;
    QLabel* Label20;
    QFrame* pnlDummy;
    QPlainTextEdit* txtKeyList;
    QPlainTextEdit* txtOpeList;
    QPlainTextEdit* txtSp1List;
    QPlainTextEdit* txtSp2List;
    QPlainTextEdit* txtSp3List;
    QFrame* Bevel1;
    QPushButton* btnOK;
    QPushButton* btnExit;
    TFileDialogRequest OpenDialog1;
    TFileDialogRequest SaveDialog1;

protected:
    void InitWindow() override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateControls();
    void FillColorBox(QComboBox* box);
    static void SetColorBox(QComboBox* box, std::int32_t value);
    // Runs a handler body; an exception is shown in the error box and the window goes on.
    void Guarded(const std::function<void()>& body);
    void ItemChanged(QListWidgetItem* item);
    void SetTick(int index, bool on);
    bool TickOf(int index) const;
    QPlainTextEdit* WordListBox(int index) const;

    // Set while the program itself changes a tick, so only the user's toggles run the handler.
    bool SettingTick = false;
    TFileDialogFunction FileDialog = &TForm1::ShowFileDialog;
};

// Installs the window's message box (a QMessageBox) as the platform's message box.
void InstallWindowMessageBox();
