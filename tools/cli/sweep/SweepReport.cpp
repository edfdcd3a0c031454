#include "tools/cli/sweep/SweepReport.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <set>

#include "evolution/EvolutionState.h"
#include "tools/cli/CliError.h"
#include "tools/cli/RunFile.h"
#include "tools/cli/sweep/SweepCompare.h"
#include "tools/cli/sweep/SweepFigures.h"
#include "tools/cli/sweep/SweepFolder.h"
#include "tools/cli/sweep/SweepMeasures.h"
#include "tools/cli/sweep/SweepStats.h"

namespace {

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> out(1);
    for (char c : text)
        if (c == separator)
            out.emplace_back();
        else
            out.back() += c;
    return out;
}

std::vector<std::string> splitFields(const std::string& line) {
    return split(line, ',');
}

size_t columnOf(const std::vector<std::string>& header, const char* name, const std::string& file) {
    const auto it = std::find(header.begin(), header.end(), name);
    if (it == header.end())
        throw fileError(file + ": no column '" + std::string(name) + "' (not a sweep's results)");
    return static_cast<size_t>(it - header.begin());
}

// No measure of a run comes near this; a larger value is damage, and would
// overflow the charts' arithmetic.
constexpr double MAX_MAGNITUDE = 1e15;

double number(const std::string& text, const std::string& file, size_t line) {
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    if (text.empty() || end != text.c_str() + text.size() || !(std::fabs(v) <= MAX_MAGNITUDE))
        throw fileError(file + ":" + std::to_string(line) + ": '" + text +
                        "' is not a number of a run (at most 1e15 in size)");
    return v;
}

// A condition while the table is read.
struct Gathered {
    Condition condition;
    std::set<std::string> cases;
};

std::string conditionLabel(const std::vector<std::string>& factors,
                           const std::vector<std::string>& levels) {
    std::string out;
    for (size_t k = 0; k < factors.size(); ++k)
        out += (k ? ", " : "") + factors[k] + "=" + levels[k];
    return out.empty() ? "all cases" : out;
}

void checkColumns(const std::vector<std::string>& header, const std::vector<std::string>& factors,
                  const std::string& name) {
    bool fits = header.size() > factors.size() && header[0] == "case";
    for (size_t k = 0; fits && k < factors.size(); ++k)
        fits = header[k + 1] == factors[k];
    if (!fits)
        throw fileError(name + ": the columns are not case, the factors, seed, generation and "
                               "the measures (a table of an older version: run sweep collect "
                               "again)");
}

// The values of a condition at generation g; empty when it has none.
const std::vector<double>& valuesAt(const Condition& c, size_t measure, int g) {
    static const std::vector<double> none;
    const auto& series = c.values[measure];
    return static_cast<size_t>(g) < series.size() ? series[size_t(g)] : none;
}

std::string fixed(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.2f", v);
    return buf;
}

std::string precise(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.12g", v);
    return buf;
}

ComparedConditions compared(const SweepTable& t, size_t measure, int generation) {
    ComparedConditions c;
    c.factors = t.factors;
    for (const Condition& k : t.conditions) {
        c.levels.push_back(k.levels);
        c.labels.push_back(k.label);
        c.values.push_back(valuesAt(k, measure, generation));
    }
    return c;
}

std::string conditionLine(size_t rank, const Condition& c, const Description& d) {
    char buf[512];
    const std::string interval =
        d.hasInterval ? "[" + fixed(d.low) + ", " + fixed(d.high) + "]" : "none (n < 2)";
    std::snprintf(buf, sizeof buf,
                  "%3zu. %-36s n=%-3d mean %10s  sd %9s  median %10s  95%% CI %s\n", rank,
                  c.label.c_str(), d.n, fixed(d.mean).c_str(), d.n > 1 ? fixed(d.sd).c_str() : "-",
                  fixed(d.median).c_str(), interval.c_str());
    return buf;
}

} // namespace

