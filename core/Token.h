// Token: a piece of source text and the name of its kind; the kind names themselves.
#pragma once

#include <string>
#include <string_view>

// The thirteen token kinds. The first twelve are also the names of the display items.
namespace TokenKind {
inline constexpr std::u16string_view Reserved = u"予約語";
inline constexpr std::u16string_view Directive = u"ディレクティブ";
inline constexpr std::u16string_view Comment = u"コメント";
inline constexpr std::u16string_view String = u"文字列";
inline constexpr std::u16string_view Char = u"文字";
inline constexpr std::u16string_view Number = u"数字";
inline constexpr std::u16string_view Identifier = u"識別子";
inline constexpr std::u16string_view Operator = u"演算子";
inline constexpr std::u16string_view Delimiter = u"区切り記号";
inline constexpr std::u16string_view Emphasis1 = u"強調１";
inline constexpr std::u16string_view Emphasis2 = u"強調２";
inline constexpr std::u16string_view Emphasis3 = u"強調３";
inline constexpr std::u16string_view Other = u"その他";

inline constexpr std::u16string_view All[] = {Reserved,   Directive, Comment,   String, Char,
                                              Number,     Identifier, Operator, Delimiter,
                                              Emphasis1,  Emphasis2, Emphasis3, Other};
} // namespace TokenKind

// Kind names are short and change far less often than characters, so the lexers compare before
// they copy: most characters leave the kind of the piece before them as it is.
inline bool SameKind(std::u16string_view a, std::u16string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i])
            return false;
    return true;
}
inline void SetKind(std::u16string& kind, std::u16string_view name)
{
    if (!SameKind(kind, name))
        kind.assign(name);
}

class TToken {
public:
    TToken(std::u16string_view text, std::u16string_view kind) : Text(text), Kind(kind) {}

    std::u16string Text;
    std::u16string Kind;
    bool Ready = false;
};
