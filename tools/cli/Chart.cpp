#include "tools/cli/Chart.h"

#include <cmath>
#include <cstdint>

std::vector<double> niceTicks(double lo, double hi, int count) {
    if (!(hi > lo))
        hi = lo + 1.0;
    const double rough = (hi - lo) / (count > 0 ? count : 1);
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    double step = power;
    for (double factor : {1.0, 2.0, 5.0, 10.0}) {
        step = factor * power;
        if (step >= rough)
            break;
    }
    std::vector<double> ticks;
    const double first = std::floor(lo / step) * step;
    for (int k = 0;; ++k) {
        const double t = first + k * step;
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
