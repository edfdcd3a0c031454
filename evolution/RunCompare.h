#pragma once
// Where two saved runs part: the first differing generation, spider and
// field of their fossil records, or the first differing setting.

#include <cstdint>
#include <string>
#include <vector>

#include "evolution/RunSettings.h"

// What a loaded run consists of.
struct RunSnapshot {
    int populationSize = 0;
    std::vector<int32_t> record;
    RunSettings settings;
};

// The evolution state as it stands (after a run is loaded).
RunSnapshot snapshotRun();

// "" when the two agree; else one line naming the first difference, e.g.
// "generation 3, spider 7 (index 6), field 19 fitness: 240 vs 236".
std::string firstDifference(const RunSnapshot& a, const RunSnapshot& b);
