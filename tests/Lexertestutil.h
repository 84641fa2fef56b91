// Lexertestutil: lexes a text with given word lists and renders the tokens compactly.
#pragma once

#include "core/Token.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace LexerTest {

struct TLexed {
    std::u16string Text;
    std::u16string Kind;
};

// The factory's language codes in its order, then the window's code for plain text.
std::vector<std::string> AllCodes();
// The factory's codes alone: those with a lexer of their own.
std::vector<std::string> LexerCodes();
// Whether the lexer of code matches reserved words without regard to letter case.
bool IgnoresCase(const std::string& code);
// The factory's codes whose lexer does (or does not) ignore letter case.
std::vector<std::string> LexerCodes(bool ignoringCase);

// Word lists, one entry per line ('\n' between entries); empty means no file at all.
struct TWordLists {
    std::u16string Key = {};
    std::u16string Ope = {};
    std::u16string Sp1 = {};
    std::u16string Sp2 = {};
    std::u16string Sp3 = {};
};

// Writes the lists of code into a fresh program folder and the input file as bytes, then reads
// every token through CreateTokenReader. Checks that NextToken stays ended and that the
// reference lexer (CreateReferenceTokenReader) gives the same tokens.
std::vector<TLexed> LexBytes(const std::string& code, const std::string& bytes,
                             const TWordLists& lists = {});
// The same for a wide text, written in code page 932.
std::vector<TLexed> Lex(const std::string& code, std::u16string_view input,
                        const TWordLists& lists = {});

// Tokens as "Kind[text]" separated by spaces, a line feed as \n; the empty first token is left
// out. Kinds: K Dir Com Str Chr Num Id Op Del E1 E2 E3 and _ for "other".
std::string Render(const std::vector<TLexed>& tokens);

// Lex and Render in one.
std::string Tokens(const std::string& code, std::u16string_view input,
                   const TWordLists& lists = {});

// One row of a token table: the input, its word lists and the rendered tokens expected.
struct TCase {
    const char* name;
    std::u16string input;
    TWordLists lists;
    std::string expected;
};

// Checks every row for each of the codes.
void RunCases(const std::vector<std::string>& codes, const std::vector<TCase>& cases);
inline void RunCases(std::initializer_list<const char*> codes, const std::vector<TCase>& cases)
{
    RunCases(std::vector<std::string>(codes.begin(), codes.end()), cases);
}
inline void RunCases(const char* code, const std::vector<TCase>& cases)
{
    RunCases({code}, cases);
}

} // namespace LexerTest
