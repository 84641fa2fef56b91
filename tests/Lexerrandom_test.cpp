// Seeded random inputs for every language code: the tokens add up to the expanded input.
#include "Lexertestutil.h"
#include "Tabexpansion.h"
#include "Testutil.h"
#include "lexers/Languagetable.h"
#include "platform/Utf8.h"

#include <gtest/gtest.h>

#include <random>

using namespace LexerTest;

namespace {

// Characters the inputs are made of: every kind of start and end character of the lexers,
// double-byte characters (three with a 0x5C trail byte) and a half-width katakana.
const std::u16string Pool = u"abcdeEfhHoOxXz_019 \t.+-*/=<>!?&|^~%,;:()[]{}\"'`#@$\\表ソ能あｱ";
// The same with characters only Unicode files hold: accents, a combining mark, Hangul, and the
// surrogate pairs of an emoji and of a kanji beyond U+FFFF (taken whole, never apart).
const std::u16string UnicodePool = Pool + u"é\u0301화😀𠮷";

std::u16string RandomLine(std::mt19937& rng, const std::u16string& pool)
{
    std::uniform_int_distribution<int> length(0, 40);
    std::uniform_int_distribution<size_t> pick(0, pool.size() - 1);
    std::uniform_int_distribution<int> word(0, 9);
    static const std::u16string words[] = {u"if", u"IF", u"Begin", u"end", u"foo", u"0x1E+5",
                                           u"1e-3", u"&H1E+2", u"$1E+2", u"/*", u"*/", u"(*",
                                           u"*)", u"{$", u"--", u"//", u"@\"", u"#13", u"1..2"};
    std::uniform_int_distribution<size_t> pickWord(0, std::size(words) - 1);
    std::u16string line;
    for (int n = length(rng); n > 0; --n) {
        if (word(rng) == 0) {
            line += words[pickWord(rng)];
            continue;
        }
        size_t at = pick(rng);
        if (Utf8::IsLowSurrogate(pool[at]))
            --at;
        line += pool[at];
        if (Utf8::IsHighSurrogate(pool[at]))
            line += pool[at + 1];
    }
    return line;
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

// Random lines for each language code, in code page 932 and in UTF-8: the tokens add up to the
// input with its tabs expanded, and no token ends between the halves of a surrogate pair.
TEST(TTokenReaderRandom, TokensAddUpToTheExpandedInput)
{
    const TWordLists lists{.Key = u"if\nbegin\nEnd", .Ope = u"+\n61\n*\n#", .Sp1 = u"foo",
                           .Sp2 = u"end", .Sp3 = u"IF"};
    std::mt19937 rng(20240601);
    std::uniform_int_distribution<int> lineCount(0, 6);
    std::bernoulli_distribution crlf(0.5);
    for (const bool unicode : {false, true})
    for (const std::string& code : AllCodes()) {
        const bool noCase = IgnoresCase(code);
        for (int round = 0; round < 60; ++round) {
            std::u16string input;
            std::u16string expected;
            for (int n = lineCount(rng); n > 0; --n) {
                std::u16string line = RandomLine(rng, unicode ? UnicodePool : Pool);
                input += line;
                input += crlf(rng) ? u"\r\n" : u"\n";
                expected += TabExpansion::Expand(line + u"\n");
            }
            // Without lists every symbol is a delimiter; with them operators, dates and
            // rewritten reserved words come into play.
            for (const TWordLists& withLists : {TWordLists{}, lists}) {
                std::vector<TLexed> tokens = unicode
                                                 ? LexBytes(code, Utf8::Encode(input), withLists)
                                                 : Lex(code, input, withLists);
                std::u16string joined;
                for (size_t i = 0; i < tokens.size(); ++i) {
                    EXPECT_TRUE(i == 0 || !tokens[i].Text.empty())
                        << code << " round " << round << ": empty token " << i;
                    EXPECT_FALSE(!tokens[i].Text.empty() &&
                                 Utf8::IsHighSurrogate(tokens[i].Text.back()))
                        << code << " round " << round << ": a pair split after token " << i;
                    EXPECT_TRUE(IsKnownKind(tokens[i].Kind)) << code << " round " << round;
                    joined += tokens[i].Text;
                }
                if (noCase)
                    EXPECT_EQ(Folded(joined), Folded(expected)) << code << " round " << round;
                else
                    EXPECT_EQ(joined, expected) << code << " round " << round;
                if (code == Languages::PlainCode) {
                    EXPECT_LE(tokens.size(), 1u);
                }
            }
            if (::testing::Test::HasFailure())
                return;
        }
    }
}
