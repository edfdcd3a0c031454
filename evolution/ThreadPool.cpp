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
    for (std::thread& t : workers_)
        t.join();
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
