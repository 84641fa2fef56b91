// Tests of the plain token reader and the reader factory: end protocol, tabs, exact codes.
#include "Lexertestutil.h"
#include "Testutil.h"
#include "core/Textreader.h"
#include "lexers/Tokenloop.h"
#include "lexers/Tokenreader.h"
#include "lexers/Tokenreadercase.h"
#include "lexers/Tokenreadercsharp.h"
#include "lexers/Tokenreaderdelphi.h"
#include "lexers/Tokenreaderplsql.h"
#include "lexers/Tokenreadertsql.h"
#include "lexers/Tokenreadervb.h"

#include <gtest/gtest.h>

#include <typeindex>

using namespace LexerTest;
using namespace TestUtil;

TEST(TTokenReader, EmptyInputGivesOneEmptyOtherTokenThenNone)
{
    for (const std::string& code : AllCodes()) {
        std::vector<TLexed> tokens = LexBytes(code, "");
        ASSERT_EQ(tokens.size(), 1u) << code;
        EXPECT_EQ(tokens[0].Text, u"") << code;
        EXPECT_EQ(tokens[0].Kind, TokenKind::Other) << code;
    }
}

TEST(TTokenReader, MissingInputGivesOneEmptyToken)
{
    TTempDir dir;
    TTextReader source(dir.File("missing.src"));
    std::unique_ptr<TTokenReader> reader = CreateTokenReader(source, "txt");
    const TToken* token = reader->NextToken();
    ASSERT_NE(token, nullptr);
    EXPECT_EQ(token->Text, u"");
    EXPECT_EQ(reader->NextToken(), nullptr);
    EXPECT_EQ(reader->NextToken(), nullptr);
}

TEST(TTokenReader, PlainReaderGivesWholeInputWithTabsExpanded)
{
    struct Case {
        const char* name;
        std::u16string input;
        std::u16string expected;
    };
    const Case cases[] = {
        {"tab at column 0", u"\tx", u"    x\n"},
        {"tab at column 3", u"abc\tx", u"abc x\n"},
        {"tab at column 4", u"abcd\tx", u"abcd    x\n"},
        {"tab after a double-byte character", u"表\tx", u"表  x\n"},
        {"tab after two double-byte characters", u"表示\tx", u"表示    x\n"},
        {"tab after a line end", u"a\n\tb", u"a\n    b\n"},
        {"two tabs", u"\t\t", u"        \n"},
        {"tab after a half-width katakana", u"ｱ\t", u"ｱ   \n"},
        {"CR LF lines", u"a\r\nb\r\n", u"a\nb\n"},
    };
    for (const Case& c : cases) {
        std::vector<TLexed> tokens = Lex("txt", c.input);
        ASSERT_EQ(tokens.size(), 1u) << c.name;
        EXPECT_EQ(tokens[0].Text, c.expected) << c.name;
        EXPECT_EQ(tokens[0].Kind, TokenKind::Other) << c.name;
    }
}

TEST(TTokenReader, FactoryComparesCodesExactly)
{
    // The factory makes the final loop of the lexer; the reference is the lexer itself.
    struct Case {
        std::string code;
        std::type_index type;
        std::type_index reference;
    };
    auto lexer = []<class T>(const char* code, T*) {
        return Case{code, typeid(TTokenLoop<T>), typeid(T)};
    };
    auto plain = [](const char* code) {
        return Case{code, typeid(TTokenReader), typeid(TTokenReader)};
    };
    const Case cases[] = {
        lexer("cs7", (TTokenReaderCSharp*)nullptr),
        lexer("vc6", (TTokenReaderCase*)nullptr),
        lexer("vc7", (TTokenReaderCase*)nullptr),
        lexer("java", (TTokenReaderCase*)nullptr),
        lexer("js", (TTokenReaderCase*)nullptr),
        lexer("bcb", (TTokenReaderCase*)nullptr),
        lexer("vb6", (TTokenReaderVB*)nullptr),
        lexer("vb7", (TTokenReaderVB*)nullptr),
        lexer("del", (TTokenReaderDelphi*)nullptr),
        lexer("psq", (TTokenReaderPlsql*)nullptr),
        lexer("tsq", (TTokenReaderTsql*)nullptr),
        plain("txt"),
        plain("CS7"),
        plain(" cs7"),
        plain("cs7 "),
        plain(""),
        plain("Java"),
        plain("vb"),
    };
    TProgramFolder folder("");
    std::string input = folder.File("in.src");
    WriteBytes(input, "x");
    for (const Case& c : cases) {
        TTextReader source(input);
        std::unique_ptr<TTokenReader> reader = CreateTokenReader(source, c.code);
        ASSERT_NE(reader, nullptr);
        EXPECT_EQ(std::type_index(typeid(*reader)), c.type) << "code '" << c.code << "'";
        TTextReader again(input);
        std::unique_ptr<TTokenReader> reference = CreateReferenceTokenReader(again, c.code);
        ASSERT_NE(reference, nullptr);
        EXPECT_EQ(std::type_index(typeid(*reference)), c.reference) << "code '" << c.code << "'";
    }
}

TEST(TTokenReader, EmptyFirstTokenOnlyWhenInputStartsWithAnotherKind)
{
    for (const std::string& code : LexerCodes()) {
        std::vector<TLexed> word = Lex(code, u"x");
        ASSERT_GE(word.size(), 2u) << code;
        EXPECT_EQ(word[0].Text, u"") << code;
        EXPECT_EQ(word[0].Kind, TokenKind::Other) << code;
        EXPECT_EQ(word[1].Text, u"x") << code;

        std::vector<TLexed> space = Lex(code, u" x");
        ASSERT_GE(space.size(), 2u) << code;
        EXPECT_EQ(space[0].Text, u" ") << code;
        EXPECT_EQ(space[0].Kind, TokenKind::Other) << code;
    }
}

TEST(TTokenReader, OutputKeepsLastTokenAfterTheEnd)
{
    TProgramFolder folder("");
    std::string input = folder.File("in.src");
    WriteBytes(input, "a b");
    TTextReader source(input);
    std::unique_ptr<TTokenReader> reader = CreateTokenReader(source, "vc6");
    const TToken* last = nullptr;
    while (const TToken* token = reader->NextToken())
        last = token;
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->Text, u"\n");
    EXPECT_EQ(last->Kind, TokenKind::Other);
    EXPECT_FALSE(last->Ready);
}
