#pragma once
// Axis arithmetic shared by the charts: round tick steps and the mapping of
// data values onto a pixel range.

#include <string>
#include <vector>

class SvgDocument;

// Tick values covering [lo, hi] with a step of 1, 2 or 5 times a power of
// ten, about `count` of them; the first tick is <= lo and the last >= hi.
std::vector<double> niceTicks(double lo, double hi, int count);

// Linear map of [d0, d1] onto [p0, p1] (d0 != d1).
struct AxisMap {
    double d0, d1, p0, p1;
    double operator()(double d) const { return p0 + (d - d0) * (p1 - p0) / (d1 - d0); }
};

// Up to maxColumns generation numbers spread evenly over 0 ... generations - 1,
// always including the first and the last, in ascending order (a single
// column shows the last generation).
std::vector<int> sampleGenerations(int generations, int maxColumns);

// The plot area of a chart: the picture's size and the margins around it.
struct ChartBox {
    double width, height, left, right, top, bottom;
};

// Axes with round ticks for generations 0 ... lastGeneration against values
// lo ... hi, mapped onto the plot area.
struct ChartFrame {
    AxisMap x, y;
    std::vector<double> xTicks, yTicks;
};
ChartFrame chartFrame(const ChartBox& box, double lastGeneration, double lo, double hi);

// Grid lines, both axes with their ticks and labels.
void drawChartAxes(SvgDocument& svg, const ChartBox& box, const ChartFrame& f,
                   const std::string& xLabel, const std::string& yLabel);
