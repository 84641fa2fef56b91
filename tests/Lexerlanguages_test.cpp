// Tests of the Visual Basic, Delphi, PL/SQL and T-SQL lexers, table by table.
#include "Lexertestutil.h"

#include <gtest/gtest.h>

using namespace LexerTest;

TEST(TTokenReaderVB, CommentsStringsAndEscapedIdentifiers)
{
    RunCases({"vb6", "vb7"}, {
        {"comment to the line end", u"  ' note\nx", {}, "_[  ] Com[' note] _[\\n] Id[x] _[\\n]"},
        {"no slash comments", u"// x", {}, "Del[//] _[ ] Id[x] _[\\n]"},
        {"no block comments", u"/* x */", {}, "Del[/*] _[ ] Id[x] _[ ] Del[*/] _[\\n]"},
        {"doubled quote joins", u"\"a\"\"b\" x", {}, "Str[\"a\"\"b\"] _[ ] Id[x] _[\\n]"},
        {"backslash and single quote are ordinary", u"\"a\\'b\" x", {},
         "Str[\"a\\'b\"] _[ ] Id[x] _[\\n]"},
        {"string runs over the line end", u"\"a\nb\" x", {}, "Str[\"a\\nb\"] _[ ] Id[x] _[\\n]"},
        {"escaped identifier is no reserved word", u"[Integer] x", {.Key = u"integer"},
         "Id[[Integer]] _[ ] Id[x] _[\\n]"},
        {"empty brackets do not close", u"[]x] y", {}, "Id[[]x]] _[ ] Id[y] _[\\n]"},
        {"bracket after an identifier does not close", u"a[b] c", {}, "Id[a[b] c\\n]"},
        {"reserved word", u"Dim x", {.Key = u"dim"}, "K[dim] _[ ] Id[x] _[\\n]"},
        {"Japanese in an escaped identifier", u"[表] x", {}, "Id[[表]] _[ ] Id[x] _[\\n]"},
    });
}

TEST(TTokenReaderVB, Numbers)
{
    RunCases({"vb6", "vb7"}, {
        {"hexadecimal and octal", u"&H1F &o17", {}, "Num[&H1F] _[ ] Num[&o17] _[\\n]"},
        {"lone ampersand", u"a & b", {}, "Id[a] _[ ] Del[&] _[ ] Id[b] _[\\n]"},
        {"ampersand before another letter", u"&x", {}, "Del[&] Id[x] _[\\n]"},
        {"hex refuses the sign", u"&H1E+1", {}, "Num[&H1E] Del[+] Num[1] _[\\n]"},
        {"lower-case hex refuses the sign", u"&h1e-1", {}, "Num[&h1e] Del[-] Num[1] _[\\n]"},
        {"octal keeps the sign", u"&O1E+1", {}, "Num[&O1E+1] _[\\n]"},
        {"decimal keeps the sign", u"1E+10", {}, "Num[1E+10] _[\\n]"},
        {"0x keeps the sign", u"0x1E+5", {}, "Num[0x1E+5] _[\\n]"},
        {"range", u"1..10", {}, "Num[1] Del[..] Num[10] _[\\n]"},
    });
}

TEST(TTokenReaderVB, DatesFollowOperators)
{
    RunCases({"vb6", "vb7"}, {
        {"date after an operator and a space", u"x = #1/1/2000#", {.Ope = u"="},
         "Id[x] _[ ] Op[=] _[ ] Str[#1/1/2000#] _[\\n]"},
        {"no date right after the operator", u"x=#1/1/2000#", {.Ope = u"="},
         "Id[x] Op[=] Del[#] Num[1] Del[/] Num[1] Del[/] Num[2000] Del[#] _[\\n]"},
        {"no date without operators", u"x = #1/1/2000#", {},
         "Id[x] _[ ] Del[=] _[ ] Del[#] Num[1] Del[/] Num[1] Del[/] Num[2000] Del[#] _[\\n]"},
        {"file number", u"Print #1", {.Ope = u"="}, "Id[Print] _[ ] Del[#] Num[1] _[\\n]"},
        {"date across lines", u"x = #1\n2# y", {.Ope = u"61"},
         "Id[x] _[ ] Op[=] _[ ] Str[#1\\n2#] _[ ] Id[y] _[\\n]"},
        {"hash as operator", u"a=#", {.Ope = u"=\n#"}, "Id[a] Op[=#] _[\\n]"},
    });
}

