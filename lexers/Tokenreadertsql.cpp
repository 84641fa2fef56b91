// Tokenreadertsql: the start tests and scanners in which T-SQL differs from the common lexer.
#include "lexers/Tokenreadertsql.h"

TTokenReaderTsql::TTokenReaderTsql(TTextReader& source, const std::string& code)
    : TTokenReaderNoCase(source, code)
{
}

void TTokenReaderTsql::ScanEscapedIdentifier()
{
    // The first character of Pending picks the closer; a lone opener does not close.
    TTokenReaderNoCase::ScanEscapedIdentifier();
    const std::u16string& text = Context.Pending.Text;
    if (text.size() <= 1)
        return;
    if (text[0] == u'"' && Context.CurChar == u'"')
        Context.State = LexState::Other;
    else if (text[0] == u'[' && Context.CurChar == u']')
        Context.State = LexState::Other;
}
