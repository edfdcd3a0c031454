#pragma once
// What a sweep records of each generation of a run: the fitness statistics
// of the population and the silk and threads of the generation's best web.

#include <string>

// The measure columns of results.csv, comma-separated.
std::string measureNames();

// One CSV line per recorded generation of the run the evolution state
// holds: `prefix` (case, factor values, seed), the generation, the measures.
std::string runRows(const std::string& prefix);
