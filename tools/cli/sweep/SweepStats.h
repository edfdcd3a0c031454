#pragma once
// The statistics a sweep's report gives: a description of one condition's
// replicates and the tests that compare two conditions. The distributions
// (Student's t, the normal) come from Boost.Math. Every figure is checked
// against SciPy by the Python tests; the definitions are in
// docs/experiments.md.

#include <string>
#include <vector>

// n, mean, sample deviation (divides by n - 1), median and the 95% interval
// mean +- t(0.975, n - 1) s / sqrt(n). With one value there is no deviation
// and no interval (hasInterval is false, the fields are 0).
struct Description {
    int n = 0;
    double mean = 0.0, sd = 0.0, median = 0.0, low = 0.0, high = 0.0;
    bool hasInterval = false;
};
Description describe(const std::vector<double>& values);

// Welch's t-test (unequal variances), two-sided. `defined` is false when a
// sample has fewer than 2 values or both have zero variance.
struct WelchTest {
    bool defined = false;
    double t = 0.0, df = 0.0, p = 1.0;
};
WelchTest welchTest(const std::vector<double>& a, const std::vector<double>& b);

// The Mann-Whitney U test, two-sided. u is the statistic of the first sample
// (the pairs (x in a, y in b) with x > y, ties counting one half). The
// p-value is exact when a sample has at most 8 values and no value occurs
// twice; otherwise it is the normal approximation with the tie correction of
// the variance and the continuity correction. Needs one value in each.
struct MannWhitneyTest {
    bool exact = false;
    double u = 0.0, p = 1.0;
};
MannWhitneyTest mannWhitneyTest(const std::vector<double>& a, const std::vector<double>& b);

// P(U >= u) for samples of m and n values without ties, counted exactly.
double exactUpperTail(int m, int n, double u);

// Hedges' g: the difference of the means over the pooled deviation, times
// 1 - 3 / (4 (na + nb) - 9). `defined` is false below 3 values in all or
// without spread.
struct Effect {
    bool defined = false;
    double value = 0.0;
};
Effect hedgesG(const std::vector<double>& a, const std::vector<double>& b);

// Cliff's delta: (#{x > y} - #{x < y}) / (na nb) over all pairs; in -1 ... 1.
double cliffsDelta(const std::vector<double>& a, const std::vector<double>& b);

// Holm's step-down adjustment of p-values (same order as given).
std::vector<double> holmAdjusted(const std::vector<double>& p);
