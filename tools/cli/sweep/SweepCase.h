#pragma once
// One case of a sweep, run in this process by the `evolve` command itself
// with the case's words, so that its run file is the one the printed single
// command writes (the same bytes, however often it was stopped and
// continued). The case's result rows are then written whole (a case is
// finished when its rows file is there, whole and valid) and, unless the
// design keeps runs, the run file is removed.

#include "tools/cli/sweep/SweepFolder.h"

// A case's run is saved every this many generations (and when the case is
// stopped by SIGTERM, SIGINT or SIGUSR1).
constexpr int SWEEP_CHECKPOINT_EVERY = 25;

// Runs case k (nothing to do when it is finished already) on `threads`
// evaluation threads (0: all; the run is the same on any number). The run is
// checkpointed in its run file; a case whose checkpoint is there goes on from
// it exactly (and says so on standard error) instead of from generation 0.
// Returns 0, or the evolve command's status when a signal stopped it (the
// case is then not finished). A failure leaves a note with the command and
// the reason next to the case, and is thrown.
int runSweepCase(const SweepFolder& folder, long long k, int threads = 0);
