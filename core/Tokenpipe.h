// Tokenpipe: batches of tokens handed in order from a lexer thread to the thread that writes them.
#pragma once

#include "core/Name.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

class TTokenPipe {
public:
    // The texts and kinds of some tokens, one after the other.
    class TBatch {
    public:
        TBatch();
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

    // depth batches go round: the lexer fills one while the writer empties another.
    explicit TTokenPipe(size_t depth = 4);
    TTokenPipe(const TTokenPipe&) = delete;
    TTokenPipe& operator=(const TTokenPipe&) = delete;

    // The lexer's side. An empty batch to fill, waiting for one if need be; null once the writer
    // has given up.
    TBatch* Acquire();
    // Hands a filled batch on.
    void Hand(TBatch* batch);
    // Nothing more comes: the lexer is through, or failed with failure.
    void Close(std::exception_ptr failure = nullptr);

    // The writer's side. The next filled batch in order, waiting for it if need be; null after
    // the last. Rethrows the lexer's failure once the batches before it are taken.
    TBatch* Take();
    // Gives a batch back to be filled again.
    void Give(TBatch* batch);
    // The writer stops taking: the lexer's next Acquire returns null.
    void Abandon();

private:
    std::mutex Lock;
    std::condition_variable EmptyReady;
    std::condition_variable FilledReady;
    std::vector<std::unique_ptr<TBatch>> Batches;
    std::vector<TBatch*> Empty;
    std::deque<TBatch*> Filled;
    bool Closed = false;
    bool Abandoned = false;
    std::exception_ptr Failure;
};
