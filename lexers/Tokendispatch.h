// Tokendispatch: the machinery behind TTokenReaderCommon's protocol: the per-class tables of
// scanners and start tests, and the dispatch through them. Included only where a lexer class is
// made final (Finallexer.h) and by the common lexer itself; a language's lexer needs none of it.
#pragma once

#include "lexers/Tokenreadercommon.h"

#include <cassert>
#include <cstdint>
#include <iterator>
#include <type_traits>
#include <utility>
#include <vector>

// The first of Count rows, in order, for which found(row) answers true, -1 when none does. The
// row is passed as a constant, so that each call is as direct as if the rows were written out.
template <size_t Count, class TFound>
[[gnu::always_inline]] inline int FirstRow(TFound&& found)
{
    return [&found]<size_t... Row>(std::index_sequence<Row...>) {
        int first = -1;
        (void)((found(std::integral_constant<size_t, Row>()) && (first = static_cast<int>(Row), true)) ||
               ...);
        return first;
    }(std::make_index_sequence<Count>());
}

// State -> the member that continues a token of that state, and the run of characters that
// member is known to add without a change (null for none). The rows are written once for every
// class TSelf the dispatch goes through, so that a final class calls its own members directly.
template <class TSelf>
struct TTokenReaderCommon::TScan {
    TName State;
    void (*Scan)(TSelf& self);
    const TRun* Run = nullptr;
};

// Only for a final class whose scanner of that row is still the one the run was written for. An
// empty run continues nothing: a class that declares one says its scanner has no run.
template <class TSelf, class TMember, class TOwner>
constexpr const TTokenReader::TRun* TTokenReaderCommon::OwnRun(TMember,
                                                              const TScannerRun<TOwner>& run)
{
    return std::is_final_v<TSelf> && std::is_same_v<TMember, void (TOwner::*)()> ? &run.Run
                                                                                 : nullptr;
}

template <class TSelf>
constexpr TTokenReaderCommon::TScan<TSelf> TTokenReaderCommon::Scanners[] = {
    {LexState::Other, [](TSelf& r) { r.StartToken(r); }, &BlankRun},
    {LexState::Identifier, [](TSelf& r) { r.ScanIdentifier(); },
     OwnRun<TSelf>(&TSelf::ScanIdentifier, TSelf::IdentifierRun)},
    {LexState::Operator, [](TSelf& r) { r.StartToken(r); }},
    {LexState::Delimiter, [](TSelf& r) { r.StartToken(r); }},
    {LexState::Unknown, [](TSelf& r) { r.StartToken(r); }},
    {LexState::SingleLineComment, [](TSelf& r) { r.ScanSingleLineComment(); },
     OwnRun<TSelf>(&TSelf::ScanSingleLineComment, TSelf::LineCommentRun)},
    {LexState::MultiLineComment, [](TSelf& r) { r.ScanMultiLineComment(); },
     OwnRun<TSelf>(&TSelf::ScanMultiLineComment, TSelf::MultiLineCommentRun)},
    {LexState::String, [](TSelf& r) { r.ScanString(); },
     OwnRun<TSelf>(&TSelf::ScanString, TSelf::StringRun)},
    {LexState::StringEscape, [](TSelf& r) { r.ScanStringEscape(); }},
    {LexState::VerbatimString, [](TSelf& r) { r.ScanVerbatimString(); },
     OwnRun<TSelf>(&TSelf::ScanVerbatimString, TSelf::VerbatimStringRun)},
    {LexState::Char, [](TSelf& r) { r.ScanCharLiteral(); },
     OwnRun<TSelf>(&TSelf::ScanCharLiteral, TSelf::CharRun)},
    {LexState::CharEscape, [](TSelf& r) { r.ScanCharEscape(); }},
    {LexState::EscapedIdentifier, [](TSelf& r) { r.ScanEscapedIdentifier(); }},
    {LexState::Number, [](TSelf& r) { r.ScanNumber(); },
     OwnRun<TSelf>(&TSelf::ScanNumber, TSelf::NumberRun)},
    {LexState::Directive, [](TSelf& r) { r.ScanDirective(); },
     OwnRun<TSelf>(&TSelf::ScanDirective, TSelf::DirectiveRun)},
    {LexState::Date, [](TSelf& r) { r.ScanDate(); }},
};

// The dispatch tells the rows apart by the hash of their state alone.
constexpr bool TTokenReaderCommon::HashesDiffer()
{
    const auto& rows = Scanners<TTokenReaderCommon>;
    for (const auto& a : rows)
        for (const auto& b : rows)
            if (&a != &b && a.State.LetterHash() == b.State.LetterHash())
                return false;
    return true;
}

// A start test -> the state and kind of the token it begins; asked in the order of the rows.
template <class TSelf>
struct TTokenReaderCommon::TStart {
    bool (*Test)(const TSelf& self);
    TName State;
    TName Kind;
};

