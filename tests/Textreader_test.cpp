// Tests of TTextReader and TTextWriter: line ends, end mark, CR LF output, when output is written.
#include "core/Linesplitter.h"
#include "core/Textreader.h"
#include "core/Textwriter.h"
#include "platform/Codepage.h"
#include "Testutil.h"

#include <gtest/gtest.h>

#include <span>
#include <utility>

#include <random>

using namespace TestUtil;

namespace {

// Every character of the file; with ahead, decoded on the reader's own thread after the first.
std::u16string ReadAll(const std::string& path, int extraCalls = 3, bool ahead = false)
{
    TTextReader reader(path);
    std::u16string out;
    for (;;) {
        char16_t ch = reader.ReadChar();
        if (ch == 0)
            break;
        out += ch;
        if (ahead && out.size() == 1)
            reader.DecodeAhead();
    }
    for (int i = 0; i < extraCalls; ++i)
        EXPECT_EQ(reader.ReadChar(), 0) << "the end mark must repeat";
    return out;
}

} // namespace

TEST(TTextReader, LineEndsAndEndMark)
{
    struct Case {
        const char* name;
        std::string bytes;
        std::u16string expected;
    };
    const Case cases[] = {
        {"empty file", "", u""},
        {"last line without end", "ab\r\ncd", u"ab\ncd\n"},
        {"last line with CR LF", "ab\r\ncd\r\n", u"ab\ncd\n"},
        {"one CR LF", "\r\n", u"\n"},
        {"lone CR ends a line", "a\rb", u"a\nb\n"},
        {"lone LF", "a\nb\n", u"a\nb\n"},
        {"LF CR is two line ends", "a\n\rb", u"a\n\nb\n"},
        {"empty line", "a\r\n\r\nb", u"a\n\nb\n"},
        {"zero byte ends the text", std::string("ab\0cd\r\nef", 9), u"ab\n"},
        {"zero byte first", std::string("\0abc", 4), u""},
        {"double-byte characters", Sjis(u"表示\r\nソ"), u"表示\nソ\n"},
        {"CR at the very end", "a\r", u"a\n"},
        {"CR CR LF", "a\r\r\nb", u"a\n\nb\n"},
        {"every kind of end in turn", "a\rb\nc\r\nd\re", u"a\nb\nc\nd\ne\n"},
        {"a longer line after short ones", "a\r\n" + std::string(300, 'x') + "\r\nb",
         u"a\n" + std::u16string(300, u'x') + u"\nb\n"},
    };
    TTempDir dir;
    for (const Case& c : cases) {
        std::string path = dir.File("in.txt");
        WriteBytes(path, c.bytes);
        EXPECT_EQ(ReadAll(path), c.expected) << c.name;
        EXPECT_EQ(ReadAll(path, 3, true), c.expected) << c.name << ", decoded ahead";
    }
}

TEST(TTextReader, ReadsAsTheLineSplitterAndDecoderDoOverManySlices)
{
    // Line ends of every kind, double-byte characters and lone lead bytes, in lines short and
    // long, so that slices end inside lines, pairs and CR LF.
    const std::string pieces[] = {"a", "bc", "\r", "\n", "\r\n", "\x95\x5c", "\x81", "\t",
                                  std::string(5000, 'x'), std::string(40000, 'y')};
    std::mt19937 rng(7);
    std::uniform_int_distribution<size_t> pick(0, std::size(pieces) - 1);
    TTempDir dir;
    for (int round = 0; round < 4; ++round) {
        std::string bytes;
        while (bytes.size() < 200000)
            bytes += pieces[pick(rng)];
        std::u16string expected;
        TLineSplitter lines(bytes);
        for (std::string_view line; lines.Next(line);)
            expected += CodePage::Decode(line) + u"\n";
        WriteBytes(dir.File("in.txt"), bytes);
        EXPECT_TRUE(ReadAll(dir.File("in.txt")) == expected) << "round " << round;
        EXPECT_TRUE(ReadAll(dir.File("in.txt"), 3, true) == expected) << "ahead, round " << round;
    }
}

TEST(TTextReader, MissingFileOrDirectoryYieldsEndMark)
{
    TTempDir dir;
    EXPECT_EQ(ReadAll(dir.File("missing.txt")), u"");
    EXPECT_EQ(ReadAll(dir.Path()), u"");
}

