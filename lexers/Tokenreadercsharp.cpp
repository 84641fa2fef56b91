// Tokenreadercsharp: @"..." strings, in which a backslash is an ordinary character.
#include "lexers/Tokenreadercsharp.h"

TTokenReaderCSharp::TTokenReaderCSharp(TTextReader& source, const std::string& code)
    : TTokenReaderCase(source, code)
{
}

void TTokenReaderCSharp::ScanVerbatimString()
{
    TTokenReaderCase::ScanVerbatimString();
    // While Pending is the lone at sign, the quote is the opening one.
    if (Context.Pending.Text.size() > 1 && Context.CurChar == u'"')
        Context.State = LexState::Other;
}
