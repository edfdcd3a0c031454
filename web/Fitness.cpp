#include "web/Fitness.h"

#include <cmath>

namespace fitness {
namespace {

constexpr double SILK_UNIT = 200.0; // silk is paid per this many web units
constexpr double TIME_UNIT = 20.0;  // time is paid per this many pieces laid

} // namespace

double silkCost(const Web& web, double silkCostFactor) {
    return (web.radiusSilk / SILK_UNIT + web.spiralSilk / SILK_UNIT + web.frameSilk / SILK_UNIT) *
           silkCostFactor;
}

double timePenalty(const Web& web, double timePenaltyFactor) {
    const int pieces = static_cast<int>(web.radii.size() + web.spiralThreads.size());
    return static_cast<double>(pieces) / TIME_UNIT * timePenaltyFactor;
}

double rounded(double f) {
    const double r = std::round(f);
    return r > 0.0 ? r : 0.0;
}

} // namespace fitness