TEST(TTokenReaderDelphi, Comments)
{
    RunCases({"del"}, {
        {"braces", u"{ note } x", {}, "Com[{ note }] _[ ] Id[x] _[\\n]"},
        {"paren star", u"(* note *) x", {}, "Com[(* note *)] _[ ] Id[x] _[\\n]"},
        {"empty braces do not close", u"{}x} y", {}, "Com[{}x}] _[ ] Id[y] _[\\n]"},
        {"(**) does not close", u"(**) x *) y", {}, "Com[(**) x *)] _[ ] Id[y] _[\\n]"},
        {"(*) does not close", u"(*) x *) y", {}, "Com[(*) x *)] _[ ] Id[y] _[\\n]"},
        {"(* *) with one character closes", u"(* *)x", {}, "Com[(* *)] Id[x] _[\\n]"},
        {"star slash closes braces", u"{ a */ b }", {},
         "Com[{ a */] _[ ] Id[b] _[ ] Del[}] _[\\n]"},
        {"star slash closes (**)", u"(**)x*/y", {}, "Com[(**)x*/] Id[y] _[\\n]"},
        {"(*/ is complete", u"(*/ x", {}, "Com[(*/] _[ ] Id[x] _[\\n]"},
        {"slash star is no comment", u"/* a */x", {},
         "Del[/*] _[ ] Id[a] _[ ] Del[*/] Id[x] _[\\n]"},
        {"line comment", u"// c\nx", {}, "Com[// c] _[\\n] Id[x] _[\\n]"},
        {"adjacent brace comments", u"{a}{b} x", {}, "Com[{a}{b}] _[ ] Id[x] _[\\n]"},
        {"second comment takes the first one's closer", u"{a}(*b*) x} y", {},
         "Com[{a}(*b*) x}] _[ ] Id[y] _[\\n]"},
        {"unclosed comment", u"{ open\nx", {}, "Com[{ open\\nx\\n]"},
        {"paren without star", u"(x)", {}, "Del[(] Id[x] Del[)] _[\\n]"},
    });
}

TEST(TTokenReaderDelphi, DirectivesCharactersAndNumbers)
{
    RunCases({"del"}, {
        {"directive", u"{$IFDEF DEBUG} x", {}, "Dir[{$IFDEF DEBUG}] _[ ] Id[x] _[\\n]"},
        {"directive with star", u"{$R *.res}", {}, "Dir[{$R *.res}] _[\\n]"},
        {"directive across lines", u"{$I\nx}", {}, "Dir[{$I\\nx}] _[\\n]"},
        {"space after the brace", u"{ $x }", {}, "Com[{ $x }] _[\\n]"},
        {"character codes join", u"#13#10 x", {}, "Chr[#13#10] _[ ] Id[x] _[\\n]"},
        {"character code then string", u"#65'a'", {}, "Chr[#65] Str['a'] _[\\n]"},
        {"hash before dollar", u"#$0D", {}, "Chr[#] Num[$0D] _[\\n]"},
        {"hex numbers", u"$FF $0D", {}, "Num[$FF] _[ ] Num[$0D] _[\\n]"},
        {"range", u"1..10", {}, "Num[1] Del[..] Num[10] _[\\n]"},
        {"dollar refuses the sign", u"$1E+2", {}, "Num[$1E] Del[+] Num[2] _[\\n]"},
        {"decimal keeps the sign", u"1.5E+3", {}, "Num[1.5E+3] _[\\n]"},
        {"0x keeps the sign", u"0x1E+5", {}, "Num[0x1E+5] _[\\n]"},
        {"reserved word", u"BEGIN", {.Key = u"begin"}, "K[begin] _[\\n]"},
    });
}

