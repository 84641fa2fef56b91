// Tokenreadercommon: word-list loading, state dispatch, start order and the default scanners.
#include "lexers/Tokenreadercommon.h"

#include "platform/Codepage.h"
#include "platform/Files.h"
#include "platform/Paths.h"

#include <cassert>

namespace {

enum class TScanner : unsigned char {
    Start,
    SingleLineComment,
    MultiLineComment,
    String,
    StringEscape,
    VerbatimString,
    Char,
    CharEscape,
    Identifier,
    EscapedIdentifier,
    Number,
    Directive,
    Date,
};

struct TStateEntry {
    std::u16string_view Name;
    TScanner Scanner;
};

// Roughly in order of frequency: most characters are read between tokens or in identifiers.
constexpr TStateEntry StateTable[] = {
    {LexState::Other, TScanner::Start},
    {LexState::Identifier, TScanner::Identifier},
    {LexState::Delimiter, TScanner::Start},
    {LexState::Unknown, TScanner::Start},
    {LexState::Operator, TScanner::Start},
    {LexState::MultiLineComment, TScanner::MultiLineComment},
    {LexState::SingleLineComment, TScanner::SingleLineComment},
    {LexState::String, TScanner::String},
    {LexState::Number, TScanner::Number},
    {LexState::VerbatimString, TScanner::VerbatimString},
    {LexState::Char, TScanner::Char},
    {LexState::Directive, TScanner::Directive},
    {LexState::StringEscape, TScanner::StringEscape},
    {LexState::CharEscape, TScanner::CharEscape},
    {LexState::EscapedIdentifier, TScanner::EscapedIdentifier},
    {LexState::Date, TScanner::Date},
};

// State only ever points at a LexState constant, so the pointer decides; the text comparison
// covers a constant whose literal another translation unit holds at a different address.
TScanner ScannerOf(std::u16string_view state)
{
    for (const TStateEntry& e : StateTable)
        if (e.Name.data() == state.data() && e.Name.size() == state.size())
            return e.Scanner;
    for (const TStateEntry& e : StateTable)
        if (e.Name == state)
            return e.Scanner;
    assert(!"unknown lexer state");
    return TScanner::Start;
}

} // namespace

TTokenReaderCommon::TTokenReaderCommon(TTextReader& source, const std::string& code)
    : TTokenReader(source, code)
{
    LoadWordList(KeyList, code, "key");
    LoadWordList(Sp1List, code, "sp1");
    LoadWordList(Sp2List, code, "sp2");
    LoadWordList(Sp3List, code, "sp3");
    LoadWordList(OpeList, code, "ope");
    OpeList.CaseSensitive = false;

    // The operator test is a table lookup per character: an entry may be the symbol itself or
    // its code in decimal ("+" or "43").
    for (char16_t ch : Symbols) {
        const char self[] = {static_cast<char>(ch), '\0'};
        OpeChars[ch] = OpeList.IndexOf(std::string_view(self)) >= 0 ||
                       OpeList.IndexOf(std::string_view(std::to_string(ch))) >= 0;
    }
}

void TTokenReaderCommon::LoadWordList(TStringList& list, const std::string& code,
                                      std::string_view ext)
{
    std::string name = code;
    name += '.';
    name += ext;
    std::string path = Platform::ProgramFile(name);
    if (Platform::IsOptionalFile(path)) // a folder of that name is an error, not a gap
        list.LoadFromFile(path);
    list.CaseSensitive = true;
}

void TTokenReaderCommon::ClassifyChar()
{
    // The plain reader's step without its kind: every scanner and StartToken set the kind
    // anyway, and leaving it untouched lets a run of one kind skip the copy.
    SetCurrentText();
    Dispatch();
    if (LexState::Is(Context.State, LexState::Unknown)) {
        Dispatch();
        // StartToken never answers "unknown", so no character is dispatched a third time.
        assert(!LexState::Is(Context.State, LexState::Unknown));
    }
}

