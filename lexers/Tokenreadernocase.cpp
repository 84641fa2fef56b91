// Tokenreadernocase: single-quoted strings without escapes; words written as the list spells them.
#include "lexers/Tokenreadernocase.h"

TTokenReaderNoCase::TTokenReaderNoCase(TTextReader& source, const std::string& code)
    : TTokenReaderCommon(source, code)
{
    KeyList.CaseSensitive = false;
}

bool TTokenReaderNoCase::IsVerbatimStringStart() const { return Context.CurChar == u'\''; }

void TTokenReaderNoCase::ScanVerbatimString()
{
    // The opening quote never gets here, so the next quote closes; '' inside joins two strings.
    TTokenReaderCommon::ScanVerbatimString();
    if (Context.CurChar == u'\'')
        Context.State = LexState::Other;
}

std::u16string_view TTokenReaderNoCase::LookupWord(const TStringList& list) const
{
    // The first matching entry decides the letters written out.
    int index = list.IndexOf(std::u16string_view(Context.Pending.Text));
    return index >= 0 ? list.WideString(index) : std::u16string_view();
}
