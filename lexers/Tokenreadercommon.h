// Tokenreadercommon: the state-machine lexer with start tests and scanners that languages override.
#pragma once

#include "core/Name.h"
#include "lexers/Tokenreader.h"
#include "lexers/Wordindex.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

// The protocol. Context.State names where the lexer is. ClassifyChar gives every character to the
// scanner of its state; the states between tokens ("その他", "演算子", "区切り記号", "不明") give
// it to StartToken, which asks the start tests in a fixed order and takes state and kind from the
// first that claims the character, or "その他" when none does. A scanner continues its token by
// leaving State as it is, ends it with the character by setting "その他", and ends it before the
// character by setting "不明": the character then goes to StartToken, which never answers
// "不明", so no character is dispatched more than twice. A language changes what it needs by
// overriding start tests and scanners; the tables Scanners and Starts name the virtual members,
// so an override is what the dispatch calls. Two rules hold beyond that, and the dispatch relies
// on them: a start test claims only a printable ASCII character (everything else is "その他"
// without asking), and every scanner sets Current.Kind for the character (checked in debug
// builds), since the kind the previous character left there is not reset.
class TTokenReaderCommon : public TTokenReader {
public:
    // Reads the first character, then loads the five word lists of code from the program folder.
    // A missing list file leaves its list empty; one that exists but cannot be read throws.
    TTokenReaderCommon(TTextReader& source, const std::string& code);

protected:
    // The same, with the comparison of the reserved words (the other lists: exact, operators:
    // letter case aside).
    TTokenReaderCommon(TTextReader& source, const std::string& code,
                       TWordIndex::TComparison keyComparison);

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
    // The view stays valid until the pending token changes or the lexer goes.
    virtual std::u16string_view LookupWord(const TWordIndex& list) const;
    virtual void ScanEscapedIdentifier();
    virtual void ScanNumber();
    virtual bool IsExponentSignAllowed() const;
    virtual void ScanDirective();
    virtual void ScanDate();

    // Classifies a character that begins a token: the first start test that answers wins.
    void StartToken();

    TWordIndex KeyList;
    TWordIndex Sp1List;
    TWordIndex Sp2List;
    TWordIndex Sp3List;
    TWordIndex OpeList;

private:
    // State -> the member that continues a token of that state.
    struct TScan {
        TName State;
        void (TTokenReaderCommon::*Scan)();
    };
    static const TScan Scanners[];
    // The rows of Scanners placed by the hash of their state (open addressing; an empty name
    // marks a free slot), so a character is nearly always dispatched in one look.
    static const std::array<TScan, 64> ScanSlots;
    // The scanner of a state that is not in its first slot.
    static void (TTokenReaderCommon::*ScannerOf(TName state))();
    // A start test -> the state and kind of the token it begins; asked in the order of the rows.
    struct TStart {
        bool (TTokenReaderCommon::*Test)() const;
        TName State;
        TName Kind;
    };
    static const TStart Starts[];

    void Dispatch();
    // The row of the first start test that claims CurChar; null when none does.
    const TStart* FirstStart() const;
    template <size_t... Row>
    const TStart* FirstStartOf(std::index_sequence<Row...>) const;
    // Gives the pending identifier kind and the text that list finds for it, if it finds one.
    void ApplyWordList(const TWordIndex& list, TName kind);
    static TStringList LoadWordList(const std::string& code, std::string_view ext);

    // Per ASCII code: OpeList holds the character itself or its code in decimal.
    std::array<bool, 128> OpeChars{};
};
