// Tokenreadertsql: the T-SQL lexer: -- comments, "quoted" and [bracketed] identifiers.
#pragma once

#include "lexers/Tokenreadernocase.h"

class TTokenReaderTsql : public TTokenReaderNoCase {
public:
    TTokenReaderTsql(TTextReader& source, const std::string& code);

protected:
    bool IsSingleLineCommentStart() const override;
    bool IsEscapedIdentifierStart() const override;
    void ScanEscapedIdentifier() override;
};

inline bool TTokenReaderTsql::IsSingleLineCommentStart() const
{
    return Context.CurChar == u'-' && Context.NextChar == u'-';
}

inline bool TTokenReaderTsql::IsEscapedIdentifierStart() const
{
    return Context.CurChar == u'"' || Context.CurChar == u'[';
}
