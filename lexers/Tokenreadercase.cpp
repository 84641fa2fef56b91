// Tokenreadercase: double-quoted strings and single-quoted characters with backslash escapes.
#include "lexers/Tokenreadercase.h"

TTokenReaderCase::TTokenReaderCase(TTextReader& source, const std::string& code)
    : TTokenReaderCommon(source, code)
{
}

void TTokenReaderCase::ScanString()
{
    TTokenReaderCommon::ScanString();
    if (Context.CurChar == u'"')
        Context.State = LexState::Other;
    else if (Context.CurChar == u'\\')
        Context.State = LexState::StringEscape;
}

void TTokenReaderCase::ScanCharLiteral()
{
    TTokenReaderCommon::ScanCharLiteral();
    if (Context.CurChar == u'\'')
        Context.State = LexState::Other;
    else if (Context.CurChar == u'\\')
        Context.State = LexState::CharEscape;
}

std::u16string_view TTokenReaderCase::LookupWord(const TWordIndex& list) const
{
    // A match is written in the source's own letters.
    std::u16string_view word = Context.Pending.Text;
    return list.Holds(word) ? word : std::u16string_view();
}

void TTokenReaderCase::ScanDirective()
{
    // A directive is # and the letters after it; the line end belongs to it.
    TTokenReaderCommon::ScanDirective();
    if (Context.CurChar == LineBreak)
        Context.State = LexState::Other;
    else if (!IsLetter(Context.CurChar))
        Context.State = LexState::Unknown;
}
