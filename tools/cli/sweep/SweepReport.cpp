#include "tools/cli/sweep/SweepReport.h"

#include <algorithm>
#include <boost/math/distributions/students_t.hpp>
#include <cmath>
#include <cstdlib>
#include <map>
#include <set>

#include "evolution/EvolutionState.h"
#include "tools/cli/Chart.h"
#include "tools/cli/CliError.h"
#include "tools/cli/Svg.h"
#include "tools/cli/sweep/SweepFolder.h"

namespace {

constexpr double CONFIDENCE = 0.95;
constexpr double BAND_OPACITY = 0.18;
constexpr double FONT = 12, TITLE_FONT = 15, LEGEND_STEP = 18;
constexpr size_t LEGEND_CHARACTERS = 30;
const ChartBox BOX = {920, 520, 80, 260, 50, 60};

// The chart's box, taller when the legend needs more room.
ChartBox chartBox(size_t conditions) {
    ChartBox box = BOX;
    box.height = std::max(box.height, box.top + 10 + LEGEND_STEP * conditions + box.bottom);
    return box;
}
const Rgb TEXT_COLOUR = {0.1, 0.1, 0.1};
const Rgb BACKGROUND = {1.0, 1.0, 1.0};
// Colours told apart also in print, one per condition (repeated after ten).
const Rgb PALETTE[] = {{0.12, 0.47, 0.71}, {1.0, 0.5, 0.05},  {0.17, 0.63, 0.17},
                       {0.84, 0.15, 0.16}, {0.58, 0.4, 0.74}, {0.55, 0.34, 0.29},
                       {0.89, 0.47, 0.76}, {0.5, 0.5, 0.5},   {0.74, 0.74, 0.13},
                       {0.09, 0.75, 0.81}};
const char* const BEST = "best";

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

// The values of one condition while the table is read: [measure][generation][replicate].
struct Gathered {
    Condition condition;
    std::set<std::string> cases;
    std::vector<std::vector<std::vector<double>>> values;
};

std::string conditionLabel(const std::vector<std::string>& factors,
                           const std::vector<std::string>& levels) {
    std::string out;
    for (size_t k = 0; k < factors.size(); ++k)
        out += (k ? ", " : "") + factors[k] + "=" + levels[k];
    return out.empty() ? "all cases" : out;
}

size_t measureIndex(const SweepTable& t, const char* name) {
    const auto it = std::find(t.measures.begin(), t.measures.end(), name);
    if (it == t.measures.end())
        throw fileError("the results have no column '" + std::string(name) + "'");
    return static_cast<size_t>(it - t.measures.begin());
}

const BandPoint& finalBest(const SweepTable& t, const Condition& c) {
    return c.measures[measureIndex(t, BEST)].back();
}

std::string fixed(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.4f", v);
    return buf;
}

std::vector<SvgPoint> bandOutline(const std::vector<BandPoint>& points, const ChartFrame& f) {
    std::vector<SvgPoint> out;
    for (const BandPoint& p : points)
        out.push_back({f.x(p.generation), f.y(p.mean + p.half)});
    for (auto it = points.rbegin(); it != points.rend(); ++it)
        out.push_back({f.x(it->generation), f.y(it->mean - it->half)});
    return out;
}

void drawLegend(SvgDocument& svg, const ChartBox& box, const SweepTable& t) {
    const double x = box.width - box.right + 20;
    double y = box.top + 10;
    for (size_t c = 0; c < t.conditions.size(); ++c, y += LEGEND_STEP) {
        const std::string colour = svgColour(PALETTE[c % std::size(PALETTE)]);
        svg.rect(x, y - 6, 24, 10, colour);
        std::string label = t.conditions[c].label;
        if (label.size() > LEGEND_CHARACTERS)
            label = label.substr(0, LEGEND_CHARACTERS - 3) + "...";
        svg.text(x + 30, y + 3, label, FONT, svgColour(TEXT_COLOUR));
    }
}

} // namespace

BandPoint band(const std::vector<double>& values) {
    BandPoint p;
    p.replicates = static_cast<int>(values.size());
    if (values.empty())
        return p;
    double sum = 0.0;
    for (double v : values)
        sum += v;
    p.mean = sum / p.replicates;
    if (p.replicates < 2)
        return p;
    double squares = 0.0;
    for (double v : values)
        squares += (v - p.mean) * (v - p.mean);
    p.sd = std::sqrt(squares / (p.replicates - 1));
    const boost::math::students_t t(p.replicates - 1);
    p.half = boost::math::quantile(t, 0.5 + CONFIDENCE / 2) * p.sd / std::sqrt(p.replicates);
    return p;
}

