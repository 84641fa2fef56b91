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
    static constexpr TWordForm LookupWordForm = TWordForm::AsFound;
    void ScanDirective() override;

    // A string or a character ends only at its quote, and a backslash begins an escape; a
    // directive goes on while letters follow.
    static constexpr TScannerRun<TTokenReaderCase> StringRun{
        RunUntil(LexState::String, TokenKind::String, u"\"\\")};
    static constexpr TScannerRun<TTokenReaderCase> CharRun{
        RunUntil(LexState::Char, TokenKind::Char, u"'\\")};
    static constexpr TScannerRun<TTokenReaderCase> DirectiveRun{
        RunOfAscii(LexState::Directive, TokenKind::Directive, IsLetter)};
};

inline bool TTokenReaderCase::IsStringStart() const { return Context.CurChar == u'"'; }

inline bool TTokenReaderCase::IsCharStart() const { return Context.CurChar == u'\''; }

inline bool TTokenReaderCase::IsDirectiveStart() const { return Context.CurChar == u'#'; }
