// Tokenbatch: one buffer of text for all the tokens of a batch, grown only for a long token.
#include "core/Tokenbatch.h"

#include <algorithm>

TTokenBatch::TTokenBatch() : Tokens(std::make_unique<std::uint64_t[]>(FullTokens)) { Grow(0); }

void TTokenBatch::Clear()
{
    Used = 0;
    TokenCount = 0;
}

void TTokenBatch::Grow(size_t more)
{
    const size_t capacity = std::max({Capacity * 2, FullChars * 2, Used + more});
    auto chars = std::make_unique_for_overwrite<char16_t[]>(capacity);
    if (Used != 0)
        std::char_traits<char16_t>::copy(chars.get(), Chars.get(), Used);
    Chars = std::move(chars);
    Capacity = capacity;
}
