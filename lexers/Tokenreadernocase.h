// Tokenreadernocase: base of the case-insensitive languages: 'strings', reserved words as listed.
#pragma once

#include "lexers/Tokenreadercommon.h"

class TTokenReaderNoCase : public TTokenReaderCommon {
public:
    TTokenReaderNoCase(TTextReader& source, const std::string& code);

protected:
    bool IsVerbatimStringStart() const override;
    void ScanVerbatimString() override;
    std::u16string_view LookupWord(const TWordIndex& list) const override;
    static constexpr TWordForm LookupWordForm = TWordForm::AsListed;

    // Only a quote can end a string.
    static constexpr TScannerRun<TTokenReaderNoCase> VerbatimStringRun{
        RunUntil(LexState::VerbatimString, TokenKind::String, u"'")};
};

inline bool TTokenReaderNoCase::IsVerbatimStringStart() const { return Context.CurChar == u'\''; }
