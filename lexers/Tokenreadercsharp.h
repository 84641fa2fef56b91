// Tokenreadercsharp: the C# lexer: the C family's rules plus verbatim strings.
#pragma once

#include "lexers/Tokenreadercase.h"

class TTokenReaderCSharp : public TTokenReaderCase {
public:
    TTokenReaderCSharp(TTextReader& source, const std::string& code);

protected:
    bool IsVerbatimStringStart() const override;
    void ScanVerbatimString() override;

    // Only a double quote can end a verbatim string.
    static constexpr TScannerRun<TTokenReaderCSharp> VerbatimStringRun{
        RunUntil(LexState::VerbatimString, TokenKind::String, u"\"")};
};

inline bool TTokenReaderCSharp::IsVerbatimStringStart() const
{
    return Context.CurChar == u'@' && Context.NextChar == u'"';
}
