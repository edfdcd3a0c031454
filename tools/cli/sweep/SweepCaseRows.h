#pragma once
// The rows file of a finished case: one line per generation 0 ... G of the
// design, each "case,levels...,fixed values...,seed,generation,measures...". A case counts
// as finished only when its file is exactly that.

#include <cstddef>
#include <string>

#include "tools/cli/sweep/SweepDesign.h"

class SweepFolder;

// "case,level,...,fixed value,...,seed" of every row of case k.
std::string caseRowPrefix(const SweepFolder& folder, long long k);

// The most bytes a whole rows file of this design can hold.
size_t maxCaseRowsBytes(const SweepDesign& design);

// What is wrong with `rows` as the rows file of case k ("" when nothing).
std::string caseRowsProblem(const SweepFolder& folder, long long k, const std::string& rows);
