#pragma once
// Whether a sweep's results hold every replicate its design runs: each
// condition should have one finished case per seed, each through the last
// generation. A report of fewer replicates than designed is refused, or made
// with a loud warning when the user asks for a partial report.

#include <ostream>
#include <string>

#include "tools/cli/sweep/SweepDesign.h"
#include "tools/cli/sweep/SweepReport.h"

// One line per condition that is short of replicates or missing ("" when
// none is).
std::string replicateShortfall(const SweepDesign& design, const SweepTable& table);

// Checks the results of the sweep in `dir` against its design and returns
// the line that says how many replicates each condition has. A shortfall
// is a file error unless `partial`, which prints it as a warning on `warn`
// instead.
std::string checkReplicates(const std::string& dir, bool partial, std::ostream& warn);
