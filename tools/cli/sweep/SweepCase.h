#pragma once
// One case of a sweep, run in this process by the `evolve` command itself
// with the case's words, so that its run file is the one the printed single
// command writes. The case's result rows are then written whole (a case is
// finished when its rows file is there, whole and valid) and, unless the
// design keeps runs, the run file is removed.

#include "tools/cli/sweep/SweepFolder.h"

// Runs case k (nothing to do when it is finished already) on `threads`
// evaluation threads (0: all; the run is the same on any number). A failure
// leaves a note with the command and the reason next to the case, and is
// thrown.
void runSweepCase(const SweepFolder& folder, long long k, int threads = 0);
