// Lexerloop: the characters the factory's lexers take as one run, and where such a run ends.
#include "Lexertestutil.h"
#include "Testutil.h"
#include "core/Textreader.h"
#include "lexers/Tokenreader.h"
#include "platform/Utf8.h"

#include <gtest/gtest.h>

#include <memory>

using namespace LexerTest;

namespace {

// Inputs whose runs end at every character that can end them: quotes, escapes, closers, tabs,
// wide characters before a tab, line ends and the end of input. Each row is lexed by every code,
// and LexBytes checks every code against its reference lexer; the expected tokens are those of
// the C family.
const std::vector<TCase> CaseRuns = {
    {"string with escapes",
     u"s = \"a\\\"b\\\\\" + x;",
     {},
     "Id[s] _[ ] Del[=] _[ ] Str[\"a\\\"b\\\\\"] _[ ] Del[+] _[ ] Id[x] Del[;] _[\\n]"},
    {"string across a line end", u"\"ab\ncd\" e", {}, "Str[\"ab\\ncd\"] _[ ] Id[e] _[\\n]"},
    {"tab inside a string after wide characters",
     u"\"表ソ\tz\"\ty",
     {},
     "Str[\"表ソ   z\"] _[  ] Id[y] _[\\n]"},
    {"char with escape", u"'\\'' 'ab'", {}, "Chr['\\''] _[ ] Chr['ab'] _[\\n]"},
    {"block comment closers",
     u"/* a * b / c **/x/*/",
     {},
     "Com[/* a * b / c **/] Id[x] Com[/*/] _[\\n]"},
    {"block comment with tab and wide text",
     u"/*表\t*/\tq",
     {},
     "Com[/*表    */] _[  ] Id[q] _[\\n]"},
    {"unfinished string takes the line end", u"\"abc", {}, "Str[\"abc\\n]"},
    {"directive then letters",
     u"#include<a>\n#if\tx",
     {},
     "Dir[#include] Del[<] Id[a] Del[>] _[\\n] Dir[#if] _[ ] Id[x] _[\\n]"},
    {"at sign before a string", u"@\"a\\\"\" b", {}, "Del[@] Str[\"a\\\"\"] _[ ] Id[b] _[\\n]"},
};

const std::vector<TCase> DelphiRuns = {
    {"brace comment", u"{ a ) * / }x", {}, "Com[{ a ) * / }] Id[x] _[\\n]"},
    {"parenthesis comment", u"(* a } *)y", {}, "Com[(* a } *)] Id[y] _[\\n]"},
    {"slash star ends a comment too", u"{ a */ b", {}, "Com[{ a */] _[ ] Id[b] _[\\n]"},
    {"directive", u"{$I x}z", {}, "Dir[{$I x}] Id[z] _[\\n]"},
    {"character codes", u"#13#10'a'", {}, "Chr[#13#10] Str['a'] _[\\n]"},
    {"string with tab", u"'a\tb'c", {}, "Str['a  b'] Id[c] _[\\n]"},
};

const std::vector<TCase> BasicRuns = {
    {"string", u"x = \"a'b\"'c", {}, "Id[x] _[ ] Del[=] _[ ] Str[\"a'b\"] Com['c] _[\\n]"},
    {"string with tab", u"\"\t表\"", {}, "Str[\"   表\"] _[\\n]"},
};

const std::vector<TCase> CSharpRuns = {
    {"verbatim string keeps backslashes", u"@\"a\\\"b", {}, "Str[@\"a\\\"] Id[b] _[\\n]"},
    {"verbatim string with doubled quote", u"@\"a\"\"b\"", {}, "Str[@\"a\"\"b\"] _[\\n]"},
};

const std::vector<TCase> SqlRuns = {
    {"string", u"'a\"b' c", {}, "Str['a\"b'] _[ ] Id[c] _[\\n]"},
    {"block comment", u"/* ' */'x'", {}, "Com[/* ' */] Str['x'] _[\\n]"},
};

const TWordLists Words{.Key = u"int\nfor", .Sp1 = u"size_t", .Sp2 = u"for", .Sp3 = u"npos"};

// The merged word lists of the C family: the later list wins, and a reserved word only counts
// after white space, a line end or the start of input.
const std::vector<TCase> CaseWords = {
    {"reserved at the start", u"int x", Words, "K[int] _[ ] Id[x] _[\\n]"},
    {"later list wins", u"for npos", Words, "E2[for] _[ ] E3[npos] _[\\n]"},
    {"reserved only after white space", u"(int)", Words, "Del[(] Id[int] Del[)] _[\\n]"},
    {"emphasis anywhere", u"(size_t)", Words, "Del[(] E1[size_t] Del[)] _[\\n]"},
    {"exact letters", u"INT Size_t", Words, "Id[INT] _[ ] Id[Size_t] _[\\n]"},
    {"prefix and extension", u"in ints", Words, "Id[in] _[ ] Id[ints] _[\\n]"},
};

const TWordLists NoCaseLists{
    .Key = u"Begin\nBEGIN\nend", .Sp1 = u"Begin", .Sp2 = u"END", .Sp3 = u"x"};

// The merged word lists of the languages that ignore letter case: a reserved word is written as
// the first matching entry spells it, and the later lists compare exactly with that spelling.
const std::vector<TCase> NoCaseWords = {
    {"reserved, then the same spelling in a later list", u"begin x", NoCaseLists,
     "E1[Begin] _[ ] E3[x] _[\\n]"},
    {"reserved word rewritten away from a later list", u"END", NoCaseLists, "K[end] _[\\n]"},
    {"no reserved word after a delimiter, exact later list", u"(END)", NoCaseLists,
     "Del[(] E2[END] Del[)] _[\\n]"},
    {"no reserved word after a delimiter, no exact match", u"(begin)", NoCaseLists,
     "Del[(] Id[begin] Del[)] _[\\n]"},
    {"letter case of the later lists counts", u"(X) (Begin)", NoCaseLists,
     "Del[(] Id[X] Del[)] _[ ] Del[(] E1[Begin] Del[)] _[\\n]"},
};

} // namespace