// The fixed order: identifiers and numbers before comments, directives before comments, the
// delimiter test before the operator test.
template <class TSelf>
constexpr TTokenReaderCommon::TStart<TSelf> TTokenReaderCommon::Starts[] = {
    {[](const TSelf& r) { return r.IsIdentifierStart(); }, LexState::Identifier,
     TokenKind::Identifier},
    {[](const TSelf& r) { return r.IsEscapedIdentifierStart(); }, LexState::EscapedIdentifier,
     TokenKind::Identifier},
    {[](const TSelf& r) { return r.IsNumberStart(); }, LexState::Number, TokenKind::Number},
    {[](const TSelf& r) { return r.IsDirectiveStart(); }, LexState::Directive,
     TokenKind::Directive},
    {[](const TSelf& r) { return r.IsSingleLineCommentStart(); }, LexState::SingleLineComment,
     TokenKind::Comment},
    {[](const TSelf& r) { return r.IsMultiLineCommentStart(); }, LexState::MultiLineComment,
     TokenKind::Comment},
    {[](const TSelf& r) { return r.IsStringStart(); }, LexState::String, TokenKind::String},
    {[](const TSelf& r) { return r.IsCharStart(); }, LexState::Char, TokenKind::Char},
    {[](const TSelf& r) { return r.IsVerbatimStringStart(); }, LexState::VerbatimString,
     TokenKind::String},
    {[](const TSelf& r) { return r.IsDateStart(); }, LexState::Date, TokenKind::String},
    {[](const TSelf& r) { return r.IsDelimiter(); }, LexState::Delimiter, TokenKind::Delimiter},
    {[](const TSelf& r) { return r.IsOperator(); }, LexState::Operator, TokenKind::Operator},
};

template <class TSelf>
std::vector<const TTokenReader::TRun*> TTokenReaderCommon::RunsWith()
{
    std::vector<const TRun*> runs;
    for (const TScan<TSelf>& row : Scanners<TSelf>)
        if (row.Run != nullptr && !row.Run->State.Empty())
            runs.push_back(row.Run);
    return runs;
}

template <class TSelf>
TName TTokenReaderCommon::Dispatch(TSelf& self)
{
    // The plain reader's step without its kind: every scanner and StartToken set the kind
    // anyway, and leaving it untouched lets a run of one kind skip the copy. Nor is the text
    // set: it is always the one character CurChar, which the merge step takes itself.
    static_assert(HashesDiffer());
    int row = DispatchOnce(self);
    const TName scanned = Context.State;
    if (Context.State == LexState::Unknown) {
        row = DispatchOnce(self);
        // StartToken never answers "unknown", so no character is dispatched a third time.
        assert(!(Context.State == LexState::Unknown));
    }
    // Most scanners leave the state as they found it, and with it the run.
    Run = Context.State.LetterHash() == Scanners<TSelf>[row].State.LetterHash()
              ? Scanners<TSelf>[row].Run
              : RunOf<TSelf>(Context.State);
    return scanned;
}

// Inline in both of Dispatch's calls: it runs for every character.
template <class TSelf>
[[gnu::always_inline]] inline int TTokenReaderCommon::DispatchOnce(TSelf& self)
{
#ifndef NDEBUG
    // Every scanner sets the kind: a kind left over from the character before would go unseen.
    Context.Current.Kind = TName();
#endif
    const TName state = Context.State;
    const std::uint32_t hash = state.LetterHash();
    // The hashes of the rows differ, so the chain compares one number per row.
    int row = FirstRow<std::size(Scanners<TSelf>)>([&](auto r) {
        if (hash != Scanners<TSelf>[r].State.LetterHash())
            return false;
        Scanners<TSelf>[r].Scan(self);
        return true;
    });
    assert(row >= 0 && "unknown lexer state");
    assert(row < 0 || Scanners<TSelf>[row].State == state);
    if (row < 0) {
        StartToken(self);
        row = 0;
    }
    assert(!Context.Current.Kind.Empty());
    return row;
}

template <class TSelf>
const TTokenReader::TRun* TTokenReaderCommon::RunOf(TName state)
{
    const std::uint32_t hash = state.LetterHash();
    const int row = FirstRow<std::size(Scanners<TSelf>)>(
        [hash](auto r) { return hash == Scanners<TSelf>[r].State.LetterHash(); });
    return row >= 0 ? Scanners<TSelf>[row].Run : nullptr;
}

template <class TSelf>
void TTokenReaderCommon::StartToken(TSelf& self)
{
    TTokenContext& c = Context;
    // Every start test of every language claims only a printable ASCII character, so blanks,
    // line ends and wide characters, the most frequent between tokens, skip them all.
    const int start = IsPrintable(c.CurChar) ? FirstStartWith(self) : -1;
    // The direct calls answer as the virtual ones, and no test claims any other character.
    assert(start == FirstStartWith(static_cast<const TTokenReaderCommon&>(self)));
    c.State = start >= 0 ? Starts<TSelf>[start].State : LexState::Other;
    c.Current.Kind = start >= 0 ? Starts<TSelf>[start].Kind : TokenKind::Other;
}

template <class TSelf>
int TTokenReaderCommon::FirstStartWith(const TSelf& self) const
{
    return FirstRow<std::size(Starts<TSelf>)>([&self](auto r) { return Starts<TSelf>[r].Test(self); });
}
