// Tokenbatch: the texts and kinds of some tokens, handed from a lexer thread to the writer.
#pragma once

#include "core/Name.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

class TTokenBatch {
public:
    TTokenBatch();
    void Add(std::u16string_view text, TName kind)
    {
        const size_t size = text.size();
        if (size > Capacity - Used)
            Grow(size);
        char16_t* to = Chars.get() + Used;
        // Most texts are a few characters long: copied in place rather than by a call.
        if (size <= 8) {
            for (size_t i = 0; i < size; ++i)
                to[i] = text[i];
        } else {
            std::char_traits<char16_t>::copy(to, text.data(), size);
        }
        Used += size;
        Tokens[TokenCount++] = {kind, Used};
    }
    // Full enough to hand over: no room for another token, or enough text.
    bool Full() const { return Used >= FullChars || TokenCount == FullTokens; }
    size_t Count() const { return TokenCount; }
    std::u16string_view Text(size_t i) const
    {
        const size_t from = i == 0 ? 0 : Tokens[i - 1].End;
        return {Chars.get() + from, Tokens[i].End - from};
    }
    TName Kind(size_t i) const { return Tokens[i].Kind; }
    void Clear();

private:
    static constexpr size_t FullChars = 1 << 15;
    static constexpr size_t FullTokens = 1 << 13;
    std::unique_ptr<char16_t[]> Chars;
    size_t Used = 0;
    size_t Capacity = 0;
    // Each token's kind and where its text ends in Chars.
    struct TSpan {
        TName Kind;
        size_t End;
    };
    std::unique_ptr<TSpan[]> Tokens;
    size_t TokenCount = 0;
    void Grow(size_t more);
};
