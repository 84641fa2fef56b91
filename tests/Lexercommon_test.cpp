// Tests of the common lexer's rules and of word-list loading, through the C-family lexer.
#include "Lexertestutil.h"
#include "Testsystem.h"
#include "Testutil.h"
#include "core/Textreader.h"
#include "lexers/Tokenreadercommon.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

using namespace LexerTest;
using namespace TestUtil;

TEST(TTokenReaderCommon, WorkedExample)
{
    EXPECT_EQ(Tokens("vc6", u"\tif (x) y=1;", {.Key = u"if"}),
              "_[    ] K[if] _[ ] Del[(] Id[x] Del[)] _[ ] Id[y] Del[=] Num[1] Del[;] _[\\n]");
}

TEST(TTokenReaderCommon, CommentsIdentifiersAndSymbols)
{
    RunCases("vc6", {
        {"line comment stops before the line end", u"// note\n  x", {},
         "Com[// note] _[\\n  ] Id[x] _[\\n]"},
        {"empty block comment", u"/**/", {}, "Com[/**/] _[\\n]"},
        {"block comment then identifier", u"/* a */b", {}, "Com[/* a */] Id[b] _[\\n]"},
        {"the opening star also closes", u"/*/ x */", {},
         "Com[/*/] _[ ] Id[x] _[ ] Del[*/] _[\\n]"},
        {"comment after identifier", u"a//b", {}, "Id[a] Com[//b] _[\\n]"},
        {"single slash", u"x/y", {}, "Id[x] Del[/] Id[y] _[\\n]"},
        {"single slash as operator", u"x/y", {.Ope = u"/"}, "Id[x] Op[/] Id[y] _[\\n]"},
        {"unclosed block comment runs to the end", u"/* open\nmore", {},
         "Com[/* open\\nmore\\n]"},
        {"adjacent comments join", u"/*a*//*b*/", {}, "Com[/*a*//*b*/] _[\\n]"},
        {"underscore identifiers", u"_a1 _", {}, "Id[_a1] _[ ] Id[_] _[\\n]"},
        {"Japanese word is other", u"表示 x", {}, "_[表示 ] Id[x] _[\\n]"},
        {"two delimiters join", u"()", {}, "Del[()] _[\\n]"},
        {"operators join, delimiters apart", u"a==b;-", {.Ope = u"="},
         "Id[a] Op[==] Id[b] Del[;-] _[\\n]"},
        {"operator entry as decimal code", u"a+=b", {.Ope = u"43\n61"},
         "Id[a] Op[+=] Id[b] _[\\n]"},
        {"delimiter then operator split", u"(+", {.Ope = u"+"}, "Del[(] Op[+] _[\\n]"},
        {"tab ends identifier", u"a\tb", {}, "Id[a] _[   ] Id[b] _[\\n]"},
        {"control character is other", u"a\x01" u"b", {}, "Id[a] _[\x01] Id[b] _[\\n]"},
    });
}

TEST(TTokenReaderCommon, Numbers)
{
    RunCases("vc6", {
        {"exponent sign", u"1e+5", {}, "Num[1e+5] _[\\n]"},
        {"exponent minus", u"2.5E-3", {}, "Num[2.5E-3] _[\\n]"},
        {"hex refuses the sign", u"0x1E+5", {}, "Num[0x1E] Del[+] Num[5] _[\\n]"},
        {"upper-case hex refuses the sign", u"0X1e-5", {}, "Num[0X1e] Del[-] Num[5] _[\\n]"},
        {"range", u"1..10", {}, "Num[1] Del[..] Num[10] _[\\n]"},
        {"two periods inside", u"1.5.2", {}, "Num[1.5.2] _[\\n]"},
        {"letters and suffixes", u"123abc 3.14f", {}, "Num[123abc] _[ ] Num[3.14f] _[\\n]"},
        {"leading period is a symbol", u".5", {}, "Del[.] Num[5] _[\\n]"},
        {"sign without e", u"1+2", {}, "Num[1] Del[+] Num[2] _[\\n]"},
        {"identifier with e is no number", u"x1e+5", {}, "Id[x1e] Del[+] Num[5] _[\\n]"},
        {"number at the end of input", u"42", {}, "Num[42] _[\\n]"},
    });
}

TEST(TTokenReaderCommon, ReservedWordOnlyAfterOther)
{
    const TWordLists key{.Key = u"if"};
    RunCases("vc6", {
        {"start of input", u"if", key, "K[if] _[\\n]"},
        {"after a space", u" if", key, "_[ ] K[if] _[\\n]"},
        {"after a line end", u"x\nif", key, "Id[x] _[\\n] K[if] _[\\n]"},
        {"after a delimiter", u"(if", key, "Del[(] Id[if] _[\\n]"},
        {"after a period", u".if", key, "Del[.] Id[if] _[\\n]"},
        {"after a comment", u"/*x*/if", key, "Com[/*x*/] Id[if] _[\\n]"},
        {"letters after digits stay in the number", u"1 2if", key, "Num[1] _[ ] Num[2if] _[\\n]"},
        {"longer word", u"iff", key, "Id[iff] _[\\n]"},
        {"after a tab", u"\tif", key, "_[    ] K[if] _[\\n]"},
    });
}

