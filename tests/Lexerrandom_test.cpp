// Seeded random inputs for every language code: the tokens add up to the expanded input.
#include "Lexertestutil.h"
#include "Testutil.h"

#include <gtest/gtest.h>

#include <random>

using namespace LexerTest;

namespace {

// Characters the inputs are made of: every kind of start and end character of the lexers,
// double-byte characters (three with a 0x5C trail byte) and a half-width katakana.
const std::u16string Pool = u"abcdeEfhHoOxXz_019 \t.+-*/=<>!?&|^~%,;:()[]{}\"'`#@$\\表ソ能あｱ";

std::u16string RandomLine(std::mt19937& rng)
{
    std::uniform_int_distribution<int> length(0, 40);
    std::uniform_int_distribution<size_t> pick(0, Pool.size() - 1);
    std::uniform_int_distribution<int> word(0, 9);
    static const std::u16string words[] = {u"if", u"IF", u"Begin", u"end", u"foo", u"0x1E+5",
                                           u"1e-3", u"&H1E+2", u"$1E+2", u"/*", u"*/", u"(*",
                                           u"*)", u"{$", u"--", u"//", u"@\"", u"#13", u"1..2"};
    std::uniform_int_distribution<size_t> pickWord(0, std::size(words) - 1);
    std::u16string line;
    for (int n = length(rng); n > 0; --n) {
        if (word(rng) == 0)
            line += words[pickWord(rng)];
        else
            line += Pool[pick(rng)];
    }
    return line;
}

std::u16string Expand(std::u16string_view line)
{
    std::u16string out;
    int column = 0;
    for (char16_t ch : line) {
        if (ch == u'\t') {
            do {
                out += u' ';
                ++column;
            } while (column % 4 != 0);
        } else {
            out += ch;
            column += CodePage::CharWidth(ch);
        }
    }
    out += u'\n';
    return out;
}

std::u16string Folded(std::u16string text)
{
    for (char16_t& ch : text)
        ch = CodePage::FoldCase(ch);
    return text;
}

bool IsKnownKind(const std::u16string& kind)
{
    for (std::u16string_view k : TokenKind::All)
        if (kind == k)
            return true;
    return false;
}

} // namespace

TEST(TTokenReaderRandom, TokensAddUpToTheExpandedInput)
{
    const char* codes[] = {"bcb", "vc6", "vc7", "java", "js", "cs7", "vb6",
                           "vb7", "del", "psq", "tsq", "txt"};
    const TWordLists lists{.Key = u"if\nbegin\nEnd", .Ope = u"+\n61\n*\n#", .Sp1 = u"foo",
                           .Sp2 = u"end", .Sp3 = u"IF"};
    std::mt19937 rng(20240601);
    std::uniform_int_distribution<int> lineCount(0, 6);
    std::bernoulli_distribution crlf(0.5);
    for (const char* code : codes) {
        const std::string c = code;
        const bool noCase = c == "vb6" || c == "vb7" || c == "del" || c == "psq" || c == "tsq";
        for (int round = 0; round < 60; ++round) {
            std::u16string input;
            std::u16string expected;
            for (int n = lineCount(rng); n > 0; --n) {
                std::u16string line = RandomLine(rng);
                input += line;
                input += crlf(rng) ? u"\r\n" : u"\n";
                expected += Expand(line);
            }
            // Without lists every symbol is a delimiter; with them operators, dates and
            // rewritten reserved words come into play.
            for (const TWordLists& withLists : {TWordLists{}, lists}) {
                std::vector<TLexed> tokens = Lex(code, input, withLists);
                std::u16string joined;
                for (size_t i = 0; i < tokens.size(); ++i) {
                    EXPECT_TRUE(i == 0 || !tokens[i].Text.empty())
                        << code << " round " << round << ": empty token " << i;
                    EXPECT_TRUE(IsKnownKind(tokens[i].Kind)) << code << " round " << round;
                    joined += tokens[i].Text;
                }
                if (noCase)
                    EXPECT_EQ(Folded(joined), Folded(expected)) << code << " round " << round;
                else
                    EXPECT_EQ(joined, expected) << code << " round " << round;
                if (c == "txt") {
                    EXPECT_LE(tokens.size(), 1u);
                }
            }
            if (::testing::Test::HasFailure())
                return;
        }
    }
}
