// Shippeddata_test: the word lists that come with the program are well-formed and consistent.
#include "core/Stringlist.h"
#include "core/Token.h"
#include "Lexertestutil.h"
#include "platform/Codepage.h"
#include "Testutil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <sstream>
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

// Words that a reader of each language expects to see highlighted, by the list that must hold
// them: the reserved words of the language as written today, its contextual words as emphasis,
// and for Basic, whose emphasis lists compare letter case, the spellings people write.
TEST(ShippedLists, ListsHoldTheWordsOfEachLanguage)
{
    const std::string cppKeys = "class if constexpr noexcept nullptr decltype static_assert "
                                "thread_local alignas alignof char16_t char32_t char8_t concept "
                                "requires co_await co_return co_yield consteval constinit";
    const struct {
        const char* Code;
        const char* Ext;
        std::string Words;
    } expected[] = {
        {"bcb", "key", cppKeys + " __property __published __fastcall __closure"},
        {"vc6", "key", cppKeys + " while __declspec __int64 __cdecl __stdcall"},
        {"vc7", "key", cppKeys + " template __declspec __int64 __gc __value __property"},
        {"bcb", "sp3", "override final"},
        {"vc6", "sp3", "override final"},
        {"vc7", "sp3", "override final"},
        {"java", "key", "class extends synchronized instanceof assert enum"},
        {"java", "sp3", "var record yield sealed permits"},
        {"js", "key",
         "function var typeof instanceof let const class extends static yield await import export "
         "super"},
        {"js", "sp3", "async"},
        {"cs7", "key", "namespace foreach readonly using"},
        {"cs7", "sp3", "get set async await var dynamic nameof record init"},
        {"vb6", "key", "Dim End If Sub WithEvents AddressOf"},
        {"vb6", "sp2", "UBound Ubound ubound InStr Instr instr MsgBox Msgbox msgbox"},
        {"vb7", "key", "Dim End If Imports Inherits AndAlso IsNot TryCast Using"},
        {"vb7", "sp2", "UBound Ubound ubound InStr Instr instr MsgBox Msgbox msgbox"},
        {"del", "key",
         "begin end procedure implementation read write static strict sealed helper reference"},
        {"psq", "key",
         "SELECT BEGIN DECLARE EXCEPTION ELSIF PRIMARY KEY SEQUENCE BEFORE EACH ROW RETURNS "
         "LANGUAGE"},
        {"tsq", "key", "SELECT BEGIN DECLARE PROCEDURE TRANSACTION MERGE OUTPUT TRY CATCH THROW"},
    };
    // A language without a row here is checked by the tests over every code alone; a row names
    // a code the factory knows.
    const std::vector<std::string> codes = LexerTest::LexerCodes();
    for (const auto& row : expected)
        EXPECT_NE(std::find(codes.begin(), codes.end(), row.Code), codes.end()) << row.Code;
    for (const auto& [code, ext, words] : expected) {
        TStringList list;
        list.LoadFromFile(DataFile(code, ext));
        const std::vector<std::string>& lines = list.Lines();
        std::istringstream in(words);
        for (std::string word; in >> word;)
            EXPECT_NE(std::find(lines.begin(), lines.end(), word), lines.end())
                << code << "." << ext << " lacks " << word;
    }
}

// The shipped lists of code as the lexer test helper takes them.
LexerTest::TWordLists ShippedWordLists(const std::string& code)
{
    auto text = [&code](const std::string& ext) {
        std::u16string joined;
        for (const std::string& line : ReadList(DataFile(code, ext))) {
            if (!joined.empty())
                joined += u'\n';
            joined += CodePage::Decode(line);
        }
        return joined;
    };
    return {text("key"), text("ope"), text("sp1"), text("sp2"), text("sp3")};
}