TEST(TTokenReaderCommon, LaterListsWin)
{
    RunCases("vc6", {
        {"key and sp2", u" w", {.Key = u"w", .Sp2 = u"w"}, "_[ ] E2[w] _[\\n]"},
        {"key and sp3", u"w", {.Key = u"w", .Sp3 = u"w"}, "E3[w] _[\\n]"},
        {"sp1 and sp2", u"w", {.Sp1 = u"w", .Sp2 = u"w"}, "E2[w] _[\\n]"},
        {"all four", u"w", {.Key = u"w", .Sp1 = u"w", .Sp2 = u"w", .Sp3 = u"w"},
         "E3[w] _[\\n]"},
        {"emphasis after a delimiter", u"(foo", {.Sp1 = u"foo"}, "Del[(] E1[foo] _[\\n]"},
        {"emphasis after an operator", u"+bar", {.Ope = u"+", .Sp3 = u"bar"},
         "Op[+] E3[bar] _[\\n]"},
    });
}

TEST(TTokenReaderCommon, WordListFilesAreTakenWhole)
{
    RunCases("vc6", {
        {"no word lists", u"if (x) y=1;", {},
         "Id[if] _[ ] Del[(] Id[x] Del[)] _[ ] Id[y] Del[=] Num[1] Del[;] _[\\n]"},
        {"trailing space in an entry", u"if", {.Key = u"if "}, "Id[if] _[\\n]"},
        {"empty line among entries", u"if", {.Key = u"\n\nif"}, "K[if] _[\\n]"},
        {"multi-character operator entry", u"a+=b", {.Ope = u"+="}, "Id[a] Del[+=] Id[b] _[\\n]"},
        {"zero-padded code is no key", u"a+b", {.Ope = u"043"}, "Id[a] Del[+] Id[b] _[\\n]"},
    });
}

TEST(TTokenReaderCommon, ReadsOnlyTheListsOfItsCode)
{
    TProgramFolder folder("");
    WriteBytes(folder.File("vc7.key"), "if\r\n");
    WriteBytes(folder.File("vc7.ope"), "(\r\n");
    WriteBytes(folder.File("in.src"), "if(");
    TTextReader source(folder.File("in.src"));
    std::unique_ptr<TTokenReader> reader = CreateTokenReader(source, "vc6");
    std::vector<TLexed> tokens;
    while (const TToken* token = reader->NextToken())
        tokens.push_back({token->Text, std::u16string(token->Kind)});
    EXPECT_EQ(Render(tokens), "Id[if] Del[(] _[\\n]");
}

TEST(TTokenReaderCommon, UnreadableListFileThrows)
{
    if (!IsPosix())
        GTEST_SKIP() << "POSIX mode bits; on Windows a word list another program holds "
                        "without sharing is the unreadable one (Win32Files)";
    namespace fs = std::filesystem;
    TProgramFolder folder("");
    WriteBytes(folder.File("vc6.sp2"), "x\r\n");
    WriteBytes(folder.File("in.src"), "x");
    fs::permissions(folder.File("vc6.sp2"), fs::perms::none);
    fs::permissions(folder.Path(), fs::perms::others_read | fs::perms::others_exec,
                    fs::perm_options::add);
    // The superuser reads every file, so the attempt runs in a child without that privilege.
    auto attempt = [&] {
        if (!DropSuperuser())
            std::_Exit(2);
        try {
            TTextReader source(folder.File("in.src"));
            CreateTokenReader(source, "vc6");
        } catch (const TFileError&) {
            std::_Exit(0);
        }
        std::_Exit(1);
    };
    EXPECT_EXIT(attempt(), ::testing::ExitedWithCode(0), "");
}

TEST(TTokenReaderCommon, ItselfFindsNoWordsAndNoStrings)
{
    TProgramFolder folder("");
    WriteBytes(folder.File("xyz.key"), "if\r\n");
    WriteBytes(folder.File("in.src"), "if \"a\" 'b' #c");
    TTextReader source(folder.File("in.src"));
    TTokenReaderCommon reader(source, "xyz");
    std::vector<TLexed> tokens;
    while (const TToken* token = reader.NextToken())
        tokens.push_back({token->Text, std::u16string(token->Kind)});
    EXPECT_EQ(Render(tokens),
              "Id[if] _[ ] Del[\"] Id[a] Del[\"] _[ ] Del['] Id[b] Del['] _[ ] Del[#] Id[c] "
              "_[\\n]");
}

TEST(TTokenReaderCommon, RunsOfOneKindEndWhereTheScannerWould)
{
    // Blanks, identifiers, numbers and line comments are taken a run at a time: the run must
    // stop at a tab (whose width depends on the column the run reached), at the character that
    // ends the token, and at the end of input.
    RunCases(LexerCodes(false), {
        {"tab after an identifier", u"ab\tc", {}, "Id[ab] _[  ] Id[c] _[\\n]"},
        {"tab after wide characters", u"表表\tx", {}, "_[表表    ] Id[x] _[\\n]"},
        {"wide character ends an identifier", u"a1_b表c", {}, "Id[a1_b] _[表] Id[c] _[\\n]"},
        {"number runs stop at periods and signs", u"12ab..3 1e+5 0x1E+5", {},
         "Num[12ab] Del[..] Num[3] _[ ] Num[1e+5] _[ ] Num[0x1E] Del[+] Num[5] _[\\n]"},
        {"tab inside a line comment", u"// x\ty\nz", {}, "Com[// x    y] _[\\n] Id[z] _[\\n]"},
        {"blanks across line ends", u"x  \n\n  y", {}, "Id[x] _[  \\n\\n  ] Id[y] _[\\n]"},
        {"identifier up to the end", u"abc", {}, "Id[abc] _[\\n]"},
        {"comment up to the end", u"// c", {}, "Com[// c] _[\\n]"},
        {"reserved word after a run of blanks", u"   if", {.Key = u"if"}, "_[   ] K[if] _[\\n]"},
    });
    RunCases("psq", {
        {"line comment with a wide character and a tab", u"-- 表\tx", {}, "Com[-- 表   x] _[\\n]"},
    });
}
