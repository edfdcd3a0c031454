#include "tools/cli/sweep/SweepFigures.h"

#include <algorithm>
#include <cmath>
#include <iostream>

#include "tools/cli/Chart.h"
#include "tools/cli/Svg.h"
#include "tools/cli/sweep/SvgRender.h"
#include "tools/cli/sweep/SweepFiles.h"
#include "tools/cli/sweep/SweepMeasures.h"

namespace {

constexpr double BAND_OPACITY = 0.15;
constexpr double FONT = 12, TITLE_FONT = 15, LEGEND_STEP = 18, MARKER = 4;
constexpr size_t LEGEND_CHARACTERS = 34;
constexpr int MARKERS_PER_LINE = 10;
const ChartBox BOX = {920, 520, 80, 290, 50, 60};
const Rgb TEXT_COLOUR = {0.1, 0.1, 0.1};
const Rgb BACKGROUND = {1.0, 1.0, 1.0};
// Okabe and Ito's palette, told apart with the common colour vision
// deficiencies (yellow last: faint on white).
const Rgb PALETTE[] = {{0.0, 0.447, 0.698}, {0.835, 0.369, 0.0},  {0.0, 0.620, 0.451},
                       {0.8, 0.475, 0.655}, {0.902, 0.624, 0.0},  {0.337, 0.706, 0.914},
                       {0.0, 0.0, 0.0},     {0.941, 0.894, 0.259}};
const char* const DASHES[] = {"", "9 4", "2 3", "9 3 2 3", "5 5", "14 4 2 4"};
enum class Marker { Circle, Square, Triangle, Diamond, Down, Cross, Count };

// The look of condition c.
struct Style {
    std::string colour;
    std::string dash;
    Marker marker;
};
Style styleOf(size_t c) {
    return {svgColour(PALETTE[c % std::size(PALETTE)]), DASHES[c % std::size(DASHES)],
            static_cast<Marker>(c % static_cast<size_t>(Marker::Count))};
}

std::vector<SvgPoint> markerOutline(Marker m, double x, double y) {
    const double r = MARKER, h = r / 2.5;
    switch (m) {
    case Marker::Square:
        return {{x - r, y - r}, {x + r, y - r}, {x + r, y + r}, {x - r, y + r}};
    case Marker::Triangle:
        return {{x, y - r * 1.2}, {x + r * 1.1, y + r * 0.8}, {x - r * 1.1, y + r * 0.8}};
    case Marker::Diamond:
        return {{x, y - r * 1.3}, {x + r, y}, {x, y + r * 1.3}, {x - r, y}};
    case Marker::Down:
        return {{x, y + r * 1.2}, {x + r * 1.1, y - r * 0.8}, {x - r * 1.1, y - r * 0.8}};
    case Marker::Cross:
        return {{x - h, y - r}, {x + h, y - r}, {x + h, y - h}, {x + r, y - h},
                {x + r, y + h}, {x + h, y + h}, {x + h, y + r}, {x - h, y + r},
                {x - h, y + h}, {x - r, y + h}, {x - r, y - h}, {x - h, y - h}};
    default: {
        std::vector<SvgPoint> out;
        for (int k = 0; k < 16; ++k)
            out.push_back({x + r * std::cos(k * M_PI / 8), y + r * std::sin(k * M_PI / 8)});
        return out;
    }
    }
}

void marker(SvgDocument& svg, const Style& s, double x, double y) {
    svg.area(markerOutline(s.marker, x, y), s.colour, 1.0, "marker");
}

ChartBox chartBox(size_t conditions) {
    ChartBox box = BOX;
    box.height = std::max(box.height, box.top + 10 + LEGEND_STEP * conditions + box.bottom);
    return box;
}

// Per condition its line, marker and label (numbered for the strip plot).
void drawLegend(SvgDocument& svg, const ChartBox& box, const SweepTable& t, bool numbered) {
    const double x = box.width - box.right + 20;
    double y = box.top + 10;
    for (size_t c = 0; c < t.conditions.size(); ++c, y += LEGEND_STEP) {
        const Style s = styleOf(c);
        svg.beginGroup("legend", s.dash);
        svg.line(x, y - 1, x + 28, y - 1, s.colour, 2);
        svg.endGroup();
        marker(svg, s, x + 14, y - 1);
        std::string label = (numbered ? std::to_string(c + 1) + ": " : "") + t.conditions[c].label;
        if (label.size() > LEGEND_CHARACTERS)
            label = label.substr(0, LEGEND_CHARACTERS - 3) + "...";
        svg.text(x + 34, y + 3, label, FONT, svgColour(TEXT_COLOUR));
    }
}

SvgDocument startFigure(const ChartBox& box, const std::string& title) {
    SvgDocument svg(0, 0, box.width, box.height, static_cast<int>(box.width),
                    static_cast<int>(box.height));
    svg.title(title);
    svg.rect(0, 0, box.width, box.height, svgColour(BACKGROUND));
    svg.text(box.left, box.top - 25, title, TITLE_FONT, svgColour(TEXT_COLOUR));
    return svg;
}

std::vector<SvgPoint> bandOutline(const std::vector<BandPoint>& points, const ChartFrame& f) {
    std::vector<SvgPoint> out;
    for (const BandPoint& p : points)
        out.push_back({f.x(p.generation), f.y(p.mean + p.half)});
    for (auto it = points.rbegin(); it != points.rend(); ++it)
        out.push_back({f.x(it->generation), f.y(it->mean - it->half)});
    return out;
}

void drawCondition(SvgDocument& svg, const std::vector<BandPoint>& points, const ChartFrame& f,
                   size_t c, size_t conditions) {
    const Style s = styleOf(c);
    svg.beginGroup("condition", s.dash);
    svg.area(bandOutline(points, f), s.colour, BAND_OPACITY, "band");
    std::vector<SvgPoint> line;
    for (const BandPoint& p : points)
        line.push_back({f.x(p.generation), f.y(p.mean)});
    svg.polyline(line, s.colour, 1.8, "mean");
    svg.endGroup();
    // Markers spread along the line, shifted per condition so they do not cover each other.
    const size_t step = std::max<size_t>(1, points.size() / MARKERS_PER_LINE);
    for (size_t k = step * c / std::max<size_t>(1, conditions); k < points.size(); k += step)
        marker(svg, s, line[k].x, line[k].y);
}

// Quartile q (0 ... 1) of sorted values, interpolated linearly.
double quantile(const std::vector<double>& sorted, double q) {
    const double at = q * double(sorted.size() - 1);
    const size_t below = static_cast<size_t>(at);
    if (below + 1 >= sorted.size())
        return sorted.back();
    return sorted[below] + (at - double(below)) * (sorted[below + 1] - sorted[below]);
}

void drawBox(SvgDocument& svg, std::vector<double> v, double x, const ChartFrame& f,
             const Style& s) {
    std::sort(v.begin(), v.end());
    const double w = 14, q1 = f.y(quantile(v, 0.25)), q3 = f.y(quantile(v, 0.75));
    const std::string grey = svgColour({0.3, 0.3, 0.3});
    svg.line(x, f.y(v.front()), x, q1, grey, 1, "whisker");
    svg.line(x, q3, x, f.y(v.back()), grey, 1, "whisker");
    svg.rect(x - w, q3, 2 * w, std::max(0.0, q1 - q3), "none", grey, 1);
    svg.line(x - w, f.y(quantile(v, 0.5)), x + w, f.y(quantile(v, 0.5)), grey, 2, "median");
    // The replicates beside the box, spread a little sideways to show ties.
    for (size_t k = 0; k < v.size(); ++k)
        marker(svg, s, x + w + 8 + 10 * std::fmod(k * 0.618034, 1.0), f.y(v[k]));
}

void render(const std::string& svg, const std::string& base, bool& warned) {
    writeSweepFile(base + ".svg", svg);
    const std::string problem = renderSvg(svg, base + ".png", base + ".pdf");
    if (!problem.empty() && !warned) {
        std::cerr << "sweep report: figures as SVG only (" << problem << ")" << std::endl;
        warned = true;
    }
}

} // namespace

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
    const std::string label = measureLabel(t.measures[m]);
    SvgDocument svg = startFigure(box, label + ": mean over the replicates, 95% confidence band");
    drawChartAxes(svg, box, f, "generation", label);
    for (size_t c = 0; c < t.conditions.size(); ++c)
        drawCondition(svg, t.conditions[c].measures[m], f, c, t.conditions.size());
    drawLegend(svg, box, t, false);
    return svg.str();
}

