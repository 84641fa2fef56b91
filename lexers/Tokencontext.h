// Tokencontext: a lexer's working memory: state, three-character window and three tokens.
#pragma once

#include "core/Name.h"
#include "core/Token.h"

// The lexer states: the token kinds and the finer states that map onto them.
namespace LexState {
namespace Letters {
inline constexpr char16_t Unknown[] = u"不明";
inline constexpr char16_t SingleLineComment[] = u"単一行コメント";
inline constexpr char16_t MultiLineComment[] = u"複数行コメント";
inline constexpr char16_t StringEscape[] = u"文字列中のエスケープシーケンス";
inline constexpr char16_t VerbatimString[] = u"逐語的文字列";
inline constexpr char16_t CharEscape[] = u"文字中のエスケープシーケンス";
inline constexpr char16_t EscapedIdentifier[] = u"エスケープされた識別子";
inline constexpr char16_t Date[] = u"日付";
} // namespace Letters

inline constexpr TName Other = TokenKind::Other;
inline constexpr TName Operator = TokenKind::Operator;
inline constexpr TName Delimiter = TokenKind::Delimiter;
inline constexpr TName Unknown = Letters::Unknown;
inline constexpr TName SingleLineComment = Letters::SingleLineComment;
inline constexpr TName MultiLineComment = Letters::MultiLineComment;
inline constexpr TName String = TokenKind::String;
inline constexpr TName StringEscape = Letters::StringEscape;
inline constexpr TName VerbatimString = Letters::VerbatimString;
inline constexpr TName Char = TokenKind::Char;
inline constexpr TName CharEscape = Letters::CharEscape;
inline constexpr TName Identifier = TokenKind::Identifier;
inline constexpr TName EscapedIdentifier = Letters::EscapedIdentifier;
inline constexpr TName Number = TokenKind::Number;
inline constexpr TName Directive = TokenKind::Directive;
inline constexpr TName Date = Letters::Date;
} // namespace LexState

class TTokenContext {
public:
    TTokenContext();
    TTokenContext(const TTokenContext&) = delete;
    TTokenContext& operator=(const TTokenContext&) = delete;

    TName State = LexState::Other;
    char16_t PrevChar = 0;
    char16_t CurChar = 0;
    char16_t NextChar = 0;
    TToken Output;
    TToken Pending;
    TToken Current;
    // False once the end of input has been processed: Pending is then absent.
    bool HasPending = true;

private:
    static constexpr size_t ReservedText = 64;
};