BandPoint band(const std::vector<double>& values) {
    const Description d = describe(values);
    BandPoint p;
    p.replicates = d.n;
    p.mean = d.mean;
    p.sd = d.sd;
    p.half = d.hasInterval ? d.high - d.mean : 0.0;
    return p;
}

SweepTable poolResults(const std::string& csv, const std::string& name,
                       const std::vector<std::string>& factors) {
    std::vector<std::string> lines = split(csv, '\n');
    if (lines.back().empty())
        lines.pop_back();
    const std::vector<std::string> header = splitFields(lines.front());
    checkColumns(header, factors, name);
    const size_t seedColumn = columnOf(header, "seed", name);
    const size_t generationColumn = seedColumn + 1;
    if (seedColumn <= factors.size() || generationColumn >= header.size() ||
        header[generationColumn] != "generation")
        throw fileError(name + ": the columns are not case, factors, seed, generation, measures");
    SweepTable t;
    t.factors = factors;
    t.measures.assign(header.begin() + static_cast<long>(generationColumn) + 1, header.end());
    for (const std::string& m : t.measures) // each names a file of the report
        if (m.empty() ||
            m.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789_") != std::string::npos)
            throw fileError(name + ": '" + m + "' is not a measure of a sweep");
    std::vector<Gathered> gathered;
    std::map<std::vector<std::string>, size_t> index;
    for (size_t n = 1; n < lines.size(); ++n) {
        const std::vector<std::string> f = splitFields(lines[n]);
        if (f.size() != header.size())
            throw fileError(name + ":" + std::to_string(n + 1) + ": " + std::to_string(f.size()) +
                            " fields, the header has " + std::to_string(header.size()));
        const std::vector<std::string> levels(f.begin() + 1,
                                              f.begin() + 1 + static_cast<long>(factors.size()));
        auto [it, fresh] = index.try_emplace(levels, gathered.size());
        if (fresh) {
            gathered.emplace_back();
            gathered.back().condition.levels = levels;
            gathered.back().condition.label = conditionLabel(t.factors, levels);
            gathered.back().condition.values.resize(t.measures.size());
        }
        Gathered& g = gathered[it->second];
        g.cases.insert(f[0]);
        const double generation = number(f[generationColumn], name, n + 1);
        if (generation < 0 || generation > GENERATION_LIMIT || generation != std::floor(generation))
            throw fileError(name + ":" + std::to_string(n + 1) + ": bad generation");
        const size_t gen = static_cast<size_t>(generation);
        for (size_t m = 0; m < t.measures.size(); ++m) {
            auto& series = g.condition.values[m];
            if (series.size() <= gen)
                series.resize(gen + 1);
            series[gen].push_back(number(f[generationColumn + 1 + m], name, n + 1));
        }
    }
    if (gathered.empty())
        throw fileError(name + ": no finished cases");
    for (Gathered& g : gathered) {
        g.condition.replicates = static_cast<int>(g.cases.size());
        for (const auto& series : g.condition.values) {
            std::vector<BandPoint> points;
            for (size_t gen = 0; gen < series.size(); ++gen) {
                if (series[gen].empty())
                    continue;
                points.push_back(band(series[gen]));
                points.back().generation = static_cast<int>(gen);
            }
            g.condition.measures.push_back(points);
        }
        t.conditions.push_back(g.condition);
    }
    return t;
}

std::vector<std::string> factorNames(const SweepDesign& design) {
    std::vector<std::string> out;
    for (const DesignFactor& f : design.factors)
        out.push_back(f.name);
    return out;
}

size_t chosenMeasure(const SweepTable& t, const std::string& name) {
    const auto it = std::find(t.measures.begin(), t.measures.end(), name);
    if (it != t.measures.end())
        return static_cast<size_t>(it - t.measures.begin());
    std::string known;
    for (const std::string& m : t.measures)
        known += (known.empty() ? "" : ", ") + m;
    throw usageError("--measure: the results have no measure '" + name + "' (they have " + known +
                     ")");
}

int chosenGeneration(const SweepTable& t, size_t measure, int requested) {
    int last = 0;
    for (const Condition& c : t.conditions)
        last = std::max(last, static_cast<int>(c.values[measure].size()) - 1);
    const int g = requested < 0 ? last : requested;
    for (const Condition& c : t.conditions)
        if (valuesAt(c, measure, g).empty())
            throw usageError("--generation: " + c.label + " has no generation " +
                             std::to_string(g) + " (the results hold 0 ... " +
                             std::to_string(last) + ")");
    return g;
}

std::string summaryCsv(const SweepTable& t, size_t measure, int generation) {
    std::string out;
    for (const std::string& f : t.factors)
        out += f + ",";
    out += "measure,generation,n,mean_value,sd_value,median_value,ci95_low,ci95_high\n";
    for (const Condition& c : t.conditions) {
        for (const std::string& level : c.levels)
            out += level + ",";
        const Description d = describe(valuesAt(c, measure, generation));
        out += t.measures[measure] + "," + std::to_string(generation) + "," + std::to_string(d.n) +
               "," + precise(d.mean) + "," + (d.n > 1 ? precise(d.sd) : "") + "," +
               precise(d.median) + ",";
        // One replicate gives no interval.
        out += d.hasInterval ? precise(d.low) + "," + precise(d.high) : ",";
        out += "\n";
    }
    return out;
}

std::string rankingText(const SweepTable& t, size_t measure, int generation, bool allPairs) {
    std::vector<std::pair<const Condition*, Description>> order;
    for (const Condition& c : t.conditions)
        order.push_back({&c, describe(valuesAt(c, measure, generation))});
    std::stable_sort(order.begin(), order.end(),
                     [](const auto& a, const auto& b) { return a.second.mean > b.second.mean; });
    std::string out = measureLabel(t.measures[measure]) + " at generation " +
                      std::to_string(generation) +
                      ": the conditions ranked by the mean over their replicates (95% CI: "
                      "Student's t-interval of the mean):\n";
    for (size_t r = 0; r < order.size(); ++r)
        out += conditionLine(r + 1, *order[r].first, order[r].second);
    const std::vector<PairComparison> pairs =
        comparePairs(compared(t, measure, generation), allPairs);
    if (pairs.empty())
        return out + "No pairs of conditions to compare.\n";
    out += std::string(allPairs ? "All pairs" : "Pairs that differ in one factor") +
           ", by Welch's t-test (two-sided, significance level 0.05, p adjusted by Holm's "
           "method over the " +
           std::to_string(pairs.size()) +
           " pairs); Mann-Whitney U test, Hedges' g and Cliff's "
           "delta beside it:\n";
    for (const PairComparison& p : pairs)
        out += "  " + p.verdict + "\n";
    return out;
}

std::string writeSweepReport(const std::string& dir, const ReportOptions& options) {
    const SweepFolder sweep(dir);
    const std::string resultsPath = sweep.resultsPath();
    const SweepTable t =
        poolResults(readWholeFile(resultsPath), resultsPath, factorNames(sweep.design()));
    const size_t m = chosenMeasure(t, options.measure);
    const int g = chosenGeneration(t, m, options.generation);
    const std::string folder = joinPath(dir, "report");
    makeFolder(folder);
    writeFigures(t, m, g, folder);
    writeSweepFile(folder + "/summary.csv", summaryCsv(t, m, g));
    const std::vector<PairComparison> pairs = comparePairs(compared(t, m, g), options.allPairs);
    writeSweepFile(folder + "/comparisons.csv",
                   comparisonsCsv(compared(t, m, g), pairs, t.measures[m], g));
    const std::string ranking = rankingText(t, m, g, options.allPairs);
    writeSweepFile(folder + "/ranking.txt", ranking);
    return ranking;
}
