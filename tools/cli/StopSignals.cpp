#include "tools/cli/StopSignals.h"

namespace {

std::atomic<bool> stopFlag{false};
volatile std::sig_atomic_t stopSignal = 0;

static_assert(std::atomic<bool>::is_always_lock_free, "a signal handler sets the flag");

void requestStop(int sig) {
    stopSignal = sig;
    stopFlag.store(true);
}

} // namespace

StopSignals::StopSignals(std::vector<int> signals) : signals_(std::move(signals)) {
    stopFlag.store(false);
    stopSignal = 0;
    struct sigaction sa {};
    sa.sa_handler = requestStop;
    sigemptyset(&sa.sa_mask);
    old_.resize(signals_.size());
    for (size_t k = 0; k < signals_.size(); ++k)
        sigaction(signals_[k], &sa, &old_[k]);
}

StopSignals::~StopSignals() {
    for (size_t k = 0; k < signals_.size(); ++k)
        sigaction(signals_[k], &old_[k], nullptr);
}

const std::atomic<bool>& StopSignals::flag() {
    return stopFlag;
}

int StopSignals::signal() {
    return stopSignal;
}
