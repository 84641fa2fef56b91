// Tests of the plain token reader and the reader factory: end protocol, tabs, exact codes.
#include "Lexertestutil.h"
#include "Testutil.h"
#include "core/Textreader.h"
#include "lexers/Languagetable.h"
#include "lexers/Tokenreader.h"

#include <algorithm>
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
    // Each row of the language table: the factory makes the row's lexer, and the reference is
    // another class (the lexer reached virtually). Any other code, or a code in other letters
    // or with blanks, gets the plain reader for both.
    TProgramFolder folder("");
    std::string input = folder.File("in.src");
    WriteBytes(input, "x");
    auto typeOf = [&input](auto make, const std::string& code) {
        TTextReader source(input);
        std::unique_ptr<TTokenReader> reader = make(source, code);
        EXPECT_NE(reader, nullptr) << code;
        return reader ? std::type_index(typeid(*reader)) : std::type_index(typeid(void));
    };
    const std::type_index plain = typeid(TTokenReader);
    for (const Languages::TCode& row : Languages::Codes()) {
        const std::type_index lexer = typeOf(row.Make, row.Code);
        EXPECT_EQ(typeOf(CreateTokenReader, row.Code), lexer) << row.Code;
        EXPECT_EQ(typeOf(CreateReferenceTokenReader, row.Code), typeOf(row.MakeReference, row.Code))
            << row.Code;
        EXPECT_NE(typeOf(CreateReferenceTokenReader, row.Code), lexer) << row.Code;
        EXPECT_NE(lexer, plain) << row.Code;
        for (const std::string& other : {std::string(" ") + row.Code, row.Code + std::string(" ")})
            EXPECT_EQ(typeOf(CreateTokenReader, other), plain) << "code '" << other << "'";
    }
    for (const std::string code : {"txt", "CS7", "", "Java", "vb"}) {
        EXPECT_EQ(typeOf(CreateTokenReader, code), plain) << "code '" << code << "'";
        EXPECT_EQ(typeOf(CreateReferenceTokenReader, code), plain) << "code '" << code << "'";
    }
}

// The window offers every code of the table and no other: a row without a caption could only be
// reached in batch mode, and a caption's code outside the table would give plain text.
TEST(TTokenReader, EveryCodeHasACaptionAndEveryCaptionACode)
{
    auto captioned = [](const std::string& code) {
        return std::any_of(std::begin(Languages::Captions), std::end(Languages::Captions),
                           [&code](const auto& caption) { return code == caption.Code; });
    };
    for (const Languages::TCode& row : Languages::Codes())
        EXPECT_TRUE(captioned(row.Code)) << row.Code;
    for (const Languages::TCaption& caption : Languages::Captions)
        EXPECT_TRUE(caption.Code == std::string(Languages::PlainCode) ||
                    std::any_of(Languages::Codes().begin(), Languages::Codes().end(),
                                [&caption](const auto& row) {
                                    return std::string(row.Code) == caption.Code;
                                }))
            << caption.Caption;
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
