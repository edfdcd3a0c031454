#pragma once
// The local run of a sweep: the cases not finished yet are run by up to
// `jobs` worker processes at once, each one `arachnovix-cli sweep run-case
// DIR K` (the program itself), its standard error kept in the case's log.
// Ctrl-C (SIGINT) or SIGTERM stops starting cases and ends the running ones;
// whatever was finished stays, and a new run goes on from there.

#include <ostream>
#include <string>

#include "tools/cli/sweep/SweepFolder.h"

struct PoolResult {
    long long before = 0; // finished by an earlier run
    long long done = 0;   // finished now
    long long failed = 0;
    bool interrupted = false;
    double seconds = 0.0;
};

// The absolute path of the running program.
std::string programPath();

PoolResult runPool(const SweepFolder& folder, int jobs, std::ostream& err, bool terminal);
