#pragma once
// Progress of a long run on standard error: on a terminal a bar redrawn in
// place with the generation, the best fitness and the time left; elsewhere
// (a log file, a pipe) one line every few seconds.

#include <ostream>
#include <string>

class Progress {
  public:
    // `total` breeding steps are planned; `terminal` picks the bar.
    Progress(std::ostream& out, bool terminal, int total);

    // After `done` of the steps, at `seconds` since the start: the population
    // is at `generation` with best fitness `best`. Writes only when it is
    // time to (a bar at most ten times a second, a line every few seconds).
    void update(int done, int generation, int best, double seconds);
    // Ends the bar's line (if one is drawn).
    void finish();

    // The bar or line for these figures (exposed for tests).
    std::string barText(int done, int generation, int best, double seconds) const;
    std::string lineText(int done, int generation, int best, double seconds) const;

  private:
    std::ostream& out_;
    bool terminal_;
    int total_;
    double lastWrite_ = -1e9;
    bool drawn_ = false;
};

// "h:mm:ss" or "m:ss" for a duration, "?" when unknown (negative).
std::string formatDuration(double seconds);
