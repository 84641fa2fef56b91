// Tokenreaderdelphi: the Delphi lexer: { } and (* *) comments, {$ } directives, #13 and $FF.
#pragma once

#include "lexers/Tokenreadernocase.h"

class TTokenReaderDelphi : public TTokenReaderNoCase {
public:
    TTokenReaderDelphi(TTextReader& source, const std::string& code);

protected:
    bool IsMultiLineCommentStart() const override;
    bool IsCharStart() const override;
    bool IsDirectiveStart() const override;
    bool IsNumberStart() const override;
    void ScanMultiLineComment() override;
    void ScanCharLiteral() override;
    bool IsExponentSignAllowed() const override;
    void ScanDirective() override;
};
