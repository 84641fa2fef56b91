// Token: a piece of source text and the name of its kind; the kind names themselves.
#pragma once

#include <string>
#include <string_view>

// The thirteen token kinds. The first twelve are also the names of the display items. Each name
// is one array for the whole program, so a kind is compared by its address before its letters.
namespace TokenKind {
namespace Names {
inline constexpr char16_t Reserved[] = u"予約語";
inline constexpr char16_t Directive[] = u"ディレクティブ";
inline constexpr char16_t Comment[] = u"コメント";
inline constexpr char16_t String[] = u"文字列";
inline constexpr char16_t Char[] = u"文字";
inline constexpr char16_t Number[] = u"数字";
inline constexpr char16_t Identifier[] = u"識別子";
inline constexpr char16_t Operator[] = u"演算子";
inline constexpr char16_t Delimiter[] = u"区切り記号";
inline constexpr char16_t Emphasis1[] = u"強調１";
inline constexpr char16_t Emphasis2[] = u"強調２";
inline constexpr char16_t Emphasis3[] = u"強調３";
inline constexpr char16_t Other[] = u"その他";
} // namespace Names

template <size_t N>
constexpr std::u16string_view Name(const char16_t (&text)[N])
{
    return {text, N - 1};
}

inline constexpr std::u16string_view Reserved = Name(Names::Reserved);
inline constexpr std::u16string_view Directive = Name(Names::Directive);
inline constexpr std::u16string_view Comment = Name(Names::Comment);
inline constexpr std::u16string_view String = Name(Names::String);
inline constexpr std::u16string_view Char = Name(Names::Char);
inline constexpr std::u16string_view Number = Name(Names::Number);
inline constexpr std::u16string_view Identifier = Name(Names::Identifier);
inline constexpr std::u16string_view Operator = Name(Names::Operator);
inline constexpr std::u16string_view Delimiter = Name(Names::Delimiter);
inline constexpr std::u16string_view Emphasis1 = Name(Names::Emphasis1);
inline constexpr std::u16string_view Emphasis2 = Name(Names::Emphasis2);
inline constexpr std::u16string_view Emphasis3 = Name(Names::Emphasis3);
inline constexpr std::u16string_view Other = Name(Names::Other);

inline constexpr std::u16string_view All[] = {Reserved,   Directive, Comment,   String, Char,
                                              Number,     Identifier, Operator, Delimiter,
                                              Emphasis1,  Emphasis2, Emphasis3, Other};
} // namespace TokenKind

// Equal kind names: the same array, or the same letters.
inline bool SameKind(std::u16string_view a, std::u16string_view b)
{
    if (a.size() != b.size())
        return false;
    if (a.data() == b.data())
        return true;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i])
            return false;
    return true;
}

class TToken {
public:
    TToken(std::u16string_view text, std::u16string_view kind) : Text(text), Kind(kind) {}

    std::u16string Text;
    // The kind's name is not copied: it must outlive the token, as the TokenKind names do.
    std::u16string_view Kind;
    bool Ready = false;
};