TEST(TTokenReaderPlsql, CommentsIdentifiersAndNumbers)
{
    RunCases({"psq"}, {
        {"line comment", u"-- note\nx", {}, "Com[-- note] _[\\n] Id[x] _[\\n]"},
        {"comment after a word", u"a--b", {}, "Id[a] Com[--b] _[\\n]"},
        {"single hyphen", u"a - b", {.Ope = u"-"}, "Id[a] _[ ] Op[-] _[ ] Id[b] _[\\n]"},
        {"hyphens are never operators", u"--x", {.Ope = u"-"}, "Com[--x] _[\\n]"},
        {"no slash comments", u"// x", {}, "Del[//] _[ ] Id[x] _[\\n]"},
        {"block comment", u"/* a */x", {}, "Com[/* a */] Id[x] _[\\n]"},
        {"quoted identifier", u"\"My Table\" x", {}, "Id[\"My Table\"] _[ ] Id[x] _[\\n]"},
        {"quoted word is no reserved word", u"\"BEGIN\"", {.Key = u"begin"},
         "Id[\"BEGIN\"] _[\\n]"},
        {"empty quotes do not close", u"\"\" x\" y", {}, "Id[\"\" x\"] _[ ] Id[y] _[\\n]"},
        {"quote after an identifier does not close", u"a\"b\" c", {}, "Id[a\"b\" c\\n]"},
        {"exponent", u"1E-5", {}, "Num[1E-5] _[\\n]"},
        {"0x keeps the sign", u"0x1E+5", {}, "Num[0x1E+5] _[\\n]"},
        {"doubled quote string", u"'it''s'", {}, "Str['it''s'] _[\\n]"},
        {"reserved word", u"BEGIN", {.Key = u"begin"}, "K[begin] _[\\n]"},
    });
}

TEST(TTokenReaderTsql, CommentsIdentifiersAndNumbers)
{
    RunCases({"tsq"}, {
        {"line comment", u"-- note\nx", {}, "Com[-- note] _[\\n] Id[x] _[\\n]"},
        {"bracketed identifier", u"[Order Details] x", {}, "Id[[Order Details]] _[ ] Id[x] _[\\n]"},
        {"bracketed word is no reserved word", u"[select]", {.Key = u"select"},
         "Id[[select]] _[\\n]"},
        {"bracket inside quotes", u"\"a]b\" x", {}, "Id[\"a]b\"] _[ ] Id[x] _[\\n]"},
        {"quote inside brackets", u"[a\"b] x", {}, "Id[[a\"b]] _[ ] Id[x] _[\\n]"},
        {"empty brackets do not close", u"[]x] y", {}, "Id[[]x]] _[ ] Id[y] _[\\n]"},
        {"empty quotes do not close", u"\"\"x\" y", {}, "Id[\"\"x\"] _[ ] Id[y] _[\\n]"},
        {"bracket after an identifier does not close", u"a[b] c", {}, "Id[a[b] c\\n]"},
        {"unicode prefix", u"N'text'", {}, "Id[N] Str['text'] _[\\n]"},
        {"variable", u" @name", {.Key = u"name"}, "_[ ] Del[@] Id[name] _[\\n]"},
        {"variable after an operator", u" @name", {.Key = u"name", .Ope = u"@"},
         "_[ ] Op[@] Id[name] _[\\n]"},
        {"temporary table", u"#tmp", {}, "Del[#] Id[tmp] _[\\n]"},
        {"0x refuses the sign", u"0x1E+5", {}, "Num[0x1E] Del[+] Num[5] _[\\n]"},
        {"decimal keeps the sign", u"1E+5", {}, "Num[1E+5] _[\\n]"},
        {"dollar is a symbol", u"$1E+2", {}, "Del[$] Num[1E+2] _[\\n]"},
        {"reserved word", u"SELECT", {.Key = u"select"}, "K[select] _[\\n]"},
    });
}
