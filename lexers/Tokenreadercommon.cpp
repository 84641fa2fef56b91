// Tokenreadercommon: word-list loading, the two dispatch tables and the default scanners.
#include "lexers/Tokenreadercommon.h"

#include "lexers/Mergedlists.h"
#include "lexers/Tokendispatch.h"

#include "platform/Codepage.h"
#include "platform/Files.h"
#include "platform/Paths.h"

#include <cassert>

namespace {

constexpr bool IsWordChar(char16_t ch)
{
    return (ch >= u'a' && ch <= u'z') || (ch >= u'A' && ch <= u'Z') || (ch >= u'0' && ch <= u'9') ||
           ch == u'_';
}

} // namespace

// Between tokens every character that is not printable ASCII is "other" without a start test.
constexpr TTokenReader::TRun TTokenReaderCommon::BlankRun = [] {
    TRun run{LexState::Other, TokenKind::Other};
    for (char16_t ch = 1; ch < 128; ++ch)
        run.Ascii[ch] = ch != u'\t' && !IsPrintable(ch);
    run.Wide = true;
    return run;
}();

// Letters, digits and the underscore continue an identifier; only its end looks it up.
constexpr TTokenReaderCommon::TScannerRun<TTokenReaderCommon> TTokenReaderCommon::IdentifierRun{
    RunOfAscii(LexState::Identifier, TokenKind::Identifier, IsWordChar)};

// A line comment runs to the line end.
constexpr TTokenReaderCommon::TScannerRun<TTokenReaderCommon> TTokenReaderCommon::LineCommentRun{
    RunUntil(LexState::SingleLineComment, TokenKind::Comment, u"\n")};

// Letters and digits continue a number; a period, a sign and anything else go to its scanner.
constexpr TTokenReaderCommon::TScannerRun<TTokenReaderCommon> TTokenReaderCommon::NumberRun{
    RunOfAscii(LexState::Number, TokenKind::Number,
               [](char16_t ch) { return IsWordChar(ch) && ch != u'_'; })};

// The common scanners of block comments, strings and characters: a block comment can only end
// at a slash; the others have no run of their own here, as every language that uses them
// overrides them.
constexpr TTokenReaderCommon::TScannerRun<TTokenReaderCommon>
    TTokenReaderCommon::MultiLineCommentRun = {
        RunUntil(LexState::MultiLineComment, TokenKind::Comment, u"/")};
constexpr TTokenReaderCommon::TScannerRun<TTokenReaderCommon> TTokenReaderCommon::StringRun{};
constexpr TTokenReaderCommon::TScannerRun<TTokenReaderCommon> TTokenReaderCommon::CharRun{};
constexpr TTokenReaderCommon::TScannerRun<TTokenReaderCommon>
    TTokenReaderCommon::VerbatimStringRun{};
constexpr TTokenReaderCommon::TScannerRun<TTokenReaderCommon> TTokenReaderCommon::DirectiveRun{};

TTokenReaderCommon::TTokenReaderCommon(TTextReader& source, const std::string& code)
    : TTokenReaderCommon(source, code, TWordIndex::TComparison::Exact)
{
}

TTokenReaderCommon::TTokenReaderCommon(TTextReader& source, const std::string& code,
                                       TWordIndex::TComparison keyComparison)
    : TTokenReader(source, code), KeyList(LoadWordList(code, "key"), keyComparison),
      Sp1List(LoadWordList(code, "sp1"), TWordIndex::TComparison::Exact),
      Sp2List(LoadWordList(code, "sp2"), TWordIndex::TComparison::Exact),
      Sp3List(LoadWordList(code, "sp3"), TWordIndex::TComparison::Exact),
      OpeList(LoadWordList(code, "ope"), TWordIndex::TComparison::IgnoreCase)
{
    // The operator test is a table lookup per character: an entry may be the symbol itself or
    // its code in decimal ("+" or "43").
    for (char16_t ch : Symbols) {
        const char self[] = {static_cast<char>(ch), '\0'};
        OpeChars[ch] = OpeList.Holds(CodePage::Decode(self)) ||
                       OpeList.Holds(CodePage::Decode(std::to_string(ch)));
    }
    // The first character goes through the dispatch, which then sets the run of its state: the
    // reference, reached virtually, takes none at all.
    Run = nullptr;
}

TTokenReaderCommon::~TTokenReaderCommon() = default;

TStringList TTokenReaderCommon::LoadWordList(const std::string& code, std::string_view ext)
{
    std::string name = code;
    name += '.';
    name += ext;
    std::string path = Platform::ProgramFile(name);
    TStringList list;
    if (Platform::IsOptionalFile(path)) // a folder of that name is an error, not a gap
        list.LoadFromFile(path);
    return list;
}

void TTokenReaderCommon::ClassifyChar()
{
    SetCurrentText();
    const TName scanned = Dispatch(*this);
    // The virtual step is the reference the runs are checked against: it takes none, so that
    // every character goes through the dispatch.
    Run = nullptr;
    TellWatch(scanned);
}

void TTokenReaderCommon::ScanSingleLineComment()
{
    Context.State = LexState::SingleLineComment;
    Context.Current.Kind = TokenKind::Comment;
    // The line end is not part of the comment.
    if (Context.CurChar == LineBreak) {
        Context.State = LexState::Other;
        Context.Current.Kind = TokenKind::Other;
    }
}

