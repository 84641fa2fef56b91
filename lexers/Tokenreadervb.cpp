// Tokenreadervb: the start tests and scanners in which Visual Basic differs from the common lexer.
#include "lexers/Tokenreadervb.h"

TTokenReaderVB::TTokenReaderVB(TTextReader& source, const std::string& code)
    : TTokenReaderNoCase(source, code)
{
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
