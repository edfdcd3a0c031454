#pragma once
// A fixed set of threads that run one indexed loop at a time. The calling
// thread takes part, so a pool of size 1 runs everything on the caller and
// starts no thread.
//
// Loops come in quick succession (a run evaluates a generation every few
// hundred microseconds), and waking a sleeping thread costs tens of
// microseconds on a virtual machine. So between loops, and while the caller
// waits for the end of one, a thread first spins for a short while (at most
// SPIN_MICROSECONDS, longer than the serial part of a generation at
// population 200: shorter spins let the helper fall asleep every generation,
// a third slower) and only then sleeps. A pool with more threads than the
// machine runs at once never spins: it would take the time of a thread that
// has work.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

class ThreadPool {
  public:
    // A pool of `threads` threads in all (at least 1), the caller included.
    explicit ThreadPool(int threads);
    ~ThreadPool();
    ThreadPool(const ThreadPool&) = delete;
    ThreadPool& operator=(const ThreadPool&) = delete;

    int size() const { return static_cast<int>(workers_.size()) + 1; }

    // Calls job(i, worker) once for every i in 0 ... count - 1 and returns
    // when all calls are done. Indices go to whichever thread is free, so a
    // job must depend only on its index; worker (0 ... size() - 1) names the
    // thread, for per-thread buffers. Runs one loop at a time; the first
    // exception a job throws is thrown again here after the loop.
    void forEach(int count, const std::function<void(int index, int worker)>& job);

    // The number of threads the machine runs at once (at least 1).
    static int machineThreads();

    static constexpr int SPIN_MICROSECONDS = 500;

  private:
    std::vector<std::thread> workers_;
    bool spin_ = false; // no more threads than the machine runs at once
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable finished_;
    const std::function<void(int, int)>* job_ = nullptr;
    int count_ = 0;
    std::atomic<int> next_{0};
    std::atomic<int> running_{0};   // workers still in the current loop
    std::atomic<uint64_t> loop_{0}; // counts loops, so a worker joins each once
    std::atomic<bool> stopping_{false};
    std::exception_ptr failure_;

    void work(int worker);
    void runIndices(int worker);
    void runJob(int index, int worker);
    void waitForWorkers();
    void waitForLoop(uint64_t seen);
};
