#include "evolution/DoneMarks.h"

#include <thread>

void DoneMarks::reset(int count) {
    const size_t n = count > 0 ? static_cast<size_t>(count) : 0;
    if (n > capacity_) {
        marks_.reset(new std::atomic<int>[n]);
        capacity_ = n;
    }
    for (size_t i = 0; i < n; ++i)
        marks_[i].store(PENDING, std::memory_order_relaxed);
}

bool DoneMarks::waitFor(int i) const {
    const std::atomic<int>& mark = marks_[static_cast<size_t>(i)];
    int state;
    while ((state = mark.load(std::memory_order_acquire)) == PENDING)
        std::this_thread::yield();
    return state == DONE;
}
