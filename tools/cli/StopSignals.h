#pragma once
// Stopping at a clean point: while a StopSignals lives, the signals it was
// given only raise a flag that the work in hand reads between whole steps.
// The old handlers come back when it goes.

#include <atomic>
#include <csignal>
#include <vector>

class StopSignals {
  public:
    explicit StopSignals(std::vector<int> signals);
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // Whether one of the signals came (since the newest catcher was made).
    static bool requested() { return flag().load(); }
    // The flag itself, to hand to work that checks it.
    static const std::atomic<bool>& flag();
    // The signal that came (0 while none did).
    static int signal();

  private:
    std::vector<int> signals_;
    std::vector<struct sigaction> old_;
};
