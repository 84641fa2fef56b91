// Tokenreadernocase: single-quoted strings without escapes; words written as the list spells them.
#include "lexers/Tokenreadernocase.h"

TTokenReaderNoCase::TTokenReaderNoCase(TTextReader& source, const std::string& code)
    : TTokenReaderCommon(source, code, TWordIndex::TComparison::IgnoreCase)
{
}

void TTokenReaderNoCase::ScanVerbatimString()
{
    // The opening quote never gets here, so the next quote closes; '' inside joins two strings.
    TTokenReaderCommon::ScanVerbatimString();
    if (Context.CurChar == u'\'')
        Context.State = LexState::Other;
}

std::u16string_view TTokenReaderNoCase::LookupWord(const TWordIndex& list) const
{
    // The first matching entry decides the letters written out.
    int index = list.IndexOf(Context.Pending.Text);
    return index >= 0 ? list.Word(index) : std::u16string_view();
}
