// Tokenreadervb: the Visual Basic lexer: ' comments, "strings", [names], &H numbers, #dates#.
#pragma once

#include "lexers/Tokenreadernocase.h"

class TTokenReaderVB : public TTokenReaderNoCase {
public:
    TTokenReaderVB(TTextReader& source, const std::string& code);

protected:
    bool IsSingleLineCommentStart() const override;
    bool IsMultiLineCommentStart() const override;
    bool IsVerbatimStringStart() const override;
    bool IsEscapedIdentifierStart() const override;
    bool IsNumberStart() const override;
    bool IsDateStart() const override;
    void ScanVerbatimString() override;
    void ScanEscapedIdentifier() override;
    bool IsExponentSignAllowed() const override;
    void ScanDate() override;

    // Only a double quote can end a string.
    static constexpr TScannerRun<TTokenReaderVB> VerbatimStringRun{
        RunUntil(LexState::VerbatimString, TokenKind::String, u"\"")};
};
