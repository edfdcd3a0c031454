#pragma once
// What a sweep records of each generation of a run: the fitness statistics
// of the population, how its spiders came to be, and the silk and threads
// of the generation's best web.

#include <string>
#include <vector>

struct MeasureInfo {
    const char* name;  // the column of results.csv
    const char* label; // an axis label in words, with the unit
};

// The measures in column order.
const std::vector<MeasureInfo>& measures();
// The axis label of a measure (the name itself for one not known).
std::string measureLabel(const std::string& name);

// The measure columns of results.csv, comma-separated.
std::string measureNames();

// One CSV line per recorded generation of the run the evolution state
// holds: `prefix` (case, factor values, fixed settings, seed), the
// generation, the measures.
std::string runRows(const std::string& prefix);
