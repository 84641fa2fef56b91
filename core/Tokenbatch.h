// Tokenbatch: the texts and kinds of some tokens, handed from a lexer thread to the writer.
#pragma once

#include "core/Token.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

// Aligned to a cache line of its own: the lexer fills one batch while the writer reads another.
class alignas(64) TTokenBatch {
public:
    TTokenBatch();
    // lookup: the token is an identifier still to be looked up (TToken::LookupDeferred).
    void Add(std::u16string_view text, TName kind, bool lookup)
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
        Tokens[TokenCount++] = Used << 8 | TokenKind::IndexOf(kind) << 1 | (lookup ? 1u : 0u);
    }
    // Full enough to hand over: no room for another token, or enough text.
    bool Full() const { return Used >= FullChars || TokenCount == FullTokens; }
    size_t Count() const { return TokenCount; }
    std::u16string_view Text(size_t i) const
    {
        const size_t from = i == 0 ? 0 : Tokens[i - 1] >> 8;
        return {Chars.get() + from, (Tokens[i] >> 8) - from};
    }
    TName Kind(size_t i) const { return TokenKind::All[(Tokens[i] & 0xFF) >> 1]; }
    bool LookupDeferred(size_t i) const { return (Tokens[i] & 1) != 0; }
    void Clear();

private:
    static constexpr size_t FullChars = 1 << 16;
    static constexpr size_t FullTokens = 1 << 14;
    std::unique_ptr<char16_t[]> Chars;
    size_t Used = 0;
    size_t Capacity = 0;
    // Per token, packed in eight bytes so that a batch stays small in the caches of both
    // threads: where its text ends in Chars (bits 8 and up), the index of its kind in
    // TokenKind::All (bits 1 to 7) and whether it is still to be looked up (bit 0).
    std::unique_ptr<std::uint64_t[]> Tokens;
    size_t TokenCount = 0;
    void Grow(size_t more);
};
