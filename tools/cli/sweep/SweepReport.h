#pragma once
// The report of a sweep, from its results.csv: the replicates of each
// condition (one combination of factor values) pooled generation by
// generation into a mean and a 95% confidence band (figures), and a chosen
// measure at a chosen generation described per condition and compared
// between conditions (summary.csv, comparisons.csv, ranking.txt).

#include <string>
#include <vector>

#include "tools/cli/sweep/SweepDesign.h"

// One measure of one condition at one generation, over the replicates.
struct BandPoint {
    int generation = 0;
    int replicates = 0;
    double mean = 0.0;
    double sd = 0.0;   // sample standard deviation (divides by n - 1); 0 for one replicate
    double half = 0.0; // half width of the 95% interval; 0 for one replicate
};

struct Condition {
    std::string label;               // "attack=off, silk_cost=5" ("all cases" without factors)
    std::vector<std::string> levels; // the factor values
    int replicates = 0;
    std::vector<std::vector<BandPoint>> measures; // [measure][generation present]
    // The replicates' values: [measure][generation][replicate].
    std::vector<std::vector<std::vector<double>>> values;
};

struct SweepTable {
    std::vector<std::string> factors;
    std::vector<std::string> measures;
    std::vector<Condition> conditions; // in the order they first appear
};

// Reads a results table (columns: case, the factors, the fixed settings,
// seed, generation, measures) and pools it. A file error for a table that
// is not one of a sweep with these factors.
SweepTable poolResults(const std::string& csv, const std::string& name,
                       const std::vector<std::string>& factors = {});
// The factors' names of a design, in its order.
std::vector<std::string> factorNames(const SweepDesign& design);

// Mean, sample deviation and 95% half width of some values.
BandPoint band(const std::vector<double>& values);

struct ReportOptions {
    std::string measure = "best_fitness";
    int generation = -1;   // -1: the last
    bool allPairs = false; // compare every pair, not only those differing in one factor
};

// The measure's index and the generation the options choose; a usage error
// naming what there is when the table has neither.
size_t chosenMeasure(const SweepTable& t, const std::string& name);
int chosenGeneration(const SweepTable& t, size_t measure, int requested);

// Per condition: n, mean, sd, median and the 95% interval of the measure.
std::string summaryCsv(const SweepTable& t, size_t measure, int generation);
// The conditions ranked by their mean, then what the tests say of each pair.
std::string rankingText(const SweepTable& t, size_t measure, int generation, bool allPairs);

// Writes DIR/report/: the figures, summary.csv, comparisons.csv and
// ranking.txt. Returns the ranking text.
std::string writeSweepReport(const std::string& dir, const ReportOptions& options);
