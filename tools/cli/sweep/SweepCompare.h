#pragma once
// Comparisons of a sweep's conditions on one measure at one generation:
// every pair of conditions that differ in one factor (or every pair), each
// with Welch's t-test, the Mann-Whitney U test, Hedges' g and Cliff's
// delta, the p-values adjusted by Holm's method over the pairs compared,
// and a verdict in words.

#include <string>
#include <vector>

#include "tools/cli/sweep/SweepStats.h"

// The replicates' values of each condition, with what names the conditions.
struct ComparedConditions {
    std::vector<std::string> factors;
    std::vector<std::vector<std::string>> levels; // per condition, per factor
    std::vector<std::string> labels;              // "attack=off, silk_cost=5"
    std::vector<std::vector<double>> values;      // per condition
};

struct PairComparison {
    size_t a = 0, b = 0;   // conditions, in table order
    std::string differsIn; // the factors whose values differ, joined by '+'
    Description da, db;
    WelchTest welch;
    double welchHolm = 1.0; // Holm-adjusted Welch p (when welch.defined)
    MannWhitneyTest mannWhitney;
    double mannWhitneyHolm = 1.0;
    Effect g;
    double delta = 0.0;
    bool decided = false; // the higher mean is significantly higher
    std::string verdict;  // "A > B (...)" or "A vs B: undecided, reason (...)"
};

// Holm's correction runs over the pairs compared: those that differ in one
// factor, or all pairs with `allPairs`.
std::vector<PairComparison> comparePairs(const ComparedConditions& c, bool allPairs);

// Every pair with every number, one row each (empty cells where a test is
// not defined).
std::string comparisonsCsv(const ComparedConditions& c, const std::vector<PairComparison>& pairs,
                           const std::string& measure, int generation);
