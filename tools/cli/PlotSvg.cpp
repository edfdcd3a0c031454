#include "tools/cli/PlotSvg.h"

#include <algorithm>

#include "tools/cli/Chart.h"
#include "tools/cli/Svg.h"

namespace {

constexpr int WIDTH = 800, HEIGHT = 500;
constexpr double LEFT = 80, RIGHT = 20, TOP = 50, BOTTOM = 60;
constexpr double SINGLE_DASH = 6;
constexpr double FONT = 12, TITLE_FONT = 15;
const Rgb BEST_COLOUR = {0.85, 0.15, 0.1};
const Rgb MEAN_COLOUR = {0.2, 0.3, 0.9};
const Rgb AXIS_COLOUR = {0.1, 0.1, 0.1};
const Rgb BACKGROUND = {1.0, 1.0, 1.0};

const ChartBox BOX = {WIDTH, HEIGHT, LEFT, RIGHT, TOP, BOTTOM};

ChartFrame makeFrame(const std::vector<GenerationStats>& rows) {
    double lo = 0.0, hi = 0.0;
    for (const GenerationStats& s : rows) {
        lo = std::min({lo, s.mean, double(s.best)});
        hi = std::max({hi, s.mean, double(s.best)});
    }
    return chartFrame(BOX, rows.empty() ? 0 : rows.back().generation, lo, hi);
}

void drawLegend(SvgDocument& svg) {
    const double x = WIDTH - RIGHT - 150, y = TOP - 20;
    svg.line(x, y, x + 24, y, svgColour(BEST_COLOUR), 2);
    svg.text(x + 30, y + 4, "best", FONT, svgColour(AXIS_COLOUR));
    svg.line(x + 75, y, x + 99, y, svgColour(MEAN_COLOUR), 2);
    svg.text(x + 105, y + 4, "mean", FONT, svgColour(AXIS_COLOUR));
}

} // namespace

std::string fitnessPlotSvg(const std::vector<GenerationStats>& rows, const std::string& title) {
    SvgDocument svg(0, 0, WIDTH, HEIGHT, WIDTH, HEIGHT);
    svg.title(title);
    svg.rect(0, 0, WIDTH, HEIGHT, svgColour(BACKGROUND));
    const ChartFrame f = makeFrame(rows);
    drawChartAxes(svg, BOX, f, "generation", "fitness");
    svg.text(LEFT, TOP - 25, title, TITLE_FONT, svgColour(AXIS_COLOUR));
    std::vector<SvgPoint> best, mean;
    for (const GenerationStats& s : rows) {
        best.push_back({f.x(s.generation), f.y(s.best)});
        mean.push_back({f.x(s.generation), f.y(s.mean)});
    }
    if (rows.size() == 1) { // a single generation: a short dash, so it shows
        best.push_back({best[0].x + SINGLE_DASH, best[0].y});
        mean.push_back({mean[0].x + SINGLE_DASH, mean[0].y});
    }
    svg.polyline(best, svgColour(BEST_COLOUR), 1.5, "best");
    svg.polyline(mean, svgColour(MEAN_COLOUR), 1.5, "mean");
    drawLegend(svg);
    return svg.str();
}
