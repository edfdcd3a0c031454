#pragma once
// A study that grows: a design may gain seeds and factor values after its
// folder was made. Every case keeps the number it was given when it first
// appeared; new cases take the next numbers. The folder records what each
// number stands for in case-index.csv (case, the factor values, seed).

#include <map>
#include <string>
#include <vector>

#include "tools/cli/sweep/SweepDesign.h"

// Why `grown` cannot continue the study of `old` (which key changed, and
// what was removed), or "" when it only adds seeds or factor values.
std::string growthRefusal(const SweepDesign& old, const SweepDesign& grown);

// The cases of `grown`: those of `known` keep their numbers, the others are
// numbered on from the highest, in the order of the grown design.
std::vector<SweepCase> grownCases(const std::vector<SweepCase>& known, const SweepDesign& grown);

// Every case of a design in its order, numbered 1, 2, ...
std::vector<SweepCase> expandDesign(const SweepDesign& design);

// The index file and its reading (a file error for one that does not fit
// the design).
std::string caseIndexCsv(const SweepDesign& design, const std::vector<SweepCase>& cases);
std::vector<SweepCase> parseCaseIndex(const std::string& text, const SweepDesign& design,
                                      const std::string& name);

// What identifies a case whatever its number: its factor values and seed.
using CaseKey = std::pair<std::vector<std::string>, uint32_t>;
std::map<CaseKey, long long> numbersByKey(const std::vector<SweepCase>& cases);
