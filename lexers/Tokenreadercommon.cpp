// Tokenreadercommon: word-list loading, the two dispatch tables and the default scanners.
#include "lexers/Tokenreadercommon.h"

#include "platform/Codepage.h"
#include "platform/Files.h"
#include "platform/Paths.h"

#include <cassert>

constexpr TTokenReaderCommon::TScan TTokenReaderCommon::Scanners[] = {
    {LexState::Other, &TTokenReaderCommon::StartToken},
    {LexState::Operator, &TTokenReaderCommon::StartToken},
    {LexState::Delimiter, &TTokenReaderCommon::StartToken},
    {LexState::Unknown, &TTokenReaderCommon::StartToken},
    {LexState::SingleLineComment, &TTokenReaderCommon::ScanSingleLineComment},
    {LexState::MultiLineComment, &TTokenReaderCommon::ScanMultiLineComment},
    {LexState::String, &TTokenReaderCommon::ScanString},
    {LexState::StringEscape, &TTokenReaderCommon::ScanStringEscape},
    {LexState::VerbatimString, &TTokenReaderCommon::ScanVerbatimString},
    {LexState::Char, &TTokenReaderCommon::ScanCharLiteral},
    {LexState::CharEscape, &TTokenReaderCommon::ScanCharEscape},
    {LexState::Identifier, &TTokenReaderCommon::ScanIdentifier},
    {LexState::EscapedIdentifier, &TTokenReaderCommon::ScanEscapedIdentifier},
    {LexState::Number, &TTokenReaderCommon::ScanNumber},
    {LexState::Directive, &TTokenReaderCommon::ScanDirective},
    {LexState::Date, &TTokenReaderCommon::ScanDate},
};

constexpr std::array<TTokenReaderCommon::TScan, 64> TTokenReaderCommon::ScanSlots = [] {
    std::array<TScan, 64> slots{};
    static_assert(std::size(Scanners) < slots.size() / 2);
    for (const TScan& row : Scanners) {
        std::uint32_t at = row.State.LetterHash();
        while (!slots[at % slots.size()].State.Empty())
            ++at;
        slots[at % slots.size()] = row;
    }
    return slots;
}();

// The fixed order: identifiers and numbers before comments, directives before comments, the
// delimiter test before the operator test.
constexpr TTokenReaderCommon::TStart TTokenReaderCommon::Starts[] = {
    {&TTokenReaderCommon::IsIdentifierStart, LexState::Identifier, TokenKind::Identifier},
    {&TTokenReaderCommon::IsEscapedIdentifierStart, LexState::EscapedIdentifier,
     TokenKind::Identifier},
    {&TTokenReaderCommon::IsNumberStart, LexState::Number, TokenKind::Number},
    {&TTokenReaderCommon::IsDirectiveStart, LexState::Directive, TokenKind::Directive},
    {&TTokenReaderCommon::IsSingleLineCommentStart, LexState::SingleLineComment,
     TokenKind::Comment},
    {&TTokenReaderCommon::IsMultiLineCommentStart, LexState::MultiLineComment, TokenKind::Comment},
    {&TTokenReaderCommon::IsStringStart, LexState::String, TokenKind::String},
    {&TTokenReaderCommon::IsCharStart, LexState::Char, TokenKind::Char},
    {&TTokenReaderCommon::IsVerbatimStringStart, LexState::VerbatimString, TokenKind::String},
    {&TTokenReaderCommon::IsDateStart, LexState::Date, TokenKind::String},
    {&TTokenReaderCommon::IsDelimiter, LexState::Delimiter, TokenKind::Delimiter},
    {&TTokenReaderCommon::IsOperator, LexState::Operator, TokenKind::Operator},
};

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
}

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
    // The plain reader's step without its kind: every scanner and StartToken set the kind
    // anyway, and leaving it untouched lets a run of one kind skip the copy.
    SetCurrentText();
    Dispatch();
    if (Context.State == LexState::Unknown) {
        Dispatch();
        // StartToken never answers "unknown", so no character is dispatched a third time.
        assert(!(Context.State == LexState::Unknown));
    }
}