std::string stripSvg(const SweepTable& t, size_t m, int generation) {
    double lo = 0.0, hi = 0.0;
    for (const Condition& c : t.conditions)
        for (double v : c.values[m][size_t(generation)]) {
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
    const ChartBox box = chartBox(t.conditions.size());
    const double n = double(t.conditions.size());
    ChartFrame f = chartFrame(box, 1.0, lo, hi);
    f.xTicks.clear();
    f.x = {0.5, n + 0.5, box.left, box.width - box.right};
    const std::string label = measureLabel(t.measures[m]);
    SvgDocument svg = startFigure(box, label + " at generation " + std::to_string(generation) +
                                           ": the replicates of each condition");
    drawChartAxes(svg, box, f, "condition (see the legend)", label);
    for (size_t c = 0; c < t.conditions.size(); ++c) {
        const double x = f.x(double(c + 1));
        svg.text(x, box.height - box.bottom + FONT + 7, std::to_string(c + 1), FONT,
                 svgColour(TEXT_COLOUR), "middle");
        svg.beginGroup("condition");
        drawBox(svg, t.conditions[c].values[m][size_t(generation)], x, f, styleOf(c));
        svg.endGroup();
    }
    drawLegend(svg, box, t, true);
    return svg.str();
}

void writeFigures(const SweepTable& t, size_t measure, int generation, const std::string& folder) {
    bool warned = false;
    for (size_t m = 0; m < t.measures.size(); ++m)
        render(measureSvg(t, m), folder + "/" + t.measures[m], warned);
    render(stripSvg(t, measure, generation), folder + "/" + t.measures[measure] + "-strip", warned);
}
