#pragma once
// The headless run: the settings are set, a new population is made (or a
// saved run is opened), and generations are bred exactly as the program's
// Run command breeds them, with the same random draws in the same order.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tools/cli/SettingOptions.h"

// The most evaluation threads --threads accepts.
constexpr int MAX_THREADS = 256;

struct EvolveOptions {
    SettingOverrides settings;
    std::optional<int> population;
    int generations = 100;
    std::optional<uint32_t> seed;
    std::string resume; // a saved run to continue ("" for a new population)
    std::string out;
    std::string stats;
    bool quiet = false;
    int threads = 0; // evaluation threads; 0: every thread of the machine
};

constexpr int DEFAULT_GENERATIONS = 100;

// Reads the options of "evolve" (throws a usage error for a bad one).
EvolveOptions parseEvolveOptions(const std::vector<std::string>& words);

struct EvolveReport {
    int startGeneration = 0; // the generation bred from
    int bred = 0;            // generations bred
    bool stoppedAtLimit = false;
};

// Called after each generation with the number bred so far.
using GenerationCallback = std::function<void(int bred)>;

// Seeds the shared generator with `seed` and makes or opens the run (a
// refused file or a prey x value beyond the record throws).
void startEvolution(const EvolveOptions& options, uint32_t seed);
// startEvolution, then breedGenerations; the evolution state holds the
// result (nothing is written).
EvolveReport runEvolution(const EvolveOptions& options, uint32_t seed,
                          const GenerationCallback& afterGeneration = {});

// Breeds up to `generations` more generations of the run in the evolution
// state, exactly as runEvolution does after making or opening it (so a run
// bred in two calls equals one bred in a single call). A callback that
// throws stops the run after a whole generation.
EvolveReport breedGenerations(int generations, const GenerationCallback& afterGeneration = {});

// The whole "evolve" command; returns the exit status.
int evolveCommand(const std::vector<std::string>& words);
