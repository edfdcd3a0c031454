#pragma once
// The run settings in force as text.

#include <string>

#include "evolution/EvolutionState.h"
#include "evolution/RunOptions.h"

// Every setting of the program's current run, one "name: value" line each.
std::string describeSettings();
std::string describeSettings(const RunSettings& settings);

// Where the run read into `run` came from, as its file's continuation record
// tells: whether it continues exactly, its first seed, and the settings of
// its last breeding (indented).
std::string describeProvenance(const EvolutionState& run);
