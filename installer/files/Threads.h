#pragma once

// Work spread over a few threads: for file work on many scripts, where each item stands alone.

#include <atomic>
#include <cstddef>
#include <functional>
#include <vector>

namespace twk::files {

// Runs work(i) for every i below count on the calling thread and up to threads - 1 more (0:
// one per processor), each taking the next i not taken yet; returns once all are done.
void runOnThreads(size_t count, int threads, const std::function<void(size_t)>& work);

// How many threads look at scripts (mostly stat calls, a few microseconds each) for a given
// thread count: the count itself, or for 0 one more than processors. The scheduler may start
// a new thread on a processor that is busy and leave it there for a while; with one spare
// thread, the other processors never stand idle meanwhile.
int threadsForLooking(int threads);

// Hands items that threads finish to a callback, one at a time and in the order they were
// finished, without making any thread wait for another: an item finished while another thread
// is handing items over is left for that thread to hand over. Threads that wait on each other
// for every item of thousands spend more time switching than working.
class Handover {
public:
    Handover(size_t count, std::function<void(size_t)> deliver);

    // Item i is finished (each i once, from any thread).
    void finished(size_t i);

private:
    void deliverPending();

    static constexpr size_t None = size_t(-1);
    std::vector<size_t> next_;         // the pending items, newest first, as a linked list
    std::atomic<size_t> newest_{None}; // the head of that list
    std::atomic<bool> delivering_{false};
    std::function<void(size_t)> deliver_;
};

} // namespace twk::files
