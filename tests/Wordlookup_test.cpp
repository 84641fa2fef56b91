// The hashed word index gives the same first positions and texts as a plain search of its list.
#include "Testutil.h"
#include "core/Stringlist.h"
#include "lexers/Wordindex.h"

#include <gtest/gtest.h>
#include <random>

using namespace TestUtil;

namespace {

using TComparison = TWordIndex::TComparison;
const std::vector<TComparison> BothComparisons = {TComparison::Exact, TComparison::IgnoreCase};

// The first entry equal to word under the comparison, found one entry after the other.
int PlainIndexOf(const TStringList& list, TComparison comparison, std::u16string_view word)
{
    for (int i = 0; i < list.Count(); ++i) {
        std::u16string entry = Wide(list[i]);
        if (comparison == TComparison::Exact ? entry == word : CodePage::SameText(entry, word))
            return i;
    }
    return -1;
}

// The index of list under each comparison answers every word as the plain search does.
void ExpectSameAnswers(const TStringList& list, const std::vector<std::u16string>& words,
                       const std::vector<TComparison>& comparisons = BothComparisons)
{
    for (TComparison comparison : comparisons) {
        TWordIndex index(list, comparison);
        ASSERT_EQ(index.Count(), list.Count());
        ASSERT_EQ(index.Comparison(), comparison);
        for (const std::u16string& word : words) {
            int expected = PlainIndexOf(list, comparison, word);
            int found = index.IndexOf(word);
            ASSERT_EQ(found, expected)
                << Utf8(word) << (comparison == TComparison::Exact ? "" : " (no case)");
            EXPECT_EQ(index.Holds(word), expected >= 0);
            if (found >= 0) {
                EXPECT_EQ(index.Word(found), Wide(list[found]));
            }
        }
    }
}

} // namespace

TEST(TWordIndex, MatchesAPlainSearchInBothComparisons)
{
    TStringList list;
    // Duplicates in other letter cases, double-byte and full-width letters, an empty line and a
    // trailing space: the first entry that matches decides.
    for (const char16_t* entry : {u"if", u"If", u"IF", u"else", u"表示", u"ＡＢ", u"ａｂ", u"",
                                  u"end ", u"End", u"Äpfel", u"äpfel", u"x"})
        list.Add(Sjis(entry));
    const std::vector<std::u16string> words = {u"if",   u"If",  u"iF",  u"ELSE", u"表示",  u"ＡＢ",
                                               u"ａＢ", u"end", u"END", u"end ", u"äPFEL", u"x",
                                               u"X",    u"y",   u"iff", u"i",   u"",
                                               u"elsewhere_longer_than_any_entry"};
    ExpectSameAnswers(list, words);
}

TEST(TWordIndex, KeysTurnedAwayEarlyOnlyWhenNoEntryCanMatch)
{
    // Lookups first test the length and the first character: lists that hold only some first
    // characters, only wide ones, or no empty entry must still find every match.
    const struct {
        const char* name;
        std::vector<std::u16string> entries;
    } cases[] = {
        {"wide first characters only", {u"ａｂ", u"Ｚ", u"表示", u"Ärger"}},
        {"one letter", {u"Q"}},
        {"no empty entry", {u"a", u"bb"}},
        {"only the empty entry", {u""}},
        {"long entry after short", {u"a", u"abcdefghijklmnop"}},
    };
    const std::vector<std::u16string> words = {u"",   u"a",  u"A",  u"q",   u"Q",   u"ＡＢ", u"ａｂ",
                                               u"ｚ", u"Ｚ", u"表示", u"äRGER", u"bb", u"BB",
                                               u"abcdefghijklmnop", u"ABCDEFGHIJKLMNOP", u"abcdefghijklmnopq"};
    for (const auto& c : cases) {
        TStringList list;
        for (const std::u16string& entry : c.entries)
            list.Add(Sjis(entry));
        SCOPED_TRACE(c.name);
        ExpectSameAnswers(list, words);
    }
}

TEST(TWordIndex, MatchesAPlainSearchOnRandomLists)
{
    std::mt19937 random(7);
    const std::u16string letters = u"aAbB_1表Ｚｚ";
    auto randomWord = [&] {
        std::u16string word;
        for (int n = 1 + static_cast<int>(random() % 4); n > 0; --n)
            word += letters[random() % letters.size()];
        return word;
    };
    for (int round = 0; round < 20; ++round) {
        TStringList list;
        for (int i = 0, n = static_cast<int>(random() % 3000); i < n; ++i)
            list.Add(Sjis(randomWord()));
        std::vector<std::u16string> words;
        for (int i = 0; i < 300; ++i)
            words.push_back(randomWord());
        ExpectSameAnswers(list, words, {BothComparisons[round % 2]});
    }
}

TEST(TWordIndex, EmptyIndexFindsNothing)
{
    const TWordIndex none;
    TStringList emptyList;
    for (const TWordIndex& index : {none, TWordIndex(emptyList, TComparison::IgnoreCase)}) {
        EXPECT_EQ(index.Count(), 0);
        EXPECT_EQ(index.IndexOf(u""), -1);
        EXPECT_EQ(index.IndexOf(u"if"), -1);
    }
}

TEST(TWordIndex, KeepsItsWordsWhenTheListGoes)
{
    // Built once per lexer from a list that is dropped right after.
    auto index = [] {
        TStringList list;
        list.Add(Sjis(u"Begin"));
        list.Add(Sjis(u"表示"));
        return TWordIndex(list, TComparison::IgnoreCase);
    }();
    ASSERT_EQ(index.IndexOf(u"BEGIN"), 0);
    EXPECT_EQ(index.Word(0), u"Begin");
    EXPECT_EQ(index.Word(index.IndexOf(u"表示")), u"表示");
}
