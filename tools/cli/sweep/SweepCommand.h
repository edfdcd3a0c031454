#pragma once
// `arachnovix-cli sweep`: replicated parameter sweeps of `evolve` runs, on
// local worker processes or as a Slurm job array, merged into one table and
// summarised with confidence bands.

#include <string>
#include <vector>

int sweepCommand(const std::vector<std::string>& words);
