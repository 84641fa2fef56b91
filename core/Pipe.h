// Pipe: items handed in order from one thread to another, a fixed set of them going round.
#pragma once

#include <algorithm>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <vector>

// The producer fills the items it acquires and hands them on; the consumer takes them in the
// order handed and gives them back to be filled again. Items are made once and reused.
template <class TItem>
class TPipe {
public:
    // depth items go round (at least two): one is filled while another is emptied.
    explicit TPipe(size_t depth)
    {
        for (size_t i = 0; i < std::max<size_t>(depth, 2); ++i) {
            Items.push_back(std::make_unique<TItem>());
            Empty.push_back(Items.back().get());
        }
    }
    TPipe(const TPipe&) = delete;
    TPipe& operator=(const TPipe&) = delete;

    // The producer's side. An item to fill, as the consumer last gave it back, waiting for one
    // if need be; null once the consumer has given up.
    TItem* Acquire()
    {
        std::unique_lock<std::mutex> hold(Lock);
        EmptyReady.wait(hold, [this] { return Abandoned || !Empty.empty(); });
        if (Abandoned)
            return nullptr;
        TItem* item = Empty.back();
        Empty.pop_back();
        return item;
    }
    // Hands a filled item on.
    void Hand(TItem* item)
    {
        {
            std::lock_guard<std::mutex> hold(Lock);
            Filled.push_back(item);
        }
        FilledReady.notify_one();
    }
    // Nothing more comes: the producer is through, or failed with failure.
    void Close(std::exception_ptr failure = nullptr)
    {
        {
            std::lock_guard<std::mutex> hold(Lock);
            Closed = true;
            Failure = std::move(failure);
        }
        FilledReady.notify_one();
    }

    // The consumer's side. The next filled item in order, waiting for it if need be; null after
    // the last. Rethrows the producer's failure once the items before it are taken.
    TItem* Take()
    {
        std::unique_lock<std::mutex> hold(Lock);
        FilledReady.wait(hold, [this] { return Closed || !Filled.empty(); });
        if (!Filled.empty()) {
            TItem* item = Filled.front();
            Filled.pop_front();
            return item;
        }
        if (Failure)
            std::rethrow_exception(Failure);
        return nullptr;
    }
    // Gives an item back to be filled again.
    void Give(TItem* item)
    {
        {
            std::lock_guard<std::mutex> hold(Lock);
            Empty.push_back(item);
        }
        EmptyReady.notify_one();
    }
    // The consumer stops taking: the producer's next Acquire returns null.
    void Abandon()
    {
        {
            std::lock_guard<std::mutex> hold(Lock);
            Abandoned = true;
        }
        EmptyReady.notify_one();
    }

private:
    std::mutex Lock;
    std::condition_variable EmptyReady;
    std::condition_variable FilledReady;
    std::vector<std::unique_ptr<TItem>> Items;
    std::vector<TItem*> Empty;
    std::deque<TItem*> Filled;
    bool Closed = false;
    bool Abandoned = false;
    std::exception_ptr Failure;
};