void TTokenReaderCommon::ScanMultiLineComment()
{
    Context.State = LexState::MultiLineComment;
    Context.Current.Kind = TokenKind::Comment;
    if (Context.PrevChar == u'*' && Context.CurChar == u'/')
        Context.State = LexState::Other;
}

void TTokenReaderCommon::ScanString()
{
    Context.State = LexState::String;
    Context.Current.Kind = TokenKind::String;
}

void TTokenReaderCommon::ScanStringEscape()
{
    Context.State = LexState::String;
    Context.Current.Kind = TokenKind::String;
}

void TTokenReaderCommon::ScanVerbatimString()
{
    Context.State = LexState::VerbatimString;
    Context.Current.Kind = TokenKind::String;
}

void TTokenReaderCommon::ScanCharLiteral()
{
    Context.State = LexState::Char;
    Context.Current.Kind = TokenKind::Char;
}

void TTokenReaderCommon::ScanCharEscape()
{
    Context.State = LexState::Char;
    Context.Current.Kind = TokenKind::Char;
}

const TTokenReaderCommon::TWordList TTokenReaderCommon::WordLists[] = {
    {&TTokenReaderCommon::KeyList, TokenKind::Reserved, true},
    {&TTokenReaderCommon::Sp1List, TokenKind::Emphasis1, false},
    {&TTokenReaderCommon::Sp2List, TokenKind::Emphasis2, false},
    {&TTokenReaderCommon::Sp3List, TokenKind::Emphasis3, false},
};

void TTokenReaderCommon::ScanIdentifier()
{
    TTokenContext& c = Context;
    c.State = LexState::Identifier;
    c.Current.Kind = TokenKind::Identifier;
    if (IsLetter(c.CurChar) || IsDigit(c.CurChar) || c.CurChar == u'_')
        return;

    // The identifier ended before CurChar and Pending holds all of it.
    c.State = LexState::Unknown;
    if (!Merged) {
        ApplyWordLists();
        return;
    }
    if (DeferredLookup != nullptr) {
        c.Pending.LookupDeferred = true;
        return;
    }
#ifdef NDEBUG
    ApplyMergedLists();
#else
    TToken pending = c.Pending;
    ApplyMergedLists();
    std::swap(pending, c.Pending);
    ApplyWordLists();
    assert(pending.Kind == c.Pending.Kind && pending.Text == c.Pending.Text);
#endif
}

void TTokenReaderCommon::ApplyWordLists()
{
    for (const TWordList& row : WordLists)
        if (!row.OnlyAfterOther || Context.Output.Kind == TokenKind::Other)
            ApplyWordList(this->*row.List, row.Kind);
}

void TTokenReaderCommon::MergeWordLists(bool listSpelling)
{
    const TWordIndex* parts[std::size(WordLists)];
    TName kinds[std::size(WordLists)];
    for (size_t row = 0; row < std::size(WordLists); ++row) {
        parts[row] = &(this->*WordLists[row].List);
        kinds[row] = WordLists[row].Kind;
        if (row > 0 && parts[row]->Comparison() != TWordIndex::TComparison::Exact)
            return;
    }
    Merged = std::make_unique<TMergedLists>(parts, kinds, listSpelling);
}

const TDeferredLookup* TTokenReaderCommon::DeferLookups()
{
    DeferredLookup = Merged.get();
    return DeferredLookup;
}

void TTokenReaderCommon::ApplyMergedLists() { LookupPending(*Merged); }

void TTokenReaderCommon::ApplyWordList(const TWordIndex& list, TName kind)
{
    std::u16string_view word = LookupWord(list);
    if (word.empty())
        return;
    TToken& pending = Context.Pending;
    pending.Kind = kind;
    if (word.data() != pending.Text.data() || word.size() != pending.Text.size())
        pending.Text.assign(word);
}

std::u16string_view TTokenReaderCommon::LookupWord(const TWordIndex& /*list*/) const
{
    return {};
}

void TTokenReaderCommon::ScanEscapedIdentifier()
{
    Context.State = LexState::EscapedIdentifier;
    Context.Current.Kind = TokenKind::Identifier;
}

void TTokenReaderCommon::ScanNumber()
{
    TTokenContext& c = Context;
    c.State = LexState::Number;
    c.Current.Kind = TokenKind::Number;
    // A number stops before a range of two periods.
    if (c.CurChar == u'.' && c.NextChar == u'.') {
        c.State = LexState::Unknown;
        return;
    }
    if (IsLetter(c.CurChar) || IsDigit(c.CurChar) || c.CurChar == u'.')
        return;
    c.State = LexState::Unknown;
    if ((c.CurChar == u'+' || c.CurChar == u'-') && (c.PrevChar == u'e' || c.PrevChar == u'E') &&
        IsExponentSignAllowed())
        c.State = LexState::Number;
}

bool TTokenReaderCommon::IsExponentSignAllowed() const
{
    // In a hexadecimal number the E is a digit, so a sign after it ends the number.
    const std::u16string& text = Context.Pending.Text;
    return !(text.size() >= 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X'));
}

void TTokenReaderCommon::ScanDirective()
{
    Context.State = LexState::Directive;
    Context.Current.Kind = TokenKind::Directive;
}

void TTokenReaderCommon::ScanDate()
{
    Context.State = LexState::Date;
    Context.Current.Kind = TokenKind::String;
}