TEST(TFinalLexer, CaseFamilyRunsEndWhereOneCharacterWould)
{
    RunCases({"vc6", "vc7", "java", "js", "bcb"}, CaseRuns);
}

TEST(TFinalLexer, DelphiRunsEndWhereOneCharacterWould) { RunCases("del", DelphiRuns); }

TEST(TFinalLexer, BasicRunsEndWhereOneCharacterWould) { RunCases({"vb6", "vb7"}, BasicRuns); }

TEST(TFinalLexer, CSharpRunsEndWhereOneCharacterWould) { RunCases("cs7", CSharpRuns); }

TEST(TFinalLexer, SqlRunsEndWhereOneCharacterWould) { RunCases({"psq", "tsq"}, SqlRuns); }

TEST(TFinalLexer, MergedWordListsKeepTheOrderOfTheLists)
{
    RunCases({"vc7", "cs7", "java"}, CaseWords);
    RunCases({"vb7", "del", "psq", "tsq"}, NoCaseWords);
}

// Every input of every table through every code: the lexer agrees with its reference.
TEST(TFinalLexer, EveryCodeAgreesWithItsReference)
{
    for (const std::vector<TCase>* table :
         {&CaseRuns, &DelphiRuns, &BasicRuns, &CSharpRuns, &SqlRuns, &CaseWords, &NoCaseWords})
        for (const TCase& row : *table)
            for (const std::string& code : AllCodes())
                Lex(code, row.input, row.lists);
}

