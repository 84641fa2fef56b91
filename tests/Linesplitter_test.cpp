// Tests of TLineSplitter, the one home of the line-end rules, and of the list that uses it.
#include "core/Linesplitter.h"
#include "core/Stringlist.h"
#include "Testutil.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace TestUtil;

namespace {

using TLines = std::vector<std::string>;

TLines Split(std::string_view data)
{
    TLineSplitter splitter(data);
    TLines lines;
    std::string_view line;
    while (splitter.Next(line))
        lines.emplace_back(line);
    EXPECT_FALSE(splitter.Next(line)) << "a finished splitter stays finished";
    return lines;
}

// The rules read one byte at a time: the reference the splitter is held to.
TLines SplitByteByByte(std::string_view data)
{
    TLines lines;
    std::string line;
    bool open = false;
    for (size_t i = 0; i < data.size() && data[i] != '\0'; ++i) {
        char ch = data[i];
        if (ch != '\r' && ch != '\n') {
            line += ch;
            open = true;
            continue;
        }
        lines.push_back(line);
        line.clear();
        open = false;
        if (ch == '\r' && i + 1 < data.size() && data[i + 1] == '\n')
            ++i;
    }
    if (open)
        lines.push_back(line);
    return lines;
}

} // namespace

TEST(TLineSplitter, LineEndsAndZeroByte)
{
    struct Case {
        const char* name;
        std::string data;
        TLines expected;
    };
    const Case cases[] = {
        {"empty data has no lines", "", {}},
        {"last line without end", "ab\r\ncd", {"ab", "cd"}},
        {"final line end starts no line", "ab\r\n", {"ab"}},
        {"one CR LF is one empty line", "\r\n", {""}},
        {"lone CR", "a\rb", {"a", "b"}},
        {"lone LF", "a\nb\n", {"a", "b"}},
        {"LF CR is two line ends", "a\n\rb", {"a", "", "b"}},
        {"CR CR LF", "a\r\r\nb", {"a", "", "b"}},
        {"CR at the very end", "a\r", {"a"}},
        {"empty lines only", "\n\n\r", {"", "", ""}},
        {"zero byte ends the text", std::string("ab\0cd\r\nef", 9), {"ab"}},
        {"zero byte first", std::string("\0abc", 4), {}},
        {"zero byte right after a line end", std::string("a\r\n\0b", 5), {"a"}},
        {"bytes above 127 are ordinary", "\x81\r\x5C\xE0\n", {"\x81", "\x5C\xE0"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Split(c.data), c.expected) << c.name;
        EXPECT_EQ(SplitByteByByte(c.data), c.expected) << c.name << " (reference)";
        TStringList list;
        list.SetText(c.data);
        EXPECT_EQ(list.Lines(), c.expected) << c.name << " (list of lines)";
    }
}

TEST(TLineSplitter, MatchesTheByteByByteRulesOnRandomData)
{
    // Line ends of each kind in every order, with runs long enough that the search for one kind
    // is passed by many lines of the other.
    std::mt19937 random(11);
    const std::string pieces[] = {"a", "\r", "\n", "\r\n", "\n\r", Sjis(u"表"), "\x81", "xyz"};
    for (int round = 0; round < 500; ++round) {
        std::string data;
        for (int n = static_cast<int>(random() % 60); n > 0; --n)
            data += pieces[random() % std::size(pieces)];
        if (round % 10 == 0)
            data.insert(random() % (data.size() + 1), 1, '\0');
        ASSERT_EQ(Split(data), SplitByteByByte(data)) << "round " << round;
    }
}

TEST(TLineSplitter, TextStopsAtTheFirstZeroByte)
{
    EXPECT_EQ(TLineSplitter(std::string_view("ab\0c", 4)).Text(), "ab");
    EXPECT_EQ(TLineSplitter("a\r\nb").Text(), "a\r\nb");
    EXPECT_EQ(TLineSplitter().Text(), "");
}
