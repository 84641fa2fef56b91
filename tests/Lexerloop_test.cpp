// Lexerloop: the characters the factory's lexers take as one run, and where such a run ends.
#include "Lexertestutil.h"

#include <gtest/gtest.h>

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

TEST(TTokenLoop, CaseFamilyRunsEndWhereOneCharacterWould)
{
    RunCases({"vc6", "vc7", "java", "js", "bcb"}, CaseRuns);
}

TEST(TTokenLoop, DelphiRunsEndWhereOneCharacterWould) { RunCases("del", DelphiRuns); }

TEST(TTokenLoop, BasicRunsEndWhereOneCharacterWould) { RunCases({"vb6", "vb7"}, BasicRuns); }

TEST(TTokenLoop, CSharpRunsEndWhereOneCharacterWould) { RunCases("cs7", CSharpRuns); }

TEST(TTokenLoop, SqlRunsEndWhereOneCharacterWould) { RunCases({"psq", "tsq"}, SqlRuns); }

TEST(TTokenLoop, MergedWordListsKeepTheOrderOfTheLists)
{
    RunCases({"vc7", "cs7", "java"}, CaseWords);
    RunCases({"vb7", "del", "psq", "tsq"}, NoCaseWords);
}

// Every input of every table through every code: the lexer agrees with its reference.
TEST(TTokenLoop, EveryCodeAgreesWithItsReference)
{
    for (const std::vector<TCase>* table :
         {&CaseRuns, &DelphiRuns, &BasicRuns, &CSharpRuns, &SqlRuns, &CaseWords, &NoCaseWords})
        for (const TCase& row : *table)
            for (const std::string& code : AllCodes())
                Lex(code, row.input, row.lists);
}