namespace {

// The characters a run continues over, as texts: its ASCII characters but CR (which never
// reaches a lexer) and, when it takes every wide character, an accent, a kanji, a combining mark
// and a surrogate pair.
std::vector<std::u16string> RunCharacters(const TTokenReader::TRun& run)
{
    std::vector<std::u16string> chars;
    for (char16_t ch = 1; ch < 128; ++ch)
        if (run.Ascii[ch] && ch != u'\r')
            chars.emplace_back(1, ch);
    if (run.Wide)
        for (const char16_t* wide : {u"é", u"表", u"\u0301", u"😀"})
            chars.emplace_back(wide);
    return chars;
}

// Every character of chars and every ordered pair of them, one after the other (a de Bruijn
// sequence of order two: the Lyndon words "i" and "i j" for j > i, in order, then the first).
std::u16string EveryPair(const std::vector<std::u16string>& chars)
{
    std::u16string text;
    for (size_t i = 0; i < chars.size(); ++i) {
        text += chars[i];
        for (size_t j = i + 1; j < chars.size(); ++j)
            text += chars[i] + chars[j];
    }
    if (!chars.empty())
        text += chars[0];
    return text;
}

// The runs of the factory's lexer of code.
std::vector<const TTokenReader::TRun*> RunsOf(const std::string& code)
{
    TestUtil::TTempDir folder;
    TTextReader source(folder.File("missing.src"));
    return CreateTokenReader(source, code)->Runs();
}

// The state the scanner of each character of text left in the reference lexer of code ("不明"
// where it ended the token before the character) and the kind the character got, read from a
// UTF-8 file in a program folder without word lists.
struct TStep {
    TName State;
    TName Kind;
};
std::vector<TStep> ReferenceSteps(const std::string& code, std::u16string_view text)
{
    TestUtil::TProgramFolder folder("");
    TestUtil::WriteBytes(folder.File("input.src"), ::Utf8::Encode(text));
    TTextReader source(folder.File("input.src"));
    std::unique_ptr<TTokenReader> reader = CreateReferenceTokenReader(source, code);
    std::vector<TStep> steps;
    reader->WatchSteps([&steps](TName state, TName kind) { steps.push_back({state, kind}); });
    while (reader->NextToken() != nullptr) {
    }
    return steps;
}

} // namespace

// Each run of each lexer is held to the scanner it stands for, so that an edit of a scanner that
// ends its token inside a run fails here: the reference lexer, which takes no run, goes through
// an opener of the run's state and then through every character the run continues over and
// every pair of them, and each character's scanner must keep the run's state and kind: none may
// end the token, not even where the next token would have the same kind. A run
// whose state no opener here reaches fails too: add its opener.
TEST(TTokenReaderRuns, EveryRunHoldsForItsScanner)
{
    const std::u16string openers[] = {u"",   u"a",  u"1",   u"//", u"--", u"'",  u"/*",
                                      u"{",  u"(*", u"\"", u"@\"", u"#",  u"{$"};
    for (const std::string& code : LexerCodes()) {
        const std::vector<const TTokenReader::TRun*> runs = RunsOf(code);
        EXPECT_FALSE(runs.empty()) << code;
        for (const TTokenReader::TRun* run : runs) {
            const std::string name = code + ", state " + TestUtil::Utf8(run->State);
            const std::u16string chars = EveryPair(RunCharacters(*run));
            bool reached = false;
            for (const std::u16string& opener : openers) {
                // The state a lexer is in before its first character is "other".
                const std::vector<TStep> steps = ReferenceSteps(code, opener + chars);
                const size_t first = opener.size();
                if (!(first == 0 ? run->State == LexState::Other
                                 : steps.size() >= first && steps[first - 1].State == run->State))
                    continue;
                reached = true;
                ASSERT_GE(steps.size(), first + chars.size()) << name;
                for (size_t i = first; i < first + chars.size(); ++i) {
                    const bool held = steps[i].State == run->State && steps[i].Kind == run->Kind;
                    const size_t from = i >= 8 ? i - 8 : 0;
                    ASSERT_TRUE(held) << name << ": the token ends at character " << i - first
                                      << " of the run, in \""
                                      << TestUtil::Utf8((opener + chars).substr(from, i + 1 - from))
                                      << "\"";
                }
                break;
            }
            EXPECT_TRUE(reached) << name << ": no opener reaches the state of this run";
        }
    }
}
