#pragma once
// Progress of a sweep on standard error: on a terminal a bar redrawn in
// place (cases finished, runs in flight, time elapsed, time left), elsewhere
// one line every few seconds. Messages (a failed case) go on lines of their
// own above the bar.

#include <ostream>
#include <string>

class SweepProgress {
  public:
    // `total` cases, of which `before` were finished by an earlier run.
    SweepProgress(std::ostream& out, bool terminal, long long total, long long before);

    // `finished` cases of this run are over, `running` are in flight.
    void update(long long finished, int running, double seconds);
    void message(const std::string& line);
    void finish();

    // The figures as a bar or a plain line (exposed for tests).
    std::string text(long long finished, int running, double seconds) const;

  private:
    std::ostream& out_;
    bool terminal_;
    long long total_, before_;
    double lastWrite_ = -1e9;
    bool drawn_ = false;
};
