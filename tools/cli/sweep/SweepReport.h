#pragma once
// The summary of a finished sweep, from its results.csv: the replicates of
// each condition (one combination of factor values) are pooled generation
// by generation into a mean and a 95% confidence interval (Student's t).

#include <string>
#include <vector>

// One measure of one condition at each generation, over the replicates.
struct BandPoint {
    int generation = 0;
    int replicates = 0;
    double mean = 0.0;
    double sd = 0.0;   // sample standard deviation (divides by n - 1); 0 for one replicate
    double half = 0.0; // half width of the 95% interval; 0 for one replicate
};

struct Condition {
    std::string label;               // "attack=off, silk-cost=5" ("all cases" without factors)
    std::vector<std::string> levels; // the factor values
    int replicates = 0;
    std::vector<std::vector<BandPoint>> measures; // [measure][generation]
};

struct SweepTable {
    std::vector<std::string> factors;
    std::vector<std::string> measures;
    std::vector<Condition> conditions; // in the order they first appear
};

// Reads a results table (columns: case, the factors,
// seed, generation, measures) and pools it. A file error for a table that
// is not one.
SweepTable poolResults(const std::string& csv, const std::string& name);

// Mean, sample deviation and 95% half width of some values.
BandPoint band(const std::vector<double>& values);

// The chart of one measure: per condition the mean line and its band.
std::string measureSvg(const SweepTable& table, size_t measure);
// Per condition: the final best fitness over the replicates.
std::string summaryCsv(const SweepTable& table);
// The conditions ranked by their final mean best fitness.
std::string rankingText(const SweepTable& table);

// Writes DIR/report/: one SVG per measure, summary.csv and ranking.txt.
// Returns the ranking text.
std::string writeSweepReport(const std::string& dir);
