#pragma once

#include <algorithm>
#include <atomic>
#include <thread>

namespace quorvane {

// How far a long computation has come and whether it was asked to stop, shared by
// its worker threads and whoever shows the progress.
struct WorkProgress {
    std::atomic<int> done{0};
    std::atomic<int> total{0};
    std::atomic<bool> cancelled{false};

    bool Cancelled() const { return cancelled.load(std::memory_order_relaxed); }
    void Step() { done.fetch_add(1, std::memory_order_relaxed); }
};

// The worker threads of a long computation: every processor, at most 8.
inline int WorkerThreads() {
    return static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 8u));
}

} // namespace quorvane
