// Tokenreadercommon: the state-machine lexer with start tests and scanners that languages override.
#pragma once

#include "core/Name.h"
#include "lexers/Tokenreader.h"
#include "lexers/Wordindex.h"

class TMergedLists;

#include <cassert>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

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
// What a start test and a scanner may read: the window (PrevChar, CurChar, NextChar), State,
// the token so far (Pending.Text and Pending.Kind), and of the token before only whether its
// kind (Output.Kind) is "その他" or "演算子". Nothing else: the loop of a final class never fills
// Current.Text (CurChar is the character), Output.Text is empty while a batch of tokens fills,
// and an identifier whose lookup the writing thread does leaves Output.Kind not yet known (only
// never "その他" nor "演算子"). Debug builds leave a marker in those fields (TTokenReader::Stale),
// so that a reader of them fails the comparison with the reference. A language that must read
// the looked-up kind of the token before sets DefersLookups false.
// Runs: a scanner may declare a run (TScannerRun), the characters it continues its token over
// without a change of state; the loop of a final class then appends them without calling the
// scanner. A run is tied to the scanner that declares it: it is taken only while that class's
// scanner is the one in effect (OwnRun), so an override drops it. A scanner that has a run must
// keep it true when edited: the run test (Lexerruns_test) drives the reference lexer, which
// takes no run, through every character of every run and every pair of them, and fails where
// the token would end.
class TTokenReaderCommon : public TTokenReader {
public:
    // Reads the first character, then loads the five word lists of code from the program folder.
    // A missing list file leaves its list empty; one that exists but cannot be read throws.
    TTokenReaderCommon(TTextReader& source, const std::string& code);
    ~TTokenReaderCommon() override;

    // Only where the word lists are merged: the merged index answers without the lexer's state.
    const TDeferredLookup* DeferLookups() override;
    // A lexer reached virtually is the reference: it takes no run.
    std::vector<const TRun*> Runs() const override { return {}; }

protected:
    // The same, with the comparison of the reserved words (the other lists: exact, operators:
    // letter case aside).
    TTokenReaderCommon(TTextReader& source, const std::string& code,
                       TWordIndex::TComparison keyComparison);

    // State dispatch; a character that ends the token before it is dispatched once more.
    void ClassifyChar() override;
    // The same through the dispatch tables of TSelf: with this class, every start test and
    // scanner is a virtual call; with a final lexer class, a direct one. In debug builds the
    // direct start tests are checked against the virtual ones.
    // Returns the state the character's own scanner left: "不明" when it ended the token before
    // the character, which was then dispatched again.
    template <class TSelf>
    TName Dispatch(TSelf& self);
    // The runs of the rows of TSelf: those of a final class are the ones it takes.
    template <class TSelf>
    static std::vector<const TRun*> RunsWith();

    // A run that holds only for the scanner TOwner declares: a final lexer class takes it only
    // while that scanner is still the one in effect, so an override without a run of its own
    // goes one character at a time. A class declares such runs under the names below.
    template <class TOwner>
    struct TScannerRun {
        TRun Run;
    };
    // The run of state and kind that every character continues but the end mark, a tab and the
    // ASCII characters in stops.
    static constexpr TRun RunUntil(TName state, TName kind, std::u16string_view stops)
    {
        TRun run{state, kind};
        for (char16_t ch = 1; ch < 128; ++ch)
            run.Ascii[ch] = ch != u'\t' && stops.find(ch) == stops.npos;
        run.Wide = true;
        return run;
    }
    // The run of state and kind that the ASCII characters test accepts continue.
    template <class TTest>
    static constexpr TRun RunOfAscii(TName state, TName kind, TTest test)
    {
        TRun run{state, kind};
        for (char16_t ch = 1; ch < 128; ++ch)
            run.Ascii[ch] = ch != u'\t' && test(ch);
        return run;
    }
    static const TScannerRun<TTokenReaderCommon> IdentifierRun;
    static const TScannerRun<TTokenReaderCommon> LineCommentRun;
    static const TScannerRun<TTokenReaderCommon> NumberRun;
    static const TScannerRun<TTokenReaderCommon> MultiLineCommentRun;
    static const TScannerRun<TTokenReaderCommon> StringRun;
    static const TScannerRun<TTokenReaderCommon> CharRun;
    static const TScannerRun<TTokenReaderCommon> VerbatimStringRun;
    static const TScannerRun<TTokenReaderCommon> DirectiveRun;

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
    // Current.Kind; "その他" ends the token with CurChar, "不明" ends it before CurChar. Those
    // marked "run" have one (see the protocol above): an edit must keep it true.
    virtual void ScanSingleLineComment(); // run
    virtual void ScanMultiLineComment(); // run
    virtual void ScanString();
    virtual void ScanStringEscape();
    virtual void ScanVerbatimString();
    virtual void ScanCharLiteral();
    virtual void ScanCharEscape();
    virtual void ScanIdentifier(); // run
    // The text to write for the pending identifier when list holds it, empty when it does not.
    // The view stays valid until the pending token changes or the lexer goes.
    virtual std::u16string_view LookupWord(const TWordIndex& list) const;
    virtual void ScanEscapedIdentifier();
    virtual void ScanNumber(); // run
    virtual bool IsExponentSignAllowed() const;
    virtual void ScanDirective();
    virtual void ScanDate();

