#include "web/Quarters.h"

#include "web/WebMath.h"

namespace quarters {
namespace {

// Start bound of each quarter, then the end bound of the last.
const double BOUNDS[COUNT + 1] = {0.0, webmath::QUARTER_TURN, webmath::HALF_TURN,
                                  webmath::THREE_QUARTER_TURN, webmath::FULL_TURN};
constexpr double REACH = 0.7; // share of the way to the next quarter's value

} // namespace

Quarter quarterOf(double a) {
    if (a < webmath::QUARTER_TURN)
        return RIGHT;
    if (a < webmath::HALF_TURN)
        return BOTTOM;
    if (a < webmath::THREE_QUARTER_TURN)
        return LEFT;
    return TOP;
}

double interpolate(double a, const double atStart[COUNT]) {
    const int q = quarterOf(a);
    const double from = atStart[q];
    const double to = atStart[(q + 1) % COUNT];
    const double q0 = BOUNDS[q];
    const double q1 = BOUNDS[q + 1];
    return from + REACH * (to - from) * (a - q0) / (q1 - q0);
}

} // namespace quarters
