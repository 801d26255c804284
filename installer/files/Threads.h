#pragma once

// Work spread over a few threads: for file work on many scripts, where each item stands alone.

#include <cstddef>
#include <functional>

namespace twk::files {

// Runs work(i) for every i below count on the calling thread and up to threads - 1 more (0:
// one per processor), each taking the next i not taken yet; returns once all are done.
void runOnThreads(size_t count, int threads, const std::function<void(size_t)>& work);

} // namespace twk::files