SweepTable poolResults(const std::string& csv, const std::string& name) {
    std::vector<std::string> lines = split(csv, '\n');
    if (lines.back().empty())
        lines.pop_back();
    const std::vector<std::string> header = splitFields(lines.front());
    const size_t caseColumn = columnOf(header, "case", name);
    const size_t seedColumn = columnOf(header, "seed", name);
    const size_t generationColumn = columnOf(header, "generation", name);
    if (caseColumn != 0 || seedColumn < caseColumn || generationColumn != seedColumn + 1)
        throw fileError(name + ": the columns are not case, factors, seed, generation, measures");
    SweepTable t;
    t.factors.assign(header.begin() + 1, header.begin() + static_cast<long>(seedColumn));
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
                                              f.begin() + static_cast<long>(seedColumn));
        auto [it, fresh] = index.try_emplace(levels, gathered.size());
        if (fresh) {
            gathered.emplace_back();
            gathered.back().condition.levels = levels;
            gathered.back().condition.label = conditionLabel(t.factors, levels);
            gathered.back().values.resize(t.measures.size());
        }
        Gathered& g = gathered[it->second];
        g.cases.insert(f[caseColumn]);
        const double generation = number(f[generationColumn], name, n + 1);
        if (generation < 0 || generation > GENERATION_LIMIT || generation != std::floor(generation))
            throw fileError(name + ":" + std::to_string(n + 1) + ": bad generation");
        const size_t gen = static_cast<size_t>(generation);
        for (size_t m = 0; m < t.measures.size(); ++m) {
            auto& series = g.values[m];
            if (series.size() <= gen)
                series.resize(gen + 1);
            series[gen].push_back(number(f[generationColumn + 1 + m], name, n + 1));
        }
    }
    if (gathered.empty())
        throw fileError(name + ": no finished cases");
    for (Gathered& g : gathered) {
        g.condition.replicates = static_cast<int>(g.cases.size());
        for (const auto& series : g.values) {
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

std::string measureSvg(const SweepTable& t, size_t m) {
    double lo = 0.0, hi = 0.0, last = 0.0;
    for (const Condition& c : t.conditions)
        for (const BandPoint& p : c.measures[m]) {
            lo = std::min(lo, p.mean - p.half);
            hi = std::max(hi, p.mean + p.half);
            last = std::max(last, double(p.generation));
        }
    const ChartBox box = chartBox(t.conditions.size());
    const ChartFrame f = chartFrame(box, last, lo, hi);
    SvgDocument svg(0, 0, box.width, box.height, static_cast<int>(box.width),
                    static_cast<int>(box.height));
    const std::string title = t.measures[m] + ": mean over the replicates and 95% confidence band";
    svg.title(title);
    svg.rect(0, 0, box.width, box.height, svgColour(BACKGROUND));
    drawChartAxes(svg, box, f, "generation", t.measures[m]);
    svg.text(box.left, box.top - 25, title, TITLE_FONT, svgColour(TEXT_COLOUR));
    for (size_t c = 0; c < t.conditions.size(); ++c) {
        const std::string colour = svgColour(PALETTE[c % std::size(PALETTE)]);
        const std::vector<BandPoint>& points = t.conditions[c].measures[m];
        svg.beginGroup("condition");
        svg.area(bandOutline(points, f), colour, BAND_OPACITY, "band");
        std::vector<SvgPoint> line;
        for (const BandPoint& p : points)
            line.push_back({f.x(p.generation), f.y(p.mean)});
        svg.polyline(line, colour, 1.5, "mean");
        svg.endGroup();
    }
    drawLegend(svg, box, t);
    return svg.str();
}

std::string summaryCsv(const SweepTable& t) {
    std::string out;
    for (const std::string& f : t.factors)
        out += f + ",";
    out += "replicates,generation,final_best_mean,final_best_sd,ci95_low,ci95_high\n";
    for (const Condition& c : t.conditions) {
        for (const std::string& level : c.levels)
            out += level + ",";
        const BandPoint& p = finalBest(t, c);
        out += std::to_string(c.replicates) + "," + std::to_string(p.generation) + "," +
               fixed(p.mean) + "," + fixed(p.sd) + ",";
        // One replicate gives no interval.
        out += p.replicates > 1 ? fixed(p.mean - p.half) + "," + fixed(p.mean + p.half) : ",";
        out += "\n";
    }
    return out;
}

std::string rankingText(const SweepTable& t) {
    std::vector<const Condition*> order;
    for (const Condition& c : t.conditions)
        order.push_back(&c);
    std::stable_sort(order.begin(), order.end(), [&t](const Condition* a, const Condition* b) {
        return finalBest(t, *a).mean > finalBest(t, *b).mean;
    });
    std::string out = "Conditions ranked by the best fitness of the last generation (mean over "
                      "the replicates, 95% confidence interval):\n";
    char buf[512];
    for (size_t r = 0; r < order.size(); ++r) {
        const BandPoint& p = finalBest(t, *order[r]);
        std::snprintf(buf, sizeof buf, "%3zu. %-40s %12.2f  [%.2f, %.2f]  n=%d\n", r + 1,
                      order[r]->label.c_str(), p.mean, p.mean - p.half, p.mean + p.half,
                      p.replicates);
        out += buf;
    }
    if (order.size() >= 2) {
        const BandPoint& a = finalBest(t, *order[0]);
        const BandPoint& b = finalBest(t, *order[1]);
        out += a.mean - a.half <= b.mean + b.half
                   ? "The intervals of the first two overlap: more replicates are needed to tell "
                     "them apart.\n"
                   : "The first condition's interval lies above the second's.\n";
    }
    return out;
}

std::string writeSweepReport(const std::string& dir) {
    const std::string resultsPath = joinPath(dir, "results.csv");
    const SweepTable t = poolResults(readWholeFile(resultsPath), resultsPath);
    const std::string folder = joinPath(dir, "report");
    makeFolder(folder);
    for (size_t m = 0; m < t.measures.size(); ++m)
        writeSweepFile(folder + "/" + t.measures[m] + ".svg", measureSvg(t, m));
    writeSweepFile(folder + "/summary.csv", summaryCsv(t));
    const std::string ranking = rankingText(t);
    writeSweepFile(folder + "/ranking.txt", ranking);
    return ranking;
}
