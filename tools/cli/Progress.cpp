#include "tools/cli/Progress.h"

#include <cmath>
#include <cstdio>

namespace {

constexpr double BAR_INTERVAL = 0.1;
constexpr double LINE_INTERVAL = 5.0;
constexpr int BAR_WIDTH = 30;

// Seconds left, from the pace so far; negative while unknown.
double secondsLeft(int done, int total, double seconds) {
    if (done <= 0)
        return -1.0;
    return seconds / done * (total - done);
}

} // namespace

std::string formatDuration(double seconds) {
    if (seconds < 0 || !std::isfinite(seconds))
        return "?";
    const long s = std::lround(seconds);
    char buf[32];
    if (s >= 3600)
        std::snprintf(buf, sizeof buf, "%ld:%02ld:%02ld", s / 3600, s / 60 % 60, s % 60);
    else
        std::snprintf(buf, sizeof buf, "%ld:%02ld", s / 60, s % 60);
    return buf;
}

Progress::Progress(std::ostream& out, bool terminal, int total)
    : out_(out), terminal_(terminal), total_(total) {}

std::string Progress::barText(int done, int generation, int best, double seconds) const {
    const int filled = total_ > 0
                           ? static_cast<int>(static_cast<long long>(done) * BAR_WIDTH / total_)
                           : BAR_WIDTH;
    std::string bar(static_cast<size_t>(filled), '#');
    bar.resize(BAR_WIDTH, '.');
    char buf[160];
    std::snprintf(buf, sizeof buf, "[%s] %d/%d  generation %d  best %d  left %s", bar.c_str(), done,
                  total_, generation, best,
                  formatDuration(secondsLeft(done, total_, seconds)).c_str());
    return buf;
}

std::string Progress::lineText(int done, int generation, int best, double seconds) const {
    char buf[160];
    std::snprintf(buf, sizeof buf, "generation %d (%d/%d), best fitness %d, %s left", generation,
                  done, total_, best, formatDuration(secondsLeft(done, total_, seconds)).c_str());
    return buf;
}

void Progress::update(int done, int generation, int best, double seconds) {
    const double interval = terminal_ ? BAR_INTERVAL : LINE_INTERVAL;
    if (seconds - lastWrite_ < interval && done < total_)
        return;
    lastWrite_ = seconds;
    if (terminal_) {
        out_ << '\r' << barText(done, generation, best, seconds) << "\x1b[K" << std::flush;
        drawn_ = true;
    } else if (done < total_) {
        out_ << lineText(done, generation, best, seconds) << '\n' << std::flush;
    }
}

void Progress::finish() {
    if (drawn_)
        out_ << '\n' << std::flush;
    drawn_ = false;
}
