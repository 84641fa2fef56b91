// Tests of the Windows controls' own rules: line ends between a word list and an edit control,
// and the file dialogs' filter and options.
#include "ui/Win32controls.h"

#include <commdlg.h>
#include <gtest/gtest.h>

TEST(Win32Controls, LineEndsBetweenBoxTextAndEditControl)
{
    struct Case {
        std::u16string box, edit;
    };
    const Case cases[] = {
        {u"", u""},
        {u"a\nb\n", u"a\r\nb\r\n"},
        {u"\n\n", u"\r\n\r\n"},
        {u"一覧", u"一覧"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Win32Controls::ToEditText(c.box), c.edit);
        EXPECT_EQ(Win32Controls::FromEditText(c.edit), c.box);
    }
    // What the user may leave in an edit control: a lone CR is one line end too.
    EXPECT_EQ(Win32Controls::FromEditText(u"a\rb\r\n\rc"), u"a\nb\n\nc");
}

TEST(TWin32FileDialog, FilterIsThePatternAloneAndOnlyTheOptionsAskedFor)
{
    struct Case {
        const char16_t* filter;
        bool fileMustExist, pathMustExist;
        std::wstring text;
        DWORD flags;
    };
    const Case cases[] = {
        {u"*.*", true, false, std::wstring(L"*.*\0*.*\0", 8), OFN_FILEMUSTEXIST},
        {u"*.html", false, true, std::wstring(L"*.html\0*.html\0", 14), OFN_PATHMUSTEXIST},
        {u"*.txt", false, false, std::wstring(L"*.txt\0*.txt\0", 12), 0},
    };
    for (const Case& c : cases) {
        TWin32FileDialog dialog(nullptr, false);
        dialog.Filter = c.filter;
        dialog.FileMustExist = c.fileMustExist;
        dialog.PathMustExist = c.pathMustExist;
        EXPECT_EQ(dialog.FilterText(), c.text);
        EXPECT_EQ(dialog.Flags(), c.flags);
    }
}