    // How the LookupWord of a class writes a listed word, which decides whether its lists may be
    // merged into one index: Separate for a LookupWord of its own kind (each list asked in
    // turn), AsFound for TTokenReaderCase's (the letters found), AsListed for
    // TTokenReaderNoCase's (the first matching entry's spelling). A class that overrides
    // LookupWord states its own; debug builds check a merged answer against the lists.
    enum class TWordForm { Separate, AsFound, AsListed };
    static constexpr TWordForm LookupWordForm = TWordForm::Separate;
    // Whether the lexer may leave the lookup of an identifier to the thread that writes the
    // tokens (DeferLookups). A language whose start tests or scanners must see the looked-up
    // kind of the token before sets it false, and keeps its lookups on the lexer's thread.
    static constexpr bool DefersLookups = true;

    // One lookup per identifier instead of one per list: the lists in one index, with the lists
    // that hold each entry. For a lexer whose LookupWord writes a word either in the letters
    // found (TTokenReaderCase's) or as the first matching entry spells it (TTokenReaderNoCase's),
    // named by listSpelling; only the reserved words may ignore letter case. Debug builds check
    // each answer against the lists one by one.
    void MergeWordLists(bool listSpelling);

    TWordIndex KeyList;
    TWordIndex Sp1List;
    TWordIndex Sp2List;
    TWordIndex Sp3List;
    TWordIndex OpeList;

private:
    // The dispatch (Tokendispatch.h): per class TSelf, the scanner of each state with its run,
    // and the start tests in their order.
    template <class TSelf>
    struct TScan;
    template <class TSelf>
    static const TScan<TSelf> Scanners[];
    template <class TSelf>
    struct TStart;
    template <class TSelf>
    static const TStart<TSelf> Starts[];
    // Between tokens: the characters no start test may claim (see above), so it needs no guard.
    static const TRun BlankRun;
    // Calls the scanner of the current state and returns the row it came from.
    template <class TSelf>
    int DispatchOnce(TSelf& self);
    // The row of the first start test that claims CurChar, -1 when none does.
    template <class TSelf>
    int FirstStartWith(const TSelf& self) const;
    // Classifies a character that begins a token: the first start test that answers wins.
    template <class TSelf>
    void StartToken(TSelf& self);
    // The run of a state, through the rows of TSelf.
    template <class TSelf>
    static const TRun* RunOf(TName state);
    // The run of TSelf's own scanner, for a row of the dispatch.
    template <class TSelf, class TMember, class TOwner>
    static constexpr const TRun* OwnRun(TMember, const TScannerRun<TOwner>& run);
    // Whether the rows' states have hashes of their own.
    static constexpr bool HashesDiffer();
    // Gives the pending identifier kind and the text that list finds for it, if it finds one.
    void ApplyWordList(const TWordIndex& list, TName kind);
    // The lists an identifier is looked up in, in order, so that a later list wins; a reserved
    // word only counts after white space, a line end or the start of input.
    struct TWordList {
        TWordIndex TTokenReaderCommon::*List;
        TName Kind;
        bool OnlyAfterOther;
    };
    static const TWordList WordLists[];
    // Gives the pending identifier kind and text through the lists one by one, or through
    // the merged index.
    void ApplyWordLists();
    void ApplyMergedLists();
    std::unique_ptr<TMergedLists> Merged;
    static TStringList LoadWordList(const std::string& code, std::string_view ext);

    // Per ASCII code: OpeList holds the character itself or its code in decimal.
    std::array<bool, 128> OpeChars{};
};

// The start tests are asked for every character between tokens: inline, so that a final lexer
// class that keeps them needs no call.
inline bool TTokenReaderCommon::IsSingleLineCommentStart() const
{
    return Context.CurChar == u'/' && Context.NextChar == u'/';
}

inline bool TTokenReaderCommon::IsMultiLineCommentStart() const
{
    return Context.CurChar == u'/' && Context.NextChar == u'*';
}

inline bool TTokenReaderCommon::IsStringStart() const { return false; }

inline bool TTokenReaderCommon::IsCharStart() const { return false; }

inline bool TTokenReaderCommon::IsVerbatimStringStart() const { return false; }

inline bool TTokenReaderCommon::IsDirectiveStart() const { return false; }

inline bool TTokenReaderCommon::IsIdentifierStart() const
{
    return IsLetter(Context.CurChar) || Context.CurChar == u'_';
}

inline bool TTokenReaderCommon::IsEscapedIdentifierStart() const { return false; }

inline bool TTokenReaderCommon::IsNumberStart() const { return IsDigit(Context.CurChar); }

inline bool TTokenReaderCommon::IsOperator() const
{
    char16_t ch = Context.CurChar;
    return IsSymbol(ch) && OpeChars[ch];
}

inline bool TTokenReaderCommon::IsDelimiter() const
{
    char16_t ch = Context.CurChar;
    return IsSymbol(ch) && !OpeChars[ch];
}

inline bool TTokenReaderCommon::IsDateStart() const { return false; }
