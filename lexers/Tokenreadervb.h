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
    // No block comment begins here, so the common one's run is dropped: a state no input
    // reaches would have a run that no test could hold to its scanner.
    static constexpr TScannerRun<TTokenReaderVB> MultiLineCommentRun{};
};

inline bool TTokenReaderVB::IsSingleLineCommentStart() const { return Context.CurChar == u'\''; }

inline bool TTokenReaderVB::IsMultiLineCommentStart() const { return false; }

inline bool TTokenReaderVB::IsVerbatimStringStart() const { return Context.CurChar == u'"'; }

inline bool TTokenReaderVB::IsEscapedIdentifierStart() const { return Context.CurChar == u'['; }

inline bool TTokenReaderVB::IsNumberStart() const
{
    if (Context.CurChar == u'&') {
        char16_t next = Context.NextChar;
        if (next == u'o' || next == u'O' || next == u'h' || next == u'H')
            return true;
    }
    return IsDigit(Context.CurChar);
}

inline bool TTokenReaderVB::IsDateStart() const
{
    // Output is the token before the one still pending: in "x = #" that is the "=".
    return Context.CurChar == u'#' && Context.Output.Kind == TokenKind::Operator;
}
