#include "tools/cli/sweep/SweepProgress.h"

#include <cstdio>

#include "tools/cli/Progress.h"

namespace {

constexpr double BAR_INTERVAL = 0.1;
constexpr double LINE_INTERVAL = 10.0;
constexpr int BAR_WIDTH = 24;
const char* const CLEAR_LINE = "\r\x1b[K";

} // namespace

SweepProgress::SweepProgress(std::ostream& out, bool terminal, long long total, long long before)
    : out_(out), terminal_(terminal), total_(total), before_(before) {}

std::string SweepProgress::text(long long finished, int running, double seconds) const {
    const long long done = before_ + finished;
    const long long left = total_ - done;
    // The pace of this run's cases, with the workers as busy as so far.
    const double eta = finished > 0 ? seconds / finished * left : -1.0;
    char buf[200];
    std::snprintf(buf, sizeof buf, "%lld/%lld cases, %d running, %s elapsed, %s left", done, total_,
                  running, formatDuration(seconds).c_str(), formatDuration(eta).c_str());
    if (!terminal_)
        return buf;
    const long long filled = total_ > 0 ? done * BAR_WIDTH / total_ : BAR_WIDTH;
    std::string bar(static_cast<size_t>(filled), '#');
    bar.resize(BAR_WIDTH, '.');
    return "[" + bar + "] " + buf;
}

void SweepProgress::update(long long finished, int running, double seconds) {
    if (seconds - lastWrite_ < (terminal_ ? BAR_INTERVAL : LINE_INTERVAL))
        return;
    lastWrite_ = seconds;
    if (terminal_) {
        out_ << CLEAR_LINE << text(finished, running, seconds) << std::flush;
        drawn_ = true;
    } else {
        out_ << text(finished, running, seconds) << '\n' << std::flush;
    }
}

void SweepProgress::message(const std::string& line) {
    out_ << (drawn_ ? CLEAR_LINE : "") << line << '\n' << std::flush;
    lastWrite_ = -1e9; // redraw the bar below the message
}

void SweepProgress::finish() {
    if (drawn_)
        out_ << CLEAR_LINE << std::flush;
    drawn_ = false;
}
