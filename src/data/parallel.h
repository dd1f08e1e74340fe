#pragma once

#include "data/cpu_state.h"

#include <atomic>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace quorvane {

// Runs `work(i)` for i = 0 .. count-1 on `threads` threads. Each item writes only
// its own outputs, so the result is the same whatever the order. The first
// exception is rethrown once every thread has stopped.
template <typename Work>
void ParallelFor(int count, int threads, Work work) {
    std::atomic<int> next{0};
    std::exception_ptr failure;
    std::mutex failureMutex;
    auto run = [&]() {
        ClearUpperVectorState();
        for (int i = next++; i < count; i = next++) {
            try {
                work(i);
            } catch (...) {
                std::lock_guard<std::mutex> lock(failureMutex);
                if (!failure) {
                    failure = std::current_exception();
                }
                next = count;
            }
        }
    };
    std::vector<std::thread> pool;
    for (int t = 1; t < threads; ++t) {
        pool.emplace_back(run);
    }
    run();
    for (auto& thread : pool) {
        thread.join();
    }
    if (failure) {
        std::rethrow_exception(failure);
    }
}

} // namespace quorvane
