// Tokencontext: a lexer's working memory: state, three-character window and three tokens.
#pragma once

#include "core/Token.h"

#include <string_view>

// The lexer states: the token kinds and the finer states that map onto them.
namespace LexState {
inline constexpr std::u16string_view Other = TokenKind::Other;
inline constexpr std::u16string_view Operator = TokenKind::Operator;
inline constexpr std::u16string_view Delimiter = TokenKind::Delimiter;
namespace Names {
inline constexpr char16_t Unknown[] = u"不明";
inline constexpr char16_t SingleLineComment[] = u"単一行コメント";
inline constexpr char16_t MultiLineComment[] = u"複数行コメント";
inline constexpr char16_t StringEscape[] = u"文字列中のエスケープシーケンス";
inline constexpr char16_t VerbatimString[] = u"逐語的文字列";
inline constexpr char16_t CharEscape[] = u"文字中のエスケープシーケンス";
inline constexpr char16_t EscapedIdentifier[] = u"エスケープされた識別子";
inline constexpr char16_t Date[] = u"日付";
} // namespace Names

inline constexpr std::u16string_view Unknown = TokenKind::Name(Names::Unknown);
inline constexpr std::u16string_view SingleLineComment = TokenKind::Name(Names::SingleLineComment);
inline constexpr std::u16string_view MultiLineComment = TokenKind::Name(Names::MultiLineComment);
inline constexpr std::u16string_view String = TokenKind::String;
inline constexpr std::u16string_view StringEscape = TokenKind::Name(Names::StringEscape);
inline constexpr std::u16string_view VerbatimString = TokenKind::Name(Names::VerbatimString);
inline constexpr std::u16string_view Char = TokenKind::Char;
inline constexpr std::u16string_view CharEscape = TokenKind::Name(Names::CharEscape);
inline constexpr std::u16string_view Identifier = TokenKind::Identifier;
inline constexpr std::u16string_view EscapedIdentifier = TokenKind::Name(Names::EscapedIdentifier);
inline constexpr std::u16string_view Number = TokenKind::Number;
inline constexpr std::u16string_view Directive = TokenKind::Directive;
inline constexpr std::u16string_view Date = TokenKind::Name(Names::Date);

// Exact comparison of state names; each name is one array, so identity decides at once.
inline bool Is(std::u16string_view state, std::u16string_view name)
{
    return state.data() == name.data() ? state.size() == name.size() : state == name;
}
} // namespace LexState

class TTokenContext {
public:
    TTokenContext();
    TTokenContext(const TTokenContext&) = delete;
    TTokenContext& operator=(const TTokenContext&) = delete;

    // Points at one of the LexState constants.
    std::u16string_view State = LexState::Other;
    char16_t PrevChar = 0;
    char16_t CurChar = 0;
    char16_t NextChar = 0;
    TToken Output;
    TToken Pending;
    TToken Current;
    // False once the end of input has been processed: Pending is then absent.
    bool HasPending = true;
};
