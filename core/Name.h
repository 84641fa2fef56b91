// Name: the name of a token kind or a lexer state, pointing at the constant that spells it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

class TName {
public:
    // The empty name, which names no kind and no state.
    constexpr TName() = default;
    // Only an array fixed at compile time fits here, so a name never dangles.
    template <std::size_t N>
    consteval TName(const char16_t (&letters)[N])
        : Letters(letters), Size(static_cast<std::uint32_t>(N - 1)), Hash(HashOf(View()))
    {
    }

    constexpr std::u16string_view View() const { return {Letters, Size}; }
    constexpr operator std::u16string_view() const { return View(); }
    constexpr bool Empty() const { return Size == 0; }
    // A hash of the letters, worked out at compile time: equal names have equal hashes, so a
    // table may be indexed by it.
    constexpr std::uint32_t LetterHash() const { return Hash; }

    // The same constant, else the same letters: a module loaded at run time holds its own copy
    // of each constant. Names of different letters nearly always differ in their hash, which
    // turns most of them away in one comparison.
    friend constexpr bool operator==(TName a, TName b)
    {
        if (a.Hash != b.Hash)
            return false;
        return a.Letters == b.Letters || a.View() == b.View();
    }
    // A name read from a file has only letters.
    friend constexpr bool operator==(TName a, std::u16string_view letters)
    {
        return a.View() == letters;
    }

private:
    const char16_t* Letters = u"";
    std::uint32_t Size = 0;
    std::uint32_t Hash = HashOf({});

    // FNV-1a over the characters.
    static constexpr std::uint32_t HashOf(std::u16string_view letters)
    {
        std::uint32_t h = 2166136261u;
        for (char16_t ch : letters)
            h = (h ^ ch) * 16777619u;
        return h;
    }
};
