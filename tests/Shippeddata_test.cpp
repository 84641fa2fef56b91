// Shippeddata_test: the word lists that come with the program are well-formed and consistent.
#include "core/Stringlist.h"
#include "platform/Codepage.h"
#include "Lexertestutil.h"
#include "Testutil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

const std::vector<std::string> Extensions = {"key", "ope", "sp1", "sp2", "sp3"};

std::string DataFile(const std::string& code, const std::string& ext)
{
    return std::string(CORVINA_DATA_DIR) + "/" + code + "." + ext;
}

// The raw bytes must be lines ended by CR LF; the lines are returned.
std::vector<std::string> ReadList(const std::string& path)
{
    std::string bytes = TestUtil::ReadBytes(path);
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos) {
            ADD_FAILURE() << path << ": last line has no CR LF";
            end = bytes.size();
        }
        lines.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

bool IsIdentifierText(std::u16string_view word)
{
    if (word.empty() || (word[0] >= u'0' && word[0] <= u'9'))
        return false;
    for (char16_t ch : word) {
        bool ok = (ch >= u'a' && ch <= u'z') || (ch >= u'A' && ch <= u'Z') ||
                  (ch >= u'0' && ch <= u'9') || ch == u'_';
        if (!ok)
            return false;
    }
    return true;
}

class ShippedLists : public testing::TestWithParam<std::string> {};

TEST_P(ShippedLists, EveryFileIsCleanCp932WithCrLf)
{
    for (const std::string& ext : Extensions) {
        std::string path = DataFile(GetParam(), ext);
        ASSERT_TRUE(TestUtil::Exists(path)) << path;
        std::vector<std::string> lines = ReadList(path);
        EXPECT_FALSE(lines.empty()) << path;
        for (size_t i = 0; i < lines.size(); ++i) {
            const std::string& line = lines[i];
            std::string where = path + " line " + std::to_string(i + 1);
            EXPECT_FALSE(line.empty()) << where << ": empty";
            EXPECT_EQ(line.find_first_of(" \t\r\n"), std::string::npos)
                << where << ": white space in \"" << line << "\"";
            std::u16string wide = CodePage::Decode(line);
            for (char16_t ch : wide)
                EXPECT_FALSE(ch >= CodePage::PrivateBase && ch < CodePage::PrivateBase + 256)
                    << where << ": byte outside code page 932";
            EXPECT_EQ(CodePage::Encode(wide), line) << where << ": does not round-trip";
        }
    }
}

// Only symbol characters can be operators; a word-like or multi-character entry would be dead.
TEST_P(ShippedLists, OperatorEntriesAreSingleSymbolsOrDecimalCodes)
{
    const std::string symbols = "!\"#$%&'()*+,-./:;<=>?@[\\]^`{|}~";
    const std::string delimiters = "()[]{};,.";
    std::set<int> codes;
    for (const std::string& entry : ReadList(DataFile(GetParam(), "ope"))) {
        int code = -1;
        if (entry.size() == 1 && symbols.find(entry[0]) != std::string::npos) {
            code = static_cast<unsigned char>(entry[0]);
        } else if (!entry.empty() && entry.find_first_not_of("0123456789") == std::string::npos &&
                   entry.size() <= 3) {
            code = std::stoi(entry);
            EXPECT_NE(symbols.find(static_cast<char>(code)), std::string::npos)
                << GetParam() << ".ope: " << entry << " is no symbol's code";
        } else {
            ADD_FAILURE() << GetParam() << ".ope: bad entry \"" << entry << "\"";
            continue;
        }
        EXPECT_TRUE(codes.insert(code).second) << GetParam() << ".ope: " << entry << " twice";
        EXPECT_EQ(delimiters.find(static_cast<char>(code)), std::string::npos)
            << GetParam() << ".ope: brackets and separators stay delimiters";
    }
}