TEST(TTextReader, FileCreatedAfterFirstReadIsNotNoticed)
{
    TTempDir dir;
    TTextReader reader(dir.File("late.txt"));
    EXPECT_EQ(reader.ReadChar(), 0);
    WriteBytes(dir.File("late.txt"), "abc");
    EXPECT_EQ(reader.ReadChar(), 0);
}

TEST(TTextWriter, SmallOutputWaitsForCloseLargeOutputLeavesNothingPartial)
{
    TTempDir dir;
    std::string path = dir.File("out.txt");
    {
        TTextWriter writer(path);
        writer.Close();
    }
    EXPECT_FALSE(Exists(path)) << "a writer that never received a character creates no file";

    WriteBytes(path, "keep");
    {
        TTextWriter writer(path);
        writer.WriteText(u"abc");
        EXPECT_EQ(ReadBytes(path), "keep") << "nothing reaches the disk before Close";
    }
    EXPECT_EQ(ReadBytes(path), "keep") << "a writer dropped unclosed leaves the file untouched";

    // A large output reaches the disk while it is written; dropped unclosed, it leaves an empty
    // file rather than a part of the output.
    {
        TTextWriter writer(path);
        const std::u16string line = u"0123456789表<>&\n";
        for (int i = 0; i < 200000; ++i)
            writer.WriteText(line);
        EXPECT_GT(Exists(path) ? ReadBytes(path).size() : 0u, 4u) << "output reached the disk";
    }
    EXPECT_EQ(ReadBytes(path), "") << "no partial output is left";
}

TEST(TTextWriter, LinesEndWithCrLf)
{
    struct Case {
        const char* name;
        std::u16string chars;
        std::string expected;
    };
    const Case cases[] = {
        {"unfinished last line", u"a\n\nb", "a\r\n\r\nb\r\n"},
        {"finished last line", u"a\n", "a\r\n"},
        {"CR is an ordinary character", u"a\rb", "a\rb\r\n"},
        {"Japanese", u"表示ソ能", Sjis(u"表示ソ能") + "\r\n"},
        {"not in the code page", u"a\u00E9b", "a&#xE9;b\r\n"},
        {"a surrogate pair is one reference", u"\U0001F600\t", "&#x1F600;\t\r\n"},
        {"a surrogate alone", u"\xD83D" u"a\xDE00\xD83D", "&#xD83D;a&#xDE00;&#xD83D;\r\n"},
        {"only a line break", u"\n", "\r\n"},
    };
    // The same characters in UTF-8, and where the page is UTF-8.
    const Case utf8Cases[] = {
        {"Japanese and accents", u"表\u00E9\n", "\xE8\xA1\xA8\xC3\xA9\r\n"},
        {"a surrogate pair", u"\U0001F600", "\xF0\x9F\x98\x80\r\n"},
        {"a surrogate alone", u"\xD83D\n\xDE00", "&#xD83D;\r\n&#xDE00;\r\n"},
    };
    TTempDir dir;
    const TTextEncoding utf8(TTextEncoding::TForm::Utf8, false);
    for (const auto& [encoding, rows] : {std::pair{TTextEncoding(), std::span<const Case>(cases)},
                                         std::pair{utf8, std::span<const Case>(utf8Cases)}})
        for (const Case& c : rows) {
            std::string path = dir.File("out.txt");
            TTextWriter writer(path, encoding);
            writer.WriteText(c.chars);
            writer.Close();
            EXPECT_EQ(ReadBytes(path), c.expected) << c.name;
        }
}

TEST(TTextWriter, ReadThenWriteNormalisesLineEndsAndKeepsStrayBytes)
{
    TTempDir dir;
    // Stray bytes: undefined single bytes, a lead byte before a line end, a lead byte at the end.
    std::string input = "a\rb\nc\r\n\x80\xA0\xFD\xFE\xFF x\x81\n\x85\x40 \x5C" + Sjis(u"表") + "\x81";
    std::string expected =
        "a\r\nb\r\nc\r\n\x80\xA0\xFD\xFE\xFF x\x81\r\n\x85\x40 \x5C" + Sjis(u"表") + "\x81\r\n";
    WriteBytes(dir.File("in.txt"), input);
    TTextReader reader(dir.File("in.txt"));
    TTextWriter writer(dir.File("out.txt"));
    for (char16_t ch = reader.ReadChar(); ch != 0; ch = reader.ReadChar())
        writer.WriteChar(ch);
    writer.Close();
    EXPECT_EQ(ReadBytes(dir.File("out.txt")), expected);
}
