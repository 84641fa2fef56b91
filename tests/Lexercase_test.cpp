// Tests of the C-family and C# lexers: escapes, directives, verbatim strings, exact word lookup.
#include "Lexertestutil.h"
#include "Testutil.h"

#include <gtest/gtest.h>

using namespace LexerTest;

namespace {

// Rules that the C# lexer inherits unchanged.
const std::vector<TCase>& CFamilyCases()
{
    static const std::vector<TCase> cases = {
        {"escaped quote stays in the string", u"\"a\\\"b\" x", {},
         "Str[\"a\\\"b\"] _[ ] Id[x] _[\\n]"},
        {"escaped quote in a character", u"'\\'' x", {}, "Chr['\\''] _[ ] Id[x] _[\\n]"},
        {"two backslashes end at the quote", u"\"\\\\\" x", {}, "Str[\"\\\\\"] _[ ] Id[x] _[\\n]"},
        {"string runs over the line end", u"\"ab\ncd\" x", {},
         "Str[\"ab\\ncd\"] _[ ] Id[x] _[\\n]"},
        {"escaped line end", u"\"a\\\nb\"", {}, "Str[\"a\\\\nb\"] _[\\n]"},
        {"unclosed string runs to the end", u"\"abc\nx", {}, "Str[\"abc\\nx\\n]"},
        {"adjacent strings join", u"\"a\"\"b\"", {}, "Str[\"a\"\"b\"] _[\\n]"},
        {"prefix is an identifier", u"L\"s\"", {}, "Id[L] Str[\"s\"] _[\\n]"},
        {"single quote in a string", u"\"it's\"", {}, "Str[\"it's\"] _[\\n]"},
        {"double quote in a character", u"'\"'", {}, "Chr['\"'] _[\\n]"},
        {"comment opener in a string", u"\"//x\" y", {}, "Str[\"//x\"] _[ ] Id[y] _[\\n]"},
        {"directive takes its line end", u"#endif\nx", {}, "Dir[#endif\\n] Id[x] _[\\n]"},
        {"directive at the end of input", u"#endif", {}, "Dir[#endif\\n]"},
        {"directive then ordinary tokens", u"#define X 1", {},
         "Dir[#define] _[ ] Id[X] _[ ] Num[1] _[\\n]"},
        {"include line", u"#include <stdio.h>", {},
         "Dir[#include] _[ ] Del[<] Id[stdio] Del[.] Id[h] Del[>] _[\\n]"},
        {"lone hash", u"# x", {}, "Dir[#] _[ ] Id[x] _[\\n]"},
        {"digit ends a directive", u"#if1", {}, "Dir[#if] Num[1] _[\\n]"},
        {"hash is never an operator", u"a#", {.Ope = u"#"}, "Id[a] Dir[#\\n]"},
        {"reserved word keeps its letters", u"if IF If", {.Key = u"if"},
         "K[if] _[ ] Id[IF] _[ ] Id[If] _[\\n]"},
        {"emphasis compares exactly", u"Foo foo", {.Sp1 = u"Foo"}, "E1[Foo] _[ ] Id[foo] _[\\n]"},
        {"word after a string is no reserved word", u"\"s\"if", {.Key = u"if"},
         "Str[\"s\"] Id[if] _[\\n]"},
        {"word after a line-end directive", u"#else\nif", {.Key = u"if"},
         "Dir[#else\\n] Id[if] _[\\n]"},
    };
    return cases;
}

} // namespace

TEST(TTokenReaderCase, StringsCharactersDirectivesAndWords)
{
    RunCases(LexerCodes(false), CFamilyCases());
}

TEST(TTokenReaderCase, AtSignIsNoStringInTheCFamily)
{
    RunCases("vc6", {
        {"at sign before a quote", u"@\"a\\\"b\"", {}, "Del[@] Str[\"a\\\"b\"] _[\\n]"},
    });
}

TEST(TTokenReaderCase, TrailByte5CIsNoBackslash)
{
    // 表, ソ and 能 end in the byte 0x5C in code page 932; decoded, they are single characters.
    RunCases("vc6", {
        {"string", u"\"表\" x", {}, "Str[\"表\"] _[ ] Id[x] _[\\n]"},
        {"string of three", u"\"ソ能表\"x", {}, "Str[\"ソ能表\"] Id[x] _[\\n]"},
        {"character", u"'ソ' x", {}, "Chr['ソ'] _[ ] Id[x] _[\\n]"},
        {"line comment", u"// 能\nx", {}, "Com[// 能] _[\\n] Id[x] _[\\n]"},
        {"block comment", u"/*表*/x", {}, "Com[/*表*/] Id[x] _[\\n]"},
    });
    RunCases("cs7", {
        {"verbatim string", u"@\"表\" x", {}, "Str[@\"表\"] _[ ] Id[x] _[\\n]"},
        {"string", u"\"能\" x", {}, "Str[\"能\"] _[ ] Id[x] _[\\n]"},
    });
    // The same through bytes written directly: 0x95 0x5C is 表.
    EXPECT_EQ(Render(LexBytes("vc6", "\"\x95\x5C\" x")), "Str[\"表\"] _[ ] Id[x] _[\\n]");
}

TEST(TTokenReaderCSharp, VerbatimStrings)
{
    RunCases("cs7", {
        {"path with backslashes", u"@\"C:\\dir\\\" x", {}, "Str[@\"C:\\dir\\\"] _[ ] Id[x] _[\\n]"},
        {"spans lines", u"@\"a\nb\" x", {}, "Str[@\"a\\nb\"] _[ ] Id[x] _[\\n]"},
        {"empty", u"@\"\" x", {}, "Str[@\"\"] _[ ] Id[x] _[\\n]"},
        {"doubled quote reads the rest with escapes", u"@\"a\"\"b\\\" c\" x", {},
         "Str[@\"a\"\"b\\\" c\"] _[ ] Id[x] _[\\n]"},
        {"doubled quote then closing quote", u"@\"a\"\"b\" x", {},
         "Str[@\"a\"\"b\"] _[ ] Id[x] _[\\n]"},
        {"after an identifier", u"x@\"a\" y", {}, "Id[x] Str[@\"a\"] _[ ] Id[y] _[\\n]"},
        {"right after a string the opening quote closes", u"\"a\"@\"b\"", {},
         "Str[\"a\"@\"] Id[b] Str[\"\\n]"},
        {"at sign without quote", u"@if", {.Key = u"if"}, "Del[@] Id[if] _[\\n]"},
        {"at sign as operator", u"@x", {.Ope = u"@"}, "Op[@] Id[x] _[\\n]"},
        {"region directive", u"#region A\n#endregion", {},
         "Dir[#region] _[ ] Id[A] _[\\n] Dir[#endregion\\n]"},
    });
}
