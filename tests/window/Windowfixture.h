// Windowfixture: a window on a temporary program folder with known display items, and helpers.
#pragma once

#include "Faultyfiles.h"
#include "Testutil.h"
#include "output/Colorsettinglist.h"
#include "ui/Unit1.h"

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

// Twelve items: item 6 has a text colour and item 10 a background outside the sixteen colours;
// item 11 is bold and italic, so the tick boxes show that after start-up.
inline const char16_t* const ColorTxt = u"予約語,res,0x800000,0xFFFFFF,1,0,1\r\n"
                                        u"ディレクティブ,dir,0x008000,0xFFFFFF,0,0,1\r\n"
                                        u"コメント,cmt,0x000000,0xFFFFFF,0,0,1\r\n"
                                        u"文字列,str,0x000080,0xFFFFFF,0,0,1\r\n"
                                        u"文字,chr,0x000080,0xFFFFFF,0,0,0\r\n"
                                        u"数字,num,0x808000,0xFFFFFF,0,0,1\r\n"
                                        u"識別子,idt,0x123456,0xFFFFFF,0,0,0\r\n"
                                        u"演算子,ope,0x0000FF,0xFFFFFF,0,0,1\r\n"
                                        u"区切り記号,dlm,0x000000,0xFFFFFF,0,0,0\r\n"
                                        u"強調１,em1,0xFF0000,0xFFFFFF,0,0,1\r\n"
                                        u"強調２,em2,0x800080,0xABCDEF,1,0,1\r\n"
                                        u"強調３,em3,0x000000,0x00FFFF,1,1,1\r\n";

inline QString Q(std::u16string_view text) { return QString::fromStdU16String(std::u16string(text)); }

inline QColor Rgb(std::int32_t bbggrr)
{
    return QColor(bbggrr & 0xFF, (bbggrr >> 8) & 0xFF, (bbggrr >> 16) & 0xFF);
}

class TWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestUtil::WriteBytes(Folder.File("color.txt"), TestUtil::Sjis(ColorTxt));
        TestUtil::WriteBytes(Folder.File("header.txt"), "<PRE>\r\n");
        TestUtil::WriteBytes(Folder.File("footer.txt"), "</PRE>\r\n");
        TestUtil::WriteBytes(Folder.File("escape.txt"), "");
        Platform::SetMessageBoxHandler(
            [this](const std::string& caption, const std::string& text, Platform::TMessageIcon) {
                Messages.push_back(caption + ": " + text);
            });
    }
    void TearDown() override
    {
        Form.reset();
        Platform::SetMessageBoxHandler(nullptr);
    }

    void Open() { Form = std::make_unique<TForm1>(); }

    // Every item as the line color.txt would get.
    std::vector<std::string> Items() const
    {
        std::vector<std::string> lines;
        for (int i = 0; i < Form->ColorList->Count(); ++i)
            lines.push_back(TColorSettingList::FormatLine(*Form->ColorList->Item(i)));
        return lines;
    }
    TColorSetting& Item(int index) { return *Form->ColorList->Item(index); }

    // What the user does.
    void Select(int index) { Form->CheckListBox1->setCurrentRow(index); }
    void UserTick(int index, bool on)
    {
        Form->CheckListBox1->item(index)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    }
    void ChooseLanguage(const QString& caption)
    {
        int index = Form->cboLangType->findText(caption);
        ASSERT_GE(index, 0) << caption.toStdString();
        Form->cboLangType->setCurrentIndex(index);
        emit Form->cboLangType->activated(index);
    }
    void ChooseColor(QComboBox* box, const char16_t* name)
    {
        int index = box->findText(Q(name));
        ASSERT_GE(index, 0);
        box->setCurrentIndex(index);
    }
    bool Tick(int index) const
    {
        return Form->CheckListBox1->item(index)->checkState() == Qt::Checked;
    }
    QLabel* Sample(int index) const { return (*Form->SampleLabels)[static_cast<size_t>(index)]; }
    // The word-list box on show, or nullptr.
    QPlainTextEdit* VisibleBox() const
    {
        QPlainTextEdit* shown = nullptr;
        for (QPlainTextEdit* box : {Form->txtKeyList, Form->txtOpeList, Form->txtSp1List,
                                    Form->txtSp2List, Form->txtSp3List})
            if (!box->isHidden()) {
                EXPECT_EQ(shown, nullptr) << "two word-list boxes on show";
                shown = box;
            }
        return shown;
    }

    TestUtil::TProgramFolder Folder{""};
    TFaultyFiles Faulty;
    TInstalledFiles Installed{Faulty};
    std::unique_ptr<TForm1> Form;
    std::vector<std::string> Messages;
};

} // namespace WindowTest