// Lines of real code lexed with the shipped lists: each listed word comes out, in this order, with
// its kind and, in the case-insensitive languages, in the letters of its list.
TEST(ShippedLists, RealCodeColoursTheListedWords)
{
    const std::u16string_view K = TokenKind::Reserved, E1 = TokenKind::Emphasis1,
                              E2 = TokenKind::Emphasis2, E3 = TokenKind::Emphasis3;
    const struct {
        const char* Code;
        std::u16string_view Input;
        std::vector<std::pair<std::u16string_view, std::u16string_view>> Words;
    } cases[] = {
        {"vc7", u"    constexpr auto f() noexcept -> decltype(x) override;\n",
         {{u"constexpr", K}, {u"auto", K}, {u"noexcept", K}, {u"override", E3}}},
        {"bcb", u"static_assert(sizeof(T) > 0); T* p = nullptr;\n",
         {{u"static_assert", K}, {u"nullptr", E1}}},
        {"vc6", u"thread_local char16_t c; alignas(8) std::unique_ptr<int> q;\n",
         {{u"thread_local", K}, {u"char16_t", K}, {u"alignas", K}, {u"unique_ptr", E2}}},
        {"java", u"  assert n > 0; enum E { A } var r = switch (n) { default -> { yield 1; } };\n",
         {{u"assert", K}, {u"enum", K}, {u"var", E3}, {u"yield", E3}}},
        {"js", u"let a = await load(); const b = async () => { yield x; };\n",
         {{u"let", K}, {u"await", K}, {u"const", K}, {u"async", E3}, {u"yield", K}}},
        {"cs7", u"    var t = await Task.Run(() => nameof(x));\n",
         {{u"var", E3}, {u"await", E3}, {u"Task", E2}, {u"nameof", E3}}},
        {"del", u"  property Count: Integer Read GetCount Write SetCount;\n",
         {{u"property", K}, {u"Integer", E1}, {u"read", K}, {u"write", K}}},
        {"vb6", u"n = Ubound(a) + instr(s, \"x\"): Msgbox s\n",
         {{u"Ubound", E2}, {u"instr", E2}, {u"Msgbox", E2}}},
        {"vb7", u"If x IsNot Nothing Then Dim y = TryCast(x, String)\n",
         {{u"If", K}, {u"IsNot", K}, {u"Nothing", E1}, {u"Then", K}, {u"Dim", K}}},
        {"psq", u"CREATE SEQUENCE s; id number primary key; before insert on t for each row\n",
         {{u"CREATE", K}, {u"SEQUENCE", K}, {u"NUMBER", E1}, {u"PRIMARY", K}, {u"KEY", K},
          {u"BEFORE", K}, {u"EACH", K}, {u"ROW", K}}},
        {"tsq", u"BEGIN TRY merge t using s on 1 = 1 OUTPUT inserted.id; END TRY\n",
         {{u"TRY", K}, {u"MERGE", K}, {u"OUTPUT", K}, {u"inserted", E3}, {u"TRY", K}}},
    };
    for (const auto& c : cases) {
        std::vector<LexerTest::TLexed> tokens =
            LexerTest::Lex(c.Code, c.Input, ShippedWordLists(c.Code));
        auto at = tokens.begin();
        for (const auto& [text, kind] : c.Words) {
            at = std::find_if(at, tokens.end(), [&text = text](const LexerTest::TLexed& t) {
                return t.Text == text;
            });
            ASSERT_NE(at, tokens.end())
                << c.Code << ": no " << TestUtil::Utf8(text) << " in " << TestUtil::Utf8(c.Input);
            EXPECT_EQ(at->Kind, kind) << c.Code << ": " << TestUtil::Utf8(text);
            ++at;
        }
    }
}

// Plain text has no lexer and so no word lists; stray files would suggest otherwise.
TEST(ShippedLists, PlainTextHasNoWordLists)
{
    for (const std::string& ext : Extensions)
        EXPECT_FALSE(TestUtil::Exists(DataFile("txt", ext))) << "txt." << ext;
}

} // namespace