void TTokenReaderCommon::Dispatch()
{
#ifndef NDEBUG
    // Every scanner sets the kind: a kind left over from the character before would go unseen.
    Context.Current.Kind = TName();
#endif
    const TName state = Context.State;
    const TScan& home = ScanSlots[state.LetterHash() % ScanSlots.size()];
    (this->*(home.State == state ? home.Scan : ScannerOf(state)))();
    assert(!Context.Current.Kind.Empty());
}

void (TTokenReaderCommon::*TTokenReaderCommon::ScannerOf(TName state))()
{
    for (std::uint32_t at = state.LetterHash() + 1;; ++at) {
        const TScan& slot = ScanSlots[at % ScanSlots.size()];
        if (slot.State == state)
            return slot.Scan;
        if (slot.State.Empty()) {
            assert(!"unknown lexer state");
            return &TTokenReaderCommon::StartToken;
        }
    }
}

void TTokenReaderCommon::StartToken()
{
    TTokenContext& c = Context;
    // Every start test of every language claims only a printable ASCII character, so blanks,
    // line ends and wide characters, the most frequent between tokens, skip them all.
    const TStart* start = IsPrintable(c.CurChar) ? FirstStart() : nullptr;
    assert(IsPrintable(c.CurChar) || FirstStart() == nullptr);
    c.State = start ? start->State : LexState::Other;
    c.Current.Kind = start ? start->Kind : TokenKind::Other;
}

const TTokenReaderCommon::TStart* TTokenReaderCommon::FirstStart() const
{
    return FirstStartOf(std::make_index_sequence<std::size(Starts)>());
}

// The rows are constants, so unrolled each test is called as directly as if written out.
template <size_t... Row>
const TTokenReaderCommon::TStart* TTokenReaderCommon::FirstStartOf(
    std::index_sequence<Row...>) const
{
    const TStart* first = nullptr;
    (void)(((this->*Starts[Row].Test)() && (first = &Starts[Row])) || ...);
    return first;
}

bool TTokenReaderCommon::IsSingleLineCommentStart() const
{
    return Context.CurChar == u'/' && Context.NextChar == u'/';
}

bool TTokenReaderCommon::IsMultiLineCommentStart() const
{
    return Context.CurChar == u'/' && Context.NextChar == u'*';
}

bool TTokenReaderCommon::IsStringStart() const { return false; }

bool TTokenReaderCommon::IsCharStart() const { return false; }

bool TTokenReaderCommon::IsVerbatimStringStart() const { return false; }

bool TTokenReaderCommon::IsDirectiveStart() const { return false; }

bool TTokenReaderCommon::IsIdentifierStart() const
{
    return IsLetter(Context.CurChar) || Context.CurChar == u'_';
}

bool TTokenReaderCommon::IsEscapedIdentifierStart() const { return false; }

bool TTokenReaderCommon::IsNumberStart() const { return IsDigit(Context.CurChar); }

bool TTokenReaderCommon::IsOperator() const
{
    char16_t ch = Context.CurChar;
    return IsSymbol(ch) && OpeChars[ch];
}

bool TTokenReaderCommon::IsDelimiter() const
{
    char16_t ch = Context.CurChar;
    return IsSymbol(ch) && !OpeChars[ch];
}

bool TTokenReaderCommon::IsDateStart() const { return false; }

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

void TTokenReaderCommon::ScanIdentifier()
{
    TTokenContext& c = Context;
    c.State = LexState::Identifier;
    c.Current.Kind = TokenKind::Identifier;
    if (IsLetter(c.CurChar) || IsDigit(c.CurChar) || c.CurChar == u'_')
        return;

    // The identifier ended before CurChar and Pending holds all of it. A reserved word only
    // counts after white space, a line end or the start of input; later lists win.
    c.State = LexState::Unknown;
    if (c.Output.Kind == TokenKind::Other)
        ApplyWordList(KeyList, TokenKind::Reserved);
    ApplyWordList(Sp1List, TokenKind::Emphasis1);
    ApplyWordList(Sp2List, TokenKind::Emphasis2);
    ApplyWordList(Sp3List, TokenKind::Emphasis3);
}

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
