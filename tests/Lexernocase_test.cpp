// Tests of the case-insensitive base: single-quoted strings, reserved words in the list letters.
#include "Lexertestutil.h"

#include <gtest/gtest.h>

using namespace LexerTest;

TEST(TTokenReaderNoCase, SingleQuotedStrings)
{
    // Delphi, PL/SQL and T-SQL keep this string form; Visual Basic replaces it.
    const TCase cases[] = {
        {"empty string", u"'' x", {}, "Str[''] _[ ] Id[x] _[\\n]"},
        {"backslash is ordinary", u"'a\\' x", {}, "Str['a\\'] _[ ] Id[x] _[\\n]"},
        {"doubled quote joins", u"'it''s' x", {}, "Str['it''s'] _[ ] Id[x] _[\\n]"},
        {"runs over the line end", u"'ab\ncd' x", {}, "Str['ab\\ncd'] _[ ] Id[x] _[\\n]"},
        {"unclosed runs to the end", u"'ab", {}, "Str['ab\\n]"},
        {"double quote inside", u"'a\"b'", {}, "Str['a\"b'] _[\\n]"},
        {"prefix letter", u"N'text'", {}, "Id[N] Str['text'] _[\\n]"},
        {"trail byte 0x5C", u"'表ソ' x", {}, "Str['表ソ'] _[ ] Id[x] _[\\n]"},
    };
    for (const char* code : {"del", "psq", "tsq"})
        for (const TCase& c : cases)
            EXPECT_EQ(Tokens(code, c.input, c.lists), c.expected) << code << ": " << c.name;
    // Visual Basic reads ' as a comment, so only the others have a string before the word.
    for (const char* code : {"del", "psq", "tsq"})
        EXPECT_EQ(Tokens(code, u"'a'END", {.Key = u"end"}), "Str['a'] Id[END] _[\\n]") << code;
}

TEST(TTokenReaderNoCase, ReservedWordsTakeTheListLetters)
{
    const TCase cases[] = {
        {"upper-case source", u"END", {.Key = u"end"}, "K[end] _[\\n]"},
        {"all spellings", u"BEGIN begin Begin", {.Key = u"Begin"},
         "K[Begin] _[ ] K[Begin] _[ ] K[Begin] _[\\n]"},
        {"first matching entry wins", u"begin", {.Key = u"BEGIN\nBegin\nbegin"}, "K[BEGIN] _[\\n]"},
        {"first matching entry wins, later order", u"BEGIN", {.Key = u"x\nbEgIn\nBEGIN"},
         "K[bEgIn] _[\\n]"},
        {"emphasis compares exactly", u"Foo foo", {.Sp1 = u"Foo"}, "E1[Foo] _[ ] Id[foo] _[\\n]"},
        {"emphasis sees the rewritten word", u"BEGIN", {.Key = u"begin", .Sp1 = u"begin"},
         "E1[begin] _[\\n]"},
        {"emphasis does not see the source letters", u"BEGIN", {.Key = u"begin", .Sp1 = u"BEGIN"},
         "K[begin] _[\\n]"},
        {"no rewrite after a delimiter", u"(BEGIN", {.Key = u"begin"}, "Del[(] Id[BEGIN] _[\\n]"},
        {"reserved word at the end of input", u"x END", {.Key = u"end"},
         "Id[x] _[ ] K[end] _[\\n]"},
    };
    for (const std::string& code : LexerCodes(true))
        for (const TCase& c : cases)
            EXPECT_EQ(Tokens(code, c.input, c.lists), c.expected) << code << ": " << c.name;
}
