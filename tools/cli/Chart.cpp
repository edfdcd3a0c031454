#include "tools/cli/Chart.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "tools/cli/Svg.h"

namespace {

constexpr int TICKS = 6;
constexpr double FONT = 12, TICK_LENGTH = 5;
const Rgb AXIS_COLOUR = {0.1, 0.1, 0.1};
const Rgb GRID_COLOUR = {0.88, 0.88, 0.88};

} // namespace

std::vector<double> niceTicks(double lo, double hi, int count) {
    count = std::max(count, 1);
    if (!std::isfinite(lo) || !std::isfinite(hi)) { // nothing to show; callers refuse such data
        lo = 0.0;
        hi = 1.0;
    }
    if (!(hi > lo))
        hi = lo + 1.0;
    // Halves first: the span of two finite values can overflow.
    const double rough = (hi / 2 - lo / 2) / count * 2;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    double step = power;
    for (double factor : {1.0, 2.0, 5.0, 10.0}) {
        step = factor * power;
        if (step >= rough)
            break;
    }
    std::vector<double> ticks;
    const double first = std::floor(lo / step) * step;
    // count + 2 ticks cover the range; the bound also holds where rounding
    // makes the steps smaller than a unit in the last place of the values.
    for (int k = 0; k <= count + 2; ++k) {
        const double t = first + k * step;
        if (!std::isfinite(t))
            break; // beyond the largest double
        ticks.push_back(t);
        if (t >= hi)
            break;
    }
    return ticks;
}

std::vector<int> sampleGenerations(int generations, int maxColumns) {
    std::vector<int> out;
    if (generations <= 0 || maxColumns <= 0)
        return out;
    const int columns = generations < maxColumns ? generations : maxColumns;
    if (columns == 1) {
        out.push_back(generations - 1);
        return out;
    }
    for (int c = 0; c < columns; ++c)
        out.push_back(
            static_cast<int>(static_cast<int64_t>(c) * (generations - 1) / (columns - 1)));
    return out;
}

ChartFrame chartFrame(const ChartBox& box, double lastGeneration, double lo, double hi) {
    ChartFrame f;
    f.xTicks = niceTicks(0.0, std::max(lastGeneration, 1.0), TICKS);
    f.yTicks = niceTicks(lo, hi, TICKS);
    f.x = {f.xTicks.front(), f.xTicks.back(), box.left, box.width - box.right};
    f.y = {f.yTicks.front(), f.yTicks.back(), box.height - box.bottom, box.top};
    return f;
}

void drawChartAxes(SvgDocument& svg, const ChartBox& box, const ChartFrame& f,
                   const std::string& xLabel, const std::string& yLabel) {
    const std::string axis = svgColour(AXIS_COLOUR), grid = svgColour(GRID_COLOUR);
    const double right = box.width - box.right, bottom = box.height - box.bottom;
    svg.beginGroup("grid");
    for (double t : f.yTicks)
        svg.line(box.left, f.y(t), right, f.y(t), grid, 1);
    svg.endGroup();
    svg.beginGroup("axes");
    svg.line(box.left, bottom, right, bottom, axis, 1, "x-axis");
    svg.line(box.left, box.top, box.left, bottom, axis, 1, "y-axis");
    for (double t : f.xTicks) {
        svg.line(f.x(t), bottom, f.x(t), bottom + TICK_LENGTH, axis, 1);
        svg.text(f.x(t), bottom + TICK_LENGTH + FONT + 2, svgNumber(t), FONT, axis, "middle");
    }
    for (double t : f.yTicks) {
        svg.line(box.left - TICK_LENGTH, f.y(t), box.left, f.y(t), axis, 1);
        svg.text(box.left - TICK_LENGTH - 3, f.y(t) + FONT / 3, svgNumber(t), FONT, axis, "end");
    }
    svg.text((box.left + right) / 2, box.height - 12, xLabel, FONT + 1, axis, "middle");
    svg.text(20, (box.top + bottom) / 2, yLabel, FONT + 1, axis, "middle", -90);
    svg.endGroup();
}
