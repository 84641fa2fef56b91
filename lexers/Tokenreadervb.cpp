// Tokenreadervb: the start tests and scanners in which Visual Basic differs from the common lexer.
#include "lexers/Tokenreadervb.h"

TTokenReaderVB::TTokenReaderVB(TTextReader& source, const std::string& code)
    : TTokenReaderNoCase(source, code)
{
}

bool TTokenReaderVB::IsSingleLineCommentStart() const { return Context.CurChar == u'\''; }

bool TTokenReaderVB::IsMultiLineCommentStart() const { return false; }

bool TTokenReaderVB::IsVerbatimStringStart() const { return Context.CurChar == u'"'; }

bool TTokenReaderVB::IsEscapedIdentifierStart() const { return Context.CurChar == u'['; }

bool TTokenReaderVB::IsNumberStart() const
{
    if (Context.CurChar == u'&') {
        char16_t next = Context.NextChar;
        if (next == u'o' || next == u'O' || next == u'h' || next == u'H')
            return true;
    }
    return IsDigit(Context.CurChar);
}

bool TTokenReaderVB::IsDateStart() const
{
    // Output is the token before the one still pending: in "x = #" that is the "=".
    return Context.CurChar == u'#' && Context.Output.Kind == TokenKind::Operator;
}

void TTokenReaderVB::ScanVerbatimString()
{
    // The string form is the common one closed by a double quote, not the single-quoted one.
    TTokenReaderCommon::ScanVerbatimString();
    if (Context.CurChar == u'"')
        Context.State = LexState::Other;
}

void TTokenReaderVB::ScanEscapedIdentifier()
{
    TTokenReaderNoCase::ScanEscapedIdentifier();
    const std::u16string& text = Context.Pending.Text;
    if (text.size() > 1 && text[0] == u'[' && Context.CurChar == u']')
        Context.State = LexState::Other;
}

bool TTokenReaderVB::IsExponentSignAllowed() const
{
    // In &H numbers the E is a digit.
    const std::u16string& text = Context.Pending.Text;
    return !(text.size() > 1 && text[0] == u'&' && (text[1] == u'h' || text[1] == u'H'));
}

void TTokenReaderVB::ScanDate()
{
    TTokenReaderNoCase::ScanDate();
    if (Context.CurChar == u'#')
        Context.State = LexState::Other;
}
