// Tokenpipe: a mutex and two conditions over a fixed set of batches, reused round after round.
#include "core/Tokenpipe.h"

#include <algorithm>

TTokenPipe::TBatch::TBatch() : Tokens(std::make_unique<TSpan[]>(FullTokens)) { Grow(0); }

void TTokenPipe::TBatch::Clear()
{
    Used = 0;
    TokenCount = 0;
}

void TTokenPipe::TBatch::Grow(size_t more)
{
    const size_t capacity = std::max({Capacity * 2, FullChars * 2, Used + more});
    auto chars = std::make_unique_for_overwrite<char16_t[]>(capacity);
    std::char_traits<char16_t>::copy(chars.get(), Chars.get(), Used);
    Chars = std::move(chars);
    Capacity = capacity;
}

TTokenPipe::TTokenPipe(size_t depth)
{
    for (size_t i = 0; i < std::max<size_t>(depth, 2); ++i) {
        Batches.push_back(std::make_unique<TBatch>());
        Empty.push_back(Batches.back().get());
    }
}

TTokenPipe::TBatch* TTokenPipe::Acquire()
{
    std::unique_lock<std::mutex> hold(Lock);
    EmptyReady.wait(hold, [this] { return Abandoned || !Empty.empty(); });
    if (Abandoned)
        return nullptr;
    TBatch* batch = Empty.back();
    Empty.pop_back();
    return batch;
}

void TTokenPipe::Hand(TBatch* batch)
{
    {
        std::lock_guard<std::mutex> hold(Lock);
        Filled.push_back(batch);
    }
    FilledReady.notify_one();
}

void TTokenPipe::Close(std::exception_ptr failure)
{
    {
        std::lock_guard<std::mutex> hold(Lock);
        Closed = true;
        Failure = std::move(failure);
    }
    FilledReady.notify_one();
}

TTokenPipe::TBatch* TTokenPipe::Take()
{
    std::unique_lock<std::mutex> hold(Lock);
    FilledReady.wait(hold, [this] { return Closed || !Filled.empty(); });
    if (!Filled.empty()) {
        TBatch* batch = Filled.front();
        Filled.pop_front();
        return batch;
    }
    if (Failure)
        std::rethrow_exception(Failure);
    return nullptr;
}

void TTokenPipe::Give(TBatch* batch)
{
    batch->Clear();
    {
        std::lock_guard<std::mutex> hold(Lock);
        Empty.push_back(batch);
    }
    EmptyReady.notify_one();
}

void TTokenPipe::Abandon()
{
    {
        std::lock_guard<std::mutex> hold(Lock);
        Abandoned = true;
    }
    EmptyReady.notify_one();
}