TEST_P(ShippedLists, WordEntriesAreIdentifiersListedOnce)
{
    const std::string& code = GetParam();
    bool noCase = LexerTest::IgnoresCase(code);
    std::map<std::string, std::string> emphasisOwner; // word -> list that holds it
    std::map<std::u16string, std::string> keyFolded;  // folded reserved word -> its spelling
    for (const std::string ext : {"key", "sp1", "sp2", "sp3"}) {
        std::set<std::u16string> seen;
        for (const std::string& entry : ReadList(DataFile(code, ext))) {
            std::u16string wide = CodePage::Decode(entry);
            EXPECT_TRUE(IsIdentifierText(wide)) << code << "." << ext << ": " << entry;
            // The reserved-word list of a case-insensitive language must not hold one word in
            // two spellings: only the first would ever be written out.
            bool foldKey = noCase && ext == "key";
            std::u16string folded = wide;
            if (foldKey)
                for (char16_t& ch : folded)
                    ch = CodePage::FoldCase(ch);
            EXPECT_TRUE(seen.insert(folded).second) << code << "." << ext << ": " << entry
                                                    << " listed twice";
            if (ext == "key") {
                if (noCase)
                    keyFolded.emplace(folded, entry);
                continue;
            }
            auto [it, fresh] = emphasisOwner.emplace(entry, ext);
            EXPECT_TRUE(fresh) << code << ": " << entry << " in ." << it->second << " and ." << ext;
        }
    }
    // A reserved word is rewritten in its .key spelling before the emphasis lists are searched,
    // so an emphasis entry spelt otherwise would never match after a space.
    for (const auto& [word, ext] : emphasisOwner) {
        std::u16string folded = CodePage::Decode(word);
        for (char16_t& ch : folded)
            ch = CodePage::FoldCase(ch);
        auto key = keyFolded.find(folded);
        if (key != keyFolded.end()) {
            EXPECT_EQ(key->second, word) << code << "." << ext << " spells a reserved word otherwise";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Codes, ShippedLists, testing::ValuesIn(LexerTest::LexerCodes()),
                         [](const testing::TestParamInfo<std::string>& info) { return info.param; });

// Reserved words that a reader of each language expects to see highlighted.
TEST(ShippedLists, KeyListsHoldTheCoreWordsOfEachLanguage)
{
    const std::map<std::string, std::vector<std::string>> expected = {
        {"bcb", {"class", "if", "__property", "__published", "__fastcall", "__closure"}},
        {"vc6", {"class", "while", "__declspec", "__int64", "__cdecl", "__stdcall"}},
        {"vc7", {"template", "__declspec", "__int64", "__gc", "__value", "__property"}},
        {"java", {"class", "extends", "synchronized", "instanceof"}},
        {"js", {"function", "var", "typeof", "instanceof"}},
        {"cs7", {"namespace", "foreach", "readonly", "using"}},
        {"vb6", {"Dim", "End", "If", "Sub", "WithEvents"}},
        {"vb7", {"Dim", "End", "If", "Imports", "Inherits", "AndAlso"}},
        {"del", {"begin", "end", "procedure", "implementation"}},
        {"psq", {"SELECT", "BEGIN", "DECLARE", "EXCEPTION", "ELSIF"}},
        {"tsq", {"SELECT", "BEGIN", "DECLARE", "PROCEDURE", "TRANSACTION"}},
    };
    for (const std::string& code : LexerTest::LexerCodes())
        EXPECT_TRUE(expected.count(code)) << "no core words for " << code;
    for (const auto& [code, words] : expected) {
        TStringList list;
        list.LoadFromFile(DataFile(code, "key"));
        const std::vector<std::string>& lines = list.Lines();
        for (const std::string& word : words)
            EXPECT_NE(std::find(lines.begin(), lines.end(), word), lines.end())
                << code << ".key lacks " << word;
    }
}

// Plain text has no lexer and so no word lists; stray files would suggest otherwise.
TEST(ShippedLists, PlainTextHasNoWordLists)
{
    for (const std::string& ext : Extensions)
        EXPECT_FALSE(TestUtil::Exists(DataFile("txt", ext))) << "txt." << ext;
}

} // namespace
