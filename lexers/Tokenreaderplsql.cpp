// Tokenreaderplsql: the start tests and scanners in which PL/SQL differs from the common lexer.
#include "lexers/Tokenreaderplsql.h"

TTokenReaderPlsql::TTokenReaderPlsql(TTextReader& source, const std::string& code)
    : TTokenReaderNoCase(source, code)
{
}

void TTokenReaderPlsql::ScanEscapedIdentifier()
{
    // While Pending is the lone opening quote, a quote does not close.
    TTokenReaderNoCase::ScanEscapedIdentifier();
    const std::u16string& text = Context.Pending.Text;
    if (text.size() > 1 && text[0] == u'"' && Context.CurChar == u'"')
        Context.State = LexState::Other;
}

bool TTokenReaderPlsql::IsExponentSignAllowed() const { return true; }
