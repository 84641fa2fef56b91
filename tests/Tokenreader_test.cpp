// Tests of the plain token reader and the reader factory: end protocol, tabs, exact codes.
#include "Lexertestutil.h"
#include "Testutil.h"
#include "core/Textreader.h"
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
    struct Case {
        std::string code;
        std::type_index type;
    };
    const Case cases[] = {
        {"cs7", typeid(TTokenReaderCSharp)}, {"vc6", typeid(TTokenReaderCase)},
        {"vc7", typeid(TTokenReaderCase)},   {"java", typeid(TTokenReaderCase)},
        {"js", typeid(TTokenReaderCase)},    {"bcb", typeid(TTokenReaderCase)},
        {"vb6", typeid(TTokenReaderVB)},     {"vb7", typeid(TTokenReaderVB)},
        {"del", typeid(TTokenReaderDelphi)}, {"psq", typeid(TTokenReaderPlsql)},
        {"tsq", typeid(TTokenReaderTsql)},   {"txt", typeid(TTokenReader)},
        {"CS7", typeid(TTokenReader)},       {" cs7", typeid(TTokenReader)},
        {"cs7 ", typeid(TTokenReader)},      {"", typeid(TTokenReader)},
        {"Java", typeid(TTokenReader)},      {"vb", typeid(TTokenReader)},
    };
    TProgramFolder folder("");
    std::string input = folder.File("in.src");
    WriteBytes(input, "x");
    for (const Case& c : cases) {
        TTextReader source(input);
        std::unique_ptr<TTokenReader> reader = CreateTokenReader(source, c.code);
        ASSERT_NE(reader, nullptr);
        EXPECT_EQ(std::type_index(typeid(*reader)), c.type) << "code '" << c.code << "'";
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
