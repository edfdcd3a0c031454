#include "tools/cli/PlotSvg.h"

#include <algorithm>

#include "tools/cli/Chart.h"
#include "tools/cli/Svg.h"

namespace {

constexpr int WIDTH = 800, HEIGHT = 500;
constexpr double LEFT = 80, RIGHT = 20, TOP = 50, BOTTOM = 60;
constexpr int TICKS = 6;
constexpr double SINGLE_DASH = 6;
constexpr double FONT = 12, TITLE_FONT = 15, TICK_LENGTH = 5;
const Rgb BEST_COLOUR = {0.85, 0.15, 0.1};
const Rgb MEAN_COLOUR = {0.2, 0.3, 0.9};
const Rgb AXIS_COLOUR = {0.1, 0.1, 0.1};
const Rgb GRID_COLOUR = {0.88, 0.88, 0.88};
const Rgb BACKGROUND = {1.0, 1.0, 1.0};

struct Frame {
    AxisMap x, y;
    std::vector<double> xTicks, yTicks;
};

Frame makeFrame(const std::vector<GenerationStats>& rows) {
    double lastGeneration = rows.empty() ? 0 : rows.back().generation;
    double lo = 0.0, hi = 0.0;
    for (const GenerationStats& s : rows) {
        lo = std::min({lo, s.mean, double(s.best)});
        hi = std::max({hi, s.mean, double(s.best)});
    }
    Frame f;
    f.xTicks = niceTicks(0.0, std::max(lastGeneration, 1.0), TICKS);
    f.yTicks = niceTicks(lo, hi, TICKS);
    f.x = {f.xTicks.front(), f.xTicks.back(), LEFT, WIDTH - RIGHT};
    f.y = {f.yTicks.front(), f.yTicks.back(), HEIGHT - BOTTOM, TOP};
    return f;
}

void drawAxes(SvgDocument& svg, const Frame& f) {
    const std::string axis = svgColour(AXIS_COLOUR), grid = svgColour(GRID_COLOUR);
    svg.beginGroup("grid");
    for (double t : f.yTicks)
        svg.line(LEFT, f.y(t), WIDTH - RIGHT, f.y(t), grid, 1);
    svg.endGroup();
    svg.beginGroup("axes");
    svg.line(LEFT, HEIGHT - BOTTOM, WIDTH - RIGHT, HEIGHT - BOTTOM, axis, 1, "x-axis");
    svg.line(LEFT, TOP, LEFT, HEIGHT - BOTTOM, axis, 1, "y-axis");
    for (double t : f.xTicks) {
        svg.line(f.x(t), HEIGHT - BOTTOM, f.x(t), HEIGHT - BOTTOM + TICK_LENGTH, axis, 1);
        svg.text(f.x(t), HEIGHT - BOTTOM + TICK_LENGTH + FONT + 2, svgNumber(t), FONT, axis,
                 "middle");
    }
    for (double t : f.yTicks) {
        svg.line(LEFT - TICK_LENGTH, f.y(t), LEFT, f.y(t), axis, 1);
        svg.text(LEFT - TICK_LENGTH - 3, f.y(t) + FONT / 3, svgNumber(t), FONT, axis, "end");
    }
    svg.text((LEFT + WIDTH - RIGHT) / 2, HEIGHT - 12, "generation", FONT + 1, axis, "middle");
    svg.text(20, (TOP + HEIGHT - BOTTOM) / 2, "fitness", FONT + 1, axis, "middle", -90);
    svg.endGroup();
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
    const Frame f = makeFrame(rows);
    drawAxes(svg, f);
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
