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

} // namespace twk::files
