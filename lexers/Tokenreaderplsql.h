// Tokenreaderplsql: the PL/SQL lexer: -- comments, "quoted identifiers", exponent signs always.
#pragma once

#include "lexers/Tokenreadernocase.h"

class TTokenReaderPlsql : public TTokenReaderNoCase {
public:
    TTokenReaderPlsql(TTextReader& source, const std::string& code);

protected:
    bool IsSingleLineCommentStart() const override;
    bool IsEscapedIdentifierStart() const override;
    void ScanEscapedIdentifier() override;
    bool IsExponentSignAllowed() const override;
};

inline bool TTokenReaderPlsql::IsSingleLineCommentStart() const
{
    return Context.CurChar == u'-' && Context.NextChar == u'-';
}

inline bool TTokenReaderPlsql::IsEscapedIdentifierStart() const { return Context.CurChar == u'"'; }
