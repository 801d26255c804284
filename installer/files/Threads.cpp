#include "installer/files/Threads.h"

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

namespace twk::files {

void runOnThreads(size_t count, int threads, const std::function<void(size_t)>& work) {
    std::atomic<size_t> next{0};
    auto some = [&] {
        for (size_t i = next++; i < count; i = next++)
            work(i);
    };
    const unsigned wanted =
        threads > 0 ? unsigned(threads) : std::max(1u, std::thread::hardware_concurrency());
    std::vector<std::thread> helpers;
    for (unsigned i = 1; i < std::min<size_t>(wanted, count); ++i)
        helpers.emplace_back(some);
    some();
    for (std::thread& helper : helpers)
        helper.join();
}

int threadsForLooking(int threads) {
    return threads > 0 ? threads : int(std::max(1u, std::thread::hardware_concurrency())) + 1;
}

Handover::Handover(size_t count, std::function<void(size_t)> deliver)
    : next_(count, None), deliver_(std::move(deliver)) {}

void Handover::finished(size_t i) {
    size_t newest = newest_.load();
    do
        next_[i] = newest;
    while (!newest_.compare_exchange_weak(newest, i));
    deliverPending();
}

void Handover::deliverPending() {
    // Whoever finds no one handing over takes every pending item, then looks again: an item
    // may have come in after it took its batch and before it stepped down. (Sequentially
    // consistent throughout: that look and the finishing thread's own must not both miss.)
    std::vector<size_t> batch;
    while (newest_.load() != None && !delivering_.exchange(true)) {
        batch.clear();
        for (size_t item = newest_.exchange(None); item != None; item = next_[item])
            batch.push_back(item);
        for (auto item = batch.rbegin(); item != batch.rend(); ++item)
            deliver_(*item);
        delivering_.store(false);
    }
}

} // namespace twk::files
