// Tokenreadercommon: the state-machine lexer with start tests and scanners that languages override.
#pragma once

#include "core/Stringlist.h"
#include "lexers/Tokenreader.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TTokenReaderCommon : public TTokenReader {
public:
    // Reads the first character, then loads the five word lists of code from the program folder.
    // A missing list file leaves its list empty; one that exists but cannot be read throws.
    TTokenReaderCommon(TTextReader& source, const std::string& code);

protected:
    // State dispatch; a character that ends the token before it is dispatched once more.
    void ClassifyChar() override;

    // Start tests: whether CurChar begins a token of that form. Asked only by StartToken.
    virtual bool IsSingleLineCommentStart() const;
    virtual bool IsMultiLineCommentStart() const;
    virtual bool IsStringStart() const;
    virtual bool IsCharStart() const;
    virtual bool IsVerbatimStringStart() const;
    virtual bool IsDirectiveStart() const;
    virtual bool IsIdentifierStart() const;
    virtual bool IsEscapedIdentifierStart() const;
    virtual bool IsNumberStart() const;
    virtual bool IsOperator() const;
    virtual bool IsDelimiter() const;
    virtual bool IsDateStart() const;

    // Scanners: called for each character while State names their state. They set State and
    // Current.Kind; "その他" ends the token with CurChar, "不明" ends it before CurChar.
    virtual void ScanSingleLineComment();
    virtual void ScanMultiLineComment();
    virtual void ScanString();
    virtual void ScanStringEscape();
    virtual void ScanVerbatimString();
    virtual void ScanCharLiteral();
    virtual void ScanCharEscape();
    virtual void ScanIdentifier();
    // The text to write for the pending identifier when list holds it, empty when it does not.
    // The view stays valid until the pending token or the list changes.
    virtual std::u16string_view LookupWord(const TStringList& list) const;
    virtual void ScanEscapedIdentifier();
    virtual void ScanNumber();
    virtual bool IsExponentSignAllowed() const;
    virtual void ScanDirective();
    virtual void ScanDate();

    // Classifies a character that begins a token: the first start test that answers wins.
    void StartToken();
    // The place in the fixed order of the first start test that claims CurChar; -1 when none
    // does.
    int FirstStartTest() const;

    TStringList KeyList;
    TStringList Sp1List;
    TStringList Sp2List;
    TStringList Sp3List;
    TStringList OpeList;

private:
    void Dispatch();
    // Gives the pending identifier kind and the text that list finds for it, if it finds one.
    void ApplyWordList(const TStringList& list, std::u16string_view kind);
    static void LoadWordList(TStringList& list, const std::string& code, std::string_view ext);

    // Per ASCII code: OpeList holds the character itself or its code in decimal.
    std::array<bool, 128> OpeChars{};
};
