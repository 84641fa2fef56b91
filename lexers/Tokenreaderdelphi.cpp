// Tokenreaderdelphi: the start tests and scanners in which Delphi differs from the common lexer.
#include "lexers/Tokenreaderdelphi.h"

TTokenReaderDelphi::TTokenReaderDelphi(TTextReader& source, const std::string& code)
    : TTokenReaderNoCase(source, code)
{
}

void TTokenReaderDelphi::ScanMultiLineComment()
{
    // The opener is read from the start of Pending; the lengths keep "(*)", "(**)" and "{}" open.
    TTokenReaderNoCase::ScanMultiLineComment();
    const std::u16string& text = Context.Pending.Text;
    char16_t ch = Context.CurChar;
    if (ch == u')' && Context.PrevChar == u'*' && text.size() > 3 && text[0] == u'(' &&
        text[1] == u'*')
        Context.State = LexState::Other;
    if (ch == u'}' && text.size() > 1 && text[0] == u'{')
        Context.State = LexState::Other;
}

void TTokenReaderDelphi::ScanCharLiteral()
{
    // #13: the digits after # belong to it; anything else starts afresh, so #13#10 joins.
    TTokenReaderNoCase::ScanCharLiteral();
    if (!IsDigit(Context.CurChar))
        Context.State = LexState::Unknown;
}

bool TTokenReaderDelphi::IsExponentSignAllowed() const
{
    // In $ numbers the E is a digit.
    const std::u16string& text = Context.Pending.Text;
    return !(text.size() > 1 && text[0] == u'$');
}

void TTokenReaderDelphi::ScanDirective()
{
    TTokenReaderNoCase::ScanDirective();
    if (Context.CurChar == u'}')
        Context.State = LexState::Other;
}
