// Windowfixture: the Qt window on a temporary program folder with known display items, and what
// the user does with its widgets.
#pragma once

#include "Formsetup.h"
#include "output/Colorfields.h"
#include "ui/Qtwindow.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QString>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace WindowTest {

using FormTest::ColorTxt;

inline QString Q(std::u16string_view text)
{
    return QString::fromStdU16String(std::u16string(text));
}

inline QColor Rgb(std::int32_t bbggrr)
{
    return QColor(bbggrr & 0xFF, (bbggrr >> 8) & 0xFF, (bbggrr >> 16) & 0xFF);
}

class TWindowTest : public ::testing::Test {
protected:
    void TearDown() override { Window.reset(); }

    void Open() { Window = std::make_unique<TQtWindow>(); }

    TColorSetting& Item(int index) { return *Window->Form->ColorList->Item(index); }

    // What the user does.
    void Select(int index) { Window->CheckListBox1->setCurrentRow(index); }
    void UserTick(int index, bool on)
    {
        Window->CheckListBox1->item(index)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    }
    void ChooseLanguage(const QString& caption)
    {
        int index = Window->cboLangType->findText(caption);
        ASSERT_GE(index, 0) << caption.toStdString();
        Window->cboLangType->setCurrentIndex(index);
        emit Window->cboLangType->activated(index);
    }
    void ChooseColor(QComboBox* box, const char16_t* name)
    {
        int index = box->findText(Q(name));
        ASSERT_GE(index, 0);
        box->setCurrentIndex(index);
    }
    bool Tick(int index) const
    {
        return Window->CheckListBox1->item(index)->checkState() == Qt::Checked;
    }
    int SelectedIndex() const { return Window->Controls.CheckListBox1->ItemIndex(); }
    QLabel* Sample(int index) const { return Window->Samples[index]; }

    FormTest::TFormSetup Setup;
    std::unique_ptr<TQtWindow> Window;
};

} // namespace WindowTest
