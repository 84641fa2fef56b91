// Tokenreadercase: lexer of the C/Java family: strings, chars, # directives, case-sensitive words.
#pragma once

#include "lexers/Tokenreadercommon.h"

class TTokenReaderCase : public TTokenReaderCommon {
public:
    TTokenReaderCase(TTextReader& source, const std::string& code);

protected:
    bool IsStringStart() const override;
    bool IsCharStart() const override;
    bool IsDirectiveStart() const override;
    void ScanString() override;
    void ScanCharLiteral() override;
    std::u16string_view LookupWord(const TWordIndex& list) const override;
    void ScanDirective() override;
};
