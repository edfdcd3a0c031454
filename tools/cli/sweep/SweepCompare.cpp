#include "tools/cli/sweep/SweepCompare.h"

#include <cstdio>

namespace {

constexpr double ALPHA = 0.05;

std::string differingFactors(const ComparedConditions& c, size_t a, size_t b, int& count) {
    std::string out;
    count = 0;
    for (size_t f = 0; f < c.factors.size(); ++f)
        if (c.levels[a][f] != c.levels[b][f]) {
            out += (out.empty() ? "" : "+") + c.factors[f];
            ++count;
        }
    return out;
}

std::string figure(const char* format, double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, format, v);
    return buf;
}

std::string evidence(const PairComparison& p) {
    return "Welch p = " + figure("%.2g", p.welch.p) + ", Holm " + figure("%.2g", p.welchHolm) +
           "; Mann-Whitney p = " + figure("%.2g", p.mannWhitney.p) +
           "; g = " + figure("%.2f", p.g.value) + ", Cliff's delta = " + figure("%.2f", p.delta);
}

std::string verdictOf(const ComparedConditions& c, PairComparison& p) {
    const std::string a = c.labels[p.a], b = c.labels[p.b];
    const std::string undecided = a + " vs " + b + ": undecided, ";
    if (p.da.n < 2 || p.db.n < 2)
        return undecided + "n < 2 (n = " + std::to_string(p.da.n) + " and " +
               std::to_string(p.db.n) + ")";
    if (!p.welch.defined)
        return undecided + "zero variance in both (every replicate gives " +
               figure("%.6g", p.da.mean) + " and " + figure("%.6g", p.db.mean) + ")";
    if (p.welchHolm >= ALPHA)
        return undecided +
               (p.welch.p < ALPHA ? "not significant after Holm's correction ("
                                  : "no significant difference (") +
               evidence(p) + ")";
    p.decided = true;
    const bool aHigher = p.da.mean > p.db.mean;
    return (aHigher ? a : b) + " > " + (aHigher ? b : a) + " (" + evidence(p) + ")";
}

void adjust(std::vector<PairComparison>& pairs) {
    std::vector<double> welch, mannWhitney;
    for (const PairComparison& p : pairs) {
        if (p.welch.defined)
            welch.push_back(p.welch.p);
        mannWhitney.push_back(p.mannWhitney.p);
    }
    const std::vector<double> w = holmAdjusted(welch), m = holmAdjusted(mannWhitney);
    size_t k = 0;
    for (size_t i = 0; i < pairs.size(); ++i) {
        if (pairs[i].welch.defined)
            pairs[i].welchHolm = w[k++];
        pairs[i].mannWhitneyHolm = m[i];
    }
}

std::string cell(bool defined, double v) {
    return defined ? figure("%.12g", v) : "";
}

// A verdict holds commas: quoted, with its quotes doubled.
std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (char ch : text)
        out += ch == '"' ? std::string("\"\"") : std::string(1, ch);
    return out + "\"";
}

} // namespace

std::vector<PairComparison> comparePairs(const ComparedConditions& c, bool allPairs) {
    std::vector<PairComparison> pairs;
    for (size_t a = 0; a < c.values.size(); ++a)
        for (size_t b = a + 1; b < c.values.size(); ++b) {
            int differing = 0;
            PairComparison p;
            p.differsIn = differingFactors(c, a, b, differing);
            if (differing != 1 && !allPairs)
                continue;
            p.a = a;
            p.b = b;
            p.da = describe(c.values[a]);
            p.db = describe(c.values[b]);
            p.welch = welchTest(c.values[a], c.values[b]);
            p.mannWhitney = mannWhitneyTest(c.values[a], c.values[b]);
            p.g = hedgesG(c.values[a], c.values[b]);
            p.delta = cliffsDelta(c.values[a], c.values[b]);
            pairs.push_back(p);
        }
    adjust(pairs);
    for (PairComparison& p : pairs)
        p.verdict = verdictOf(c, p);
    return pairs;
}

std::string comparisonsCsv(const ComparedConditions& c, const std::vector<PairComparison>& pairs,
                           const std::string& measure, int generation) {
    std::string out = "measure,generation,differs_in";
    for (const char* side : {"a_", "b_"})
        for (const std::string& f : c.factors)
            out += "," + std::string(side) + f;
    out += ",n_a,n_b,mean_a,mean_b,welch_t,welch_df,welch_p,welch_p_holm,mann_whitney_u,"
           "mann_whitney_method,mann_whitney_p,mann_whitney_p_holm,hedges_g,cliffs_delta,"
           "decided,verdict\n";
    for (const PairComparison& p : pairs) {
        out += measure + "," + std::to_string(generation) + "," + p.differsIn;
        for (size_t side : {p.a, p.b})
            for (const std::string& level : c.levels[side])
                out += "," + level;
        const bool w = p.welch.defined;
        out += "," + std::to_string(p.da.n) + "," + std::to_string(p.db.n) + "," +
               cell(true, p.da.mean) + "," + cell(true, p.db.mean) + "," + cell(w, p.welch.t) +
               "," + cell(w, p.welch.df) + "," + cell(w, p.welch.p) + "," + cell(w, p.welchHolm) +
               "," + cell(true, p.mannWhitney.u) + "," +
               (p.mannWhitney.exact ? "exact" : "asymptotic") + "," + cell(true, p.mannWhitney.p) +
               "," + cell(true, p.mannWhitneyHolm) + "," + cell(p.g.defined, p.g.value) + "," +
               cell(true, p.delta) + "," + (p.decided ? "true" : "false") + "," +
               quoted(p.verdict) + "\n";
    }
    return out;
}
