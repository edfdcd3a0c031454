// The Gaussian mutations of real-valued genomes.

#include "core/LRandom.h"
#include "ea/EAOpHelpers.h"
#include "ea/EAOpMutation.h"

double EAOpMutation::xMin[EAOpMutation::NUM_BOUNDS] = {};
double EAOpMutation::xMax[EAOpMutation::NUM_BOUNDS] = {};

namespace {

// Below this power-law number a mutation keeps the plain step scale.
const double SOC_SMALL_NUMBER = 0.2;
// The largest power-law number multiplies the step scale by this factor.
const double SOC_STEP_FACTOR = 100;

// Moves every variable by (range) * (n * scale) with n ~ N(0, sd), clamped onto
// the bound it crosses, and marks the individual unevaluated.
void gaussianSteps(EAIndDouble& ind, double scale, double sd) {
    const int n = usedLength(ind.numValues, EAIndDouble::MAX_NUM_VALUES);
    for (int i = 0; i < n; ++i) {
        const double deviate = LRandom::getNormalRand(0, sd);
        const double lo = EAOpMutation::xMin[i];
        const double hi = EAOpMutation::xMax[i];
        double v = ind.values[i] + (hi - lo) * (deviate * scale);
        if (v > hi)
            v = hi;
        if (v < lo)
            v = lo;
        ind.values[i] = v;
    }
    ind.isEvaluated = false;
}

} // namespace

void EAOpMutation::initBounds(const double* lower, const double* upper) {
    for (int i = 0; i < NUM_BOUNDS; ++i) {
        xMin[i] = lower[i];
        xMax[i] = upper[i];
    }
}

void EAOpMutation::fixedGaussian(EAIndDouble& ind, double rate, double sigma) {
    if (!drawActs(rate))
        return;
    gaussianSteps(ind, sigma, 1);
}

void EAOpMutation::annealedGaussian(EAIndDouble& ind, double rate, double sigma, int t) {
    if (!drawActs(rate))
        return;
    // t counts iterations; a negative count would divide by zero or grow the steps.
    const double iterations = t < 0 ? 0.0 : static_cast<double>(t);
    gaussianSteps(ind, sigma, 1 / (iterations + 1));
}

void EAOpMutation::SOCGaussian(EAIndDouble& ind, double rate, double sigma) {
    if (!drawActs(rate))
        return;
    const double p = getNextNormPowerLawNumber();
    const double scale = p < SOC_SMALL_NUMBER ? sigma : p * SOC_STEP_FACTOR * sigma;
    gaussianSteps(ind, scale, 1);
}
