// The lexer's own word-list lookup gives the same first positions and texts as the list's IndexOf.
#include "Testutil.h"
#include "lexers/Tokenreadercommon.h"

#include <gtest/gtest.h>
#include <random>

using namespace TestUtil;

namespace {

class TLookupProbe : public TTokenReaderCommon {
public:
    TLookupProbe(TTextReader& source) : TTokenReaderCommon(source, "none") {}
    using TTokenReaderCommon::FindWord;
    using TTokenReaderCommon::KeyList;
    using TTokenReaderCommon::WordText;
};

void ExpectSameAnswers(TLookupProbe& probe, const std::vector<std::u16string>& words)
{
    for (const std::u16string& word : words) {
        int expected = probe.KeyList.IndexOf(std::u16string_view(word));
        int found = probe.FindWord(probe.KeyList, word);
        ASSERT_EQ(found, expected)
            << Utf8(word) << (probe.KeyList.CaseSensitive ? "" : " (no case)");
        if (found >= 0) {
            EXPECT_EQ(probe.WordText(probe.KeyList, found), probe.KeyList.WideString(found));
        }
    }
}

} // namespace

TEST(TTokenReaderCommon, WordLookupMatchesTheListInBothComparisons)
{
    TProgramFolder folder(""); // no word-list files
    TTextReader source(folder.File("none.txt"));
    TLookupProbe probe(source);
    // Duplicates in other letter cases, double-byte and full-width letters, an empty line and a
    // trailing space: the first entry that matches decides.
    for (const char16_t* entry : {u"if", u"If", u"IF", u"else", u"表示", u"ＡＢ", u"ａｂ", u"",
                                  u"end ", u"End", u"Äpfel", u"äpfel", u"x"})
        probe.KeyList.Add(Sjis(entry));
    const std::vector<std::u16string> words = {u"if",   u"If",  u"iF",  u"ELSE", u"表示",  u"ＡＢ",
                                               u"ａＢ", u"end", u"END", u"end ", u"äPFEL", u"x",
                                               u"X",    u"y",   u"iff", u"i"};
    for (bool caseSensitive : {true, false}) {
        probe.KeyList.CaseSensitive = caseSensitive;
        ExpectSameAnswers(probe, words);
    }
}

TEST(TTokenReaderCommon, WordLookupMatchesTheListOnRandomLists)
{
    TProgramFolder folder("");
    std::mt19937 random(7);
    const std::u16string letters = u"aAbB_1表Ｚｚ";
    auto randomWord = [&] {
        std::u16string word;
        for (int n = 1 + static_cast<int>(random() % 4); n > 0; --n)
            word += letters[random() % letters.size()];
        return word;
    };
    for (int round = 0; round < 20; ++round) {
        TTextReader source(folder.File("none.txt"));
        TLookupProbe probe(source);
        for (int i = 0, n = static_cast<int>(random() % 3000); i < n; ++i)
            probe.KeyList.Add(Sjis(randomWord()));
        std::vector<std::u16string> words;
        for (int i = 0; i < 300; ++i)
            words.push_back(randomWord());
        probe.KeyList.CaseSensitive = round % 2 == 0;
        ExpectSameAnswers(probe, words);
    }
}
