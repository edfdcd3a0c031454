#pragma once
// The "evolve" command: its words are read into run options, and the run
// is started (or a saved run resumed) and bred through the run API, so it is
// the run the program's Run command breeds, with the same random draws in
// the same order.

#include <cstdint>
#include <string>
#include <vector>

#include "evolution/Run.h"

// What "evolve" was asked: the run's options and the command's own.
struct EvolveOptions {
    RunOptions run;
    std::string resume; // a saved run to continue ("" for a new population)
    std::string out;
    std::string stats;
    bool quiet = false;
    bool plain = false;      // the published fields alone, no continuation record
    int checkpointEvery = 0; // save the run every this many generations (0: never)
};

// The exit status of a run stopped by SIGTERM, SIGINT or SIGUSR1 after its
// checkpoint was written.
constexpr int EXIT_INTERRUPTED = 130;

// Reads the options of "evolve" (throws a usage error for a bad one).
EvolveOptions parseEvolveOptions(const std::vector<std::string>& words);

// Starts the run the options ask for with `seed`: a new population, or the
// saved run resumed (a refused file throws a file error, a refused option a
// usage error).
Run startEvolution(const EvolveOptions& options, uint32_t seed);

// The whole "evolve" command; returns the exit status. SIGTERM, SIGINT and
// SIGUSR1 finish the generation in hand, save the run to --out and give
// EXIT_INTERRUPTED. The bred run is left
// as the tool's current run (evolutionState) for what reads it afterwards
// (a sweep case's measures).
int evolveCommand(const std::vector<std::string>& words);
