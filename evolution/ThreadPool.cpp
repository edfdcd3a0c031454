#include "evolution/ThreadPool.h"

#include <algorithm>
#include <chrono>

#include "evolution/CpuCount.h"

namespace {

void relax() {
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#endif
}

// Spins until ready() holds or the spin time is over; true when it holds.
template <typename Ready> bool spinUntil(const Ready& ready) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point end =
        Clock::now() + std::chrono::microseconds(ThreadPool::SPIN_MICROSECONDS);
    for (unsigned k = 1;; ++k) {
        if (ready())
            return true;
        relax();
        if (k % 64 == 0 && Clock::now() >= end)
            return false;
    }
}

} // namespace

ThreadPool::ThreadPool(int threads) : spin_(threads <= usableCpus()) {
    for (int w = 1; w < threads; ++w)
        workers_.emplace_back([this, w] { work(w); });
}

ThreadPool::~ThreadPool() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_.store(true);
    }
    wake_.notify_all();
    // A pool destroyed by exit() called on one of its own workers (a misuse
    // ends the process from inside a job) cannot wait for that worker: its
    // threads are left to end with the process.
    const std::thread::id self = std::this_thread::get_id();
    const bool onWorker = std::any_of(workers_.begin(), workers_.end(),
                                      [&](const std::thread& t) { return t.get_id() == self; });
    for (std::thread& t : workers_) {
        if (onWorker)
            t.detach();
        else
            t.join();
    }
}

int ThreadPool::machineThreads() {
    return usableCpus();
}

void ThreadPool::forEach(int count, const std::function<void(int, int)>& job) {
    if (count <= 0)
        return;
    // A single index is run here alone: no thread is woken for it.
    const bool shared = !workers_.empty() && count > 1;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        job_ = &job;
        count_ = count;
        next_.store(0);
        failure_ = nullptr;
        if (shared) {
            running_.store(static_cast<int>(workers_.size()));
            loop_.fetch_add(1, std::memory_order_release);
        }
    }
    if (shared)
        wake_.notify_all();
    runIndices(0);
    if (shared)
        waitForWorkers();
    std::lock_guard<std::mutex> lock(mutex_);
    job_ = nullptr;
    if (failure_)
        std::rethrow_exception(failure_);
}

void ThreadPool::waitForWorkers() {
    const auto allDone = [this] { return running_.load(std::memory_order_acquire) == 0; };
    if (spin_ && spinUntil(allDone))
        return;
    std::unique_lock<std::mutex> lock(mutex_);
    finished_.wait(lock, allDone);
}

void ThreadPool::waitForLoop(uint64_t seen) {
    const auto woken = [this, seen] {
        return stopping_.load(std::memory_order_acquire) ||
               loop_.load(std::memory_order_acquire) != seen;
    };
    if (spin_ && spinUntil(woken))
        return;
    std::unique_lock<std::mutex> lock(mutex_);
    wake_.wait(lock, woken);
}

void ThreadPool::work(int worker) {
    uint64_t seen = 0;
    for (;;) {
        waitForLoop(seen);
        if (stopping_.load(std::memory_order_acquire))
            return;
        seen = loop_.load(std::memory_order_acquire);
        runIndices(worker);
        if (running_.fetch_sub(1, std::memory_order_acq_rel) == 1) {
            // Under the lock, so that a caller about to sleep sees the end.
            std::lock_guard<std::mutex> lock(mutex_);
            finished_.notify_one();
        }
    }
}

void ThreadPool::runIndices(int worker) {
    for (int i = next_.fetch_add(1); i < count_; i = next_.fetch_add(1))
        runJob(i, worker);
}

void ThreadPool::runJob(int index, int worker) {
    try {
        (*job_)(index, worker);
    } catch (...) {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!failure_)
            failure_ = std::current_exception();
    }
}