void TTokenReaderCommon::Dispatch()
{
    switch (ScannerOf(Context.State)) {
    case TScanner::Start:
        StartToken();
        break;
    case TScanner::SingleLineComment:
        ScanSingleLineComment();
        break;
    case TScanner::MultiLineComment:
        ScanMultiLineComment();
        break;
    case TScanner::String:
        ScanString();
        break;
    case TScanner::StringEscape:
        ScanStringEscape();
        break;
    case TScanner::VerbatimString:
        ScanVerbatimString();
        break;
    case TScanner::Char:
        ScanCharLiteral();
        break;
    case TScanner::CharEscape:
        ScanCharEscape();
        break;
    case TScanner::Identifier:
        ScanIdentifier();
        break;
    case TScanner::EscapedIdentifier:
        ScanEscapedIdentifier();
        break;
    case TScanner::Number:
        ScanNumber();
        break;
    case TScanner::Directive:
        ScanDirective();
        break;
    case TScanner::Date:
        ScanDate();
        break;
    }
}

void TTokenReaderCommon::StartToken()
{
    // The state and kind a token takes from each start test, in the order they are asked.
    struct TStart {
        std::u16string_view State;
        std::u16string_view Kind;
    };
    static constexpr TStart Starts[] = {
        {LexState::Identifier, TokenKind::Identifier},
        {LexState::EscapedIdentifier, TokenKind::Identifier},
        {LexState::Number, TokenKind::Number},
        {LexState::Directive, TokenKind::Directive},
        {LexState::SingleLineComment, TokenKind::Comment},
        {LexState::MultiLineComment, TokenKind::Comment},
        {LexState::String, TokenKind::String},
        {LexState::Char, TokenKind::Char},
        {LexState::VerbatimString, TokenKind::String},
        {LexState::Date, TokenKind::String},
        {LexState::Delimiter, TokenKind::Delimiter},
        {LexState::Operator, TokenKind::Operator},
    };
    TTokenContext& c = Context;
    // Every start test of every language claims only a printable ASCII character, so blanks,
    // line ends and wide characters, the most frequent between tokens, skip them all.
    int start = IsPrintable(c.CurChar) ? FirstStartTest() : -1;
    assert(IsPrintable(c.CurChar) || FirstStartTest() < 0);
    c.State = start < 0 ? LexState::Other : Starts[start].State;
    c.Current.Kind = start < 0 ? TokenKind::Other : Starts[start].Kind;
}

int TTokenReaderCommon::FirstStartTest() const
{
    if (IsIdentifierStart())
        return 0;
    if (IsEscapedIdentifierStart())
        return 1;
    if (IsNumberStart())
        return 2;
    if (IsDirectiveStart())
        return 3;
    if (IsSingleLineCommentStart())
        return 4;
    if (IsMultiLineCommentStart())
        return 5;
    if (IsStringStart())
        return 6;
    if (IsCharStart())
        return 7;
    if (IsVerbatimStringStart())
        return 8;
    if (IsDateStart())
        return 9;
    if (IsDelimiter())
        return 10;
    if (IsOperator())
        return 11;
    return -1;
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
    if (SameKind(c.Output.Kind, TokenKind::Other))
        ApplyWordList(KeyList, TokenKind::Reserved);
    ApplyWordList(Sp1List, TokenKind::Emphasis1);
    ApplyWordList(Sp2List, TokenKind::Emphasis2);
    ApplyWordList(Sp3List, TokenKind::Emphasis3);
}

void TTokenReaderCommon::ApplyWordList(const TStringList& list, std::u16string_view kind)
{
    std::u16string_view word = LookupWord(list);
    if (word.empty())
        return;
    TToken& pending = Context.Pending;
    pending.Kind = kind;
    if (word.data() != pending.Text.data() || word.size() != pending.Text.size())
        pending.Text.assign(word);
}

std::u16string_view TTokenReaderCommon::LookupWord(const TStringList& /*list*/) const { return {}; }

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
