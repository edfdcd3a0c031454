#include "evolution/ThreadPool.h"

#include <algorithm>

#include "evolution/CpuCount.h"

ThreadPool::ThreadPool(int threads) {
    for (int w = 1; w < threads; ++w)
        workers_.emplace_back([this, w] { work(w); });
}

ThreadPool::~ThreadPool() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
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
    {
        std::lock_guard<std::mutex> lock(mutex_);
        job_ = &job;
        count_ = count;
        next_.store(0);
        running_ = static_cast<int>(workers_.size());
        failure_ = nullptr;
        ++loop_;
    }
    wake_.notify_all();
    runIndices(0);
    std::unique_lock<std::mutex> lock(mutex_);
    finished_.wait(lock, [this] { return running_ == 0; });
    job_ = nullptr;
    if (failure_)
        std::rethrow_exception(failure_);
}

void ThreadPool::work(int worker) {
    uint64_t seen = 0;
    for (;;) {
        {
            std::unique_lock<std::mutex> lock(mutex_);
            wake_.wait(lock, [&] { return stopping_ || loop_ != seen; });
            if (stopping_)
                return;
            seen = loop_;
        }
        runIndices(worker);
        std::lock_guard<std::mutex> lock(mutex_);
        if (--running_ == 0)
            finished_.notify_one();
    }
}

void ThreadPool::runIndices(int worker) {
    for (int i = next_.fetch_add(1); i < count_; i = next_.fetch_add(1)) {
        try {
            (*job_)(i, worker);
        } catch (...) {
            std::lock_guard<std::mutex> lock(mutex_);
            if (!failure_)
                failure_ = std::current_exception();
        }
    }
}
