#pragma once
// The terms of a spider's fitness:
// caught x prey value - silk cost - time penalty, rounded, never below 0.

#include "web/Web.h"

namespace fitness {

// (radius + spiral + frame silk) / 200 x factor, each length divided first.
double silkCost(const Web& web, double silkCostFactor);

// (radii + spiral threads) / 20 x factor.
double timePenalty(const Web& web, double timePenaltyFactor);

// f rounded to an integer (halves away from zero); 0 when that is negative
// (or when f is not a number).
double rounded(double f);

} // namespace fitness
