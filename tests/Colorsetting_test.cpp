// Tests of the color.txt field syntax and of TColorSettingList: round trip and errors.
#include "output/Colorfields.h"
#include "output/Colorsettinglist.h"
#include "Testutil.h"

#include <gtest/gtest.h>
#include <memory>

#include <algorithm>
#include <cmath>
#include <iterator>

using namespace TestUtil;

namespace {

std::string Line(std::u16string_view text) { return Sjis(text) + "\r\n"; }

std::string Twelve()
{
    std::string text;
    for (int i = 0; i < 12; ++i)
        text += "item" + std::to_string(i) + ",c" + std::to_string(i) + ",0x000000,0xFFFFFF,0,0,0\r\n";
    return text;
}

} // namespace

TEST(ColorFields, SplitFields)
{
    struct Case {
        const char* line;
        std::vector<std::string> fields;
    };
    const Case cases[] = {
        {"a,b,c", {"a", "b", "c"}},
        {"  a , b ,c", {"a", "b", "c"}},
        {"\"a b\",c", {"a b", "c"}},
        {"\"say \"\"hi\"\"\",x", {"say \"hi\"", "x"}},
        {"a b,c", {"a", "b", "c"}},            // an unquoted space separates fields
        {"a,,b", {"a", "", "b"}},              // two commas give an empty field
        {"a,b,", {"a", "b", ""}},              // a final comma gives a final empty field
        {"", {}},
        {"\"a,b\"c", {"a,b", "c"}},
        {"\"open", {"open"}},                  // an unclosed quote runs to the end
        {"\t\x01x", {"x"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ColorFields::SplitFields(c.line), c.fields) << c.line;
}

TEST(ColorFields, JoinFieldsQuotesOnlyWhatNeedsIt)
{
    EXPECT_EQ(ColorFields::JoinFields({"a", "b c", "d,e", "f\"g", "", "h"}),
              "a,\"b c\",\"d,e\",\"f\"\"g\",,h");
    for (const std::vector<std::string>& fields :
         {std::vector<std::string>{"a b", "x\"y\"", ",", "\t"}, {"plain", "0x0000FF"}})
        EXPECT_EQ(ColorFields::SplitFields(ColorFields::JoinFields(fields)), fields);
}

TEST(ColorFields, ParseInteger)
{
    struct Case {
        const char* text;
        bool ok;
        std::int32_t value;
    };
    const Case cases[] = {
        {"255", true, 255},       {"0xFF", true, 255},     {"0XfF", true, 255},
        {"$FF", true, 255},       {"  12", true, 12},      {"-1", true, -1},
        {"+7", true, 7},          {"0xFFFFFFFF", true, -1}, {"2147483647", true, 2147483647},
        {"", false, 0},           {"0x", false, 0},        {"12a", false, 0},
        {"2147483648", false, 0}, {"0x100000000", false, 0}, {"abc", false, 0},
    };
    for (const Case& c : cases) {
        std::int32_t v = 0;
        EXPECT_EQ(ColorFields::ParseInteger(c.text, v), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(v, c.value) << c.text;
        }
    }
}

TEST(TColorSettingList, LoadsAndWritesBackByteForByte)
{
    TProgramFolder folder("");
    const std::string original = Line(u"予約語,res,0xFF0000,0xFFFFFF,1,0,1") +
                                 Line(u"\"a b\",\"x,y\",0x0000FF,0x000000,0,1,0");
    WriteBytes(folder.File("color.txt"), original);
    {
        TColorSettingList list;
        list.SaveOnDestroy();
        ASSERT_EQ(list.Count(), 2);
        const TColorSetting* item = list.Item(0);
        EXPECT_EQ(item->Name, Sjis(u"予約語"));
        EXPECT_EQ(item->CssClass, "res");
        EXPECT_EQ(item->Color, 0xFF0000);
        EXPECT_EQ(item->BackColor, 0xFFFFFF);
        EXPECT_TRUE(item->Bold);
        EXPECT_FALSE(item->Italic);
        EXPECT_TRUE(item->Enabled);
        EXPECT_EQ(list.Item(1)->Name, "a b");
        EXPECT_EQ(list.Item(1)->CssClass, "x,y");
    }
    EXPECT_EQ(ReadBytes(folder.File("color.txt")), original);
}

TEST(TColorSettingList, NormalisesValuesOnWriting)
{
    TProgramFolder folder("");
    TColorSettingList list(Lines("n,c,255,$FFFFFF,2,-1,0\nm,d,0xFFFFFFFF,0x1000000,0,0,1\n"));
    EXPECT_EQ(list.Item(0)->Color, 0x0000FF);
    EXPECT_TRUE(list.Item(0)->Bold);
    EXPECT_TRUE(list.Item(0)->Italic);
    list.Save();
    EXPECT_EQ(ReadBytes(folder.File("color.txt")),
              "n,c,0x0000FF,0xFFFFFF,1,1,0\r\nm,d,0xFFFFFFFF,0x1000000,0,0,1\r\n");
}

TEST(TColorSettingList, UnquotedSpaceShiftsFields)
{
    TColorSettingList list(Lines("a b,0,0,0,0,0,0\r\n"));
    EXPECT_EQ(list.Item(0)->Name, "a");
    EXPECT_EQ(list.Item(0)->CssClass, "b");
    EXPECT_EQ(list.Item(0)->BackColor, 0); // the shift moved every later field one place
}

TEST(TColorSettingList, MalformedFileNamesFileAndLineAndIsNotRewritten)
{
    struct Case {
        const char* name;
        std::string text;
        const char* expectInMessage;
    };
    const Case cases[] = {
        {"too few fields", Twelve() + "x,y,0,0,0,0\r\n", "13 行目"},
        {"empty line", "a,b,0,0,0,0,0\r\n\r\n", "2 行目"},
        {"colour not an integer", "a,b,red,0,0,0,0\r\n", "\"red\""},
        {"flag not an integer", "a,b,0,0,yes,0,0\r\n", "\"yes\""},
    };
    for (const Case& c : cases) {
        TProgramFolder folder("");
        WriteBytes(folder.File("color.txt"), c.text);
        try {
            TColorSettingList list;
            ADD_FAILURE() << c.name << ": loaded";
        } catch (const TFileError& e) {
            std::string message = e.what();
            EXPECT_NE(message.find("color.txt"), std::string::npos) << c.name << ": " << message;
            EXPECT_NE(message.find(c.expectInMessage), std::string::npos) << c.name << ": " << message;
        }
        EXPECT_EQ(ReadBytes(folder.File("color.txt")), c.text) << c.name;
    }
}

TEST(TColorSettingList, WritesColorTxtOnReleaseOnlyWhenArmed)
{
    const std::string stored = "a,b,0x000000,0xFFFFFF,0,0,0\r\n";
    struct Case {
        const char* name;
        bool fromLines;
        bool armed;
    };
    const Case cases[] = {
        {"from lines", true, false},
        {"from lines, armed", true, true},
        {"from color.txt", false, false},
        {"from color.txt, armed", false, true},
    };
    for (const Case& c : cases) {
        TProgramFolder folder("");
        WriteBytes(folder.File("color.txt"), "a,b,0,0xFFFFFF,0,0,0\r\n");
        {
            std::unique_ptr<TColorSettingList> list =
                c.fromLines ? std::make_unique<TColorSettingList>(Lines("a,b,0,0xFFFFFF,0,0,0"))
                            : std::make_unique<TColorSettingList>();
            if (c.armed)
                list->SaveOnDestroy();
        }
        EXPECT_EQ(ReadBytes(folder.File("color.txt")),
                  c.armed ? stored : "a,b,0,0xFFFFFF,0,0,0\r\n")
            << c.name;
    }
}

TEST(TColorSettingList, MalformedLinesNameTheirOrigin)
{
    try {
        TColorSettingList list(Lines("a,b,0,0,0,0,0\nshort\n"), "my colours");
        ADD_FAILURE() << "loaded";
    } catch (const TFileError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("my colours: 2 行目: ", 0), 0u) << e.what();
    }
}

TEST(TColorSettingList, MissingFileThrowsWithPath)
{
    TProgramFolder folder("");
    try {
        TColorSettingList list;
        ADD_FAILURE() << "loaded";
    } catch (const TFileError& e) {
        EXPECT_NE(std::string(e.what()).find(folder.File("color.txt")), std::string::npos);
    }
    EXPECT_FALSE(Exists(folder.File("color.txt")));
}

TEST(TColorSettingList, ShippedFileHasTheTwelveItemsInOrder)
{
    TColorSettingList list(Lines(ReadBytes(std::string(CORVINA_DATA_DIR) + "/color.txt")));
    ASSERT_EQ(list.Count(), 12);
    const std::u16string_view names[] = {u"予約語", u"ディレクティブ", u"コメント", u"文字列",
                                         u"文字",   u"数字",           u"識別子",   u"演算子",
                                         u"区切り記号", u"強調１",      u"強調２",   u"強調３"};
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(Wide(list.Item(i)->Name), names[i]) << i;
}

namespace {

// WCAG relative luminance of a 0x00BBGGRR colour.
double Luminance(int color)
{
    auto channel = [color](int shift) {
        double c = ((color >> shift) & 0xFF) / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(0) + 0.7152 * channel(8) + 0.0722 * channel(16);
}

double Contrast(int a, int b)
{
    double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Body text needs this much contrast to its background to stay readable.
constexpr double ReadableContrast = 4.5;

// The colours the window's colour boxes offer: a shipped colour outside them could not be shown
// or chosen again there.
const int BoxColors[] = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080,
                         0x808000, 0x808080, 0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF,
                         0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};

} // namespace

TEST(TColorSettingList, ContrastFollowsTheRelativeLuminanceOfBothColours)
{
    struct Case {
        int a, b;
        double ratio;
    };
    const Case cases[] = {
        {0x000000, 0xFFFFFF, 21.0},  {0xFFFFFF, 0x000000, 21.0}, // order does not matter
        {0x0000FF, 0xFFFFFF, 4.00},  {0xFF0000, 0xFFFFFF, 8.59}, // red, blue on white
        {0x008000, 0xFFFFFF, 5.14},  {0x808080, 0xFFFFFF, 3.95}, // green, gray on white
        {0x00FFFF, 0x000000, 19.56}, {0x123456, 0x123456, 1.0},  // yellow under black; same
    };
    for (const Case& c : cases)
        EXPECT_NEAR(Contrast(c.a, c.b), c.ratio, 0.01) << std::hex << c.a << " on " << c.b;
}

// Every item's text must be readable on its background as shipped, the switched-off ones too,
// since ticking an item shows the colours it holds.
TEST(TColorSettingList, ShippedColoursAreBoxColoursWithReadableContrast)
{
    EXPECT_GE(Contrast(0x000000, 0xFFFFFF), ReadableContrast) << "the block's black on white";
    TColorSettingList list(Lines(ReadBytes(std::string(CORVINA_DATA_DIR) + "/color.txt")));
    auto isBoxColor = [](int color) {
        return std::find(std::begin(BoxColors), std::end(BoxColors), color) != std::end(BoxColors);
    };
    for (int i = 0; i < list.Count(); ++i) {
        const TColorSetting* item = list.Item(i);
        std::string name = Utf8(Wide(item->Name));
        EXPECT_TRUE(isBoxColor(item->Color)) << name << ": text colour " << std::hex << item->Color;
        EXPECT_TRUE(isBoxColor(item->BackColor))
            << name << ": background " << std::hex << item->BackColor;
        EXPECT_GE(Contrast(item->Color, item->BackColor), ReadableContrast) << name;
    }
}
