// Tokenreaderdelphi: the Delphi lexer: { } and (* *) comments, {$ } directives, #13 and $FF.
#pragma once

#include "lexers/Tokenreadernocase.h"

class TTokenReaderDelphi : public TTokenReaderNoCase {
public:
    TTokenReaderDelphi(TTextReader& source, const std::string& code);

protected:
    bool IsMultiLineCommentStart() const override;
    bool IsCharStart() const override;
    bool IsDirectiveStart() const override;
    bool IsNumberStart() const override;
    void ScanMultiLineComment() override;
    void ScanCharLiteral() override;
    bool IsExponentSignAllowed() const override;
    void ScanDirective() override;

    // A comment can only end at a slash (the common closer), a parenthesis or a brace; a
    // directive at its brace; #13 goes on while digits follow.
    static constexpr TScannerRun<TTokenReaderDelphi> MultiLineCommentRun{
        RunUntil(LexState::MultiLineComment, TokenKind::Comment, u"/)}")};
    static constexpr TScannerRun<TTokenReaderDelphi> DirectiveRun{
        RunUntil(LexState::Directive, TokenKind::Directive, u"}")};
    static constexpr TScannerRun<TTokenReaderDelphi> CharRun{
        RunOfAscii(LexState::Char, TokenKind::Char, IsDigit)};
};

inline bool TTokenReaderDelphi::IsMultiLineCommentStart() const
{
    return (Context.CurChar == u'(' && Context.NextChar == u'*') || Context.CurChar == u'{';
}

inline bool TTokenReaderDelphi::IsCharStart() const { return Context.CurChar == u'#'; }

inline bool TTokenReaderDelphi::IsDirectiveStart() const
{
    return Context.CurChar == u'{' && Context.NextChar == u'$';
}

inline bool TTokenReaderDelphi::IsNumberStart() const
{
    return Context.CurChar == u'$' || IsDigit(Context.CurChar);
}
