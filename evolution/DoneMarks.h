#pragma once
// Marks by index that one thread sets when its work on an index is over and
// other threads wait for: within one loop of the pool, work on one index can
// wait for work on another that a running thread has already taken.

#include <atomic>
#include <cstddef>
#include <memory>

class DoneMarks {
  public:
    // Marks 0 ... count - 1 as pending. Call before the loop starts.
    void reset(int count);
    // Waits until index i is no longer pending; true when its work succeeded.
    bool waitFor(int i) const;
    // Whether the work on index i succeeded, without waiting.
    bool isDone(int i) const {
        return marks_[static_cast<size_t>(i)].load(std::memory_order_acquire) == DONE;
    }
    void markDone(int i) { set(i, DONE); }

    // Marks index i failed when it goes out of scope, unless succeed() was
    // called: an index whose work throws never leaves its waiters waiting.
    class Guard {
      public:
        Guard(DoneMarks& marks, int i) : marks_(marks), i_(i) {}
        ~Guard() { marks_.set(i_, ok_ ? DONE : FAILED); }
        Guard(const Guard&) = delete;
        Guard& operator=(const Guard&) = delete;
        void succeed() { ok_ = true; }

      private:
        DoneMarks& marks_;
        int i_;
        bool ok_ = false;
    };

  private:
    enum : int { PENDING, DONE, FAILED };
    std::unique_ptr<std::atomic<int>[]> marks_;
    size_t capacity_ = 0;

    void set(int i, int state) {
        marks_[static_cast<size_t>(i)].store(state, std::memory_order_release);
    }
};
