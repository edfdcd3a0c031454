#include "core/LRandom.h"

#include <cmath>

// Constructed, and seeded automatically, when the library is loaded.
MTRand LRandom::random;

namespace {

// Box-Muller uses this literal rather than 2 pi to full precision.
const double BOX_MULLER_TWO_PI = 6.2831852;

// AS 241 (PPND7) split points and the smallest positive double that
// replaces a tail probability of zero.
const double CENTRAL_SPLIT = 0.425;
const double CENTRAL_CONST = 0.180625;
const double TAIL_SPLIT = 5.0;
const double TAIL_SHIFT = 1.6;
const double SMALLEST_POSITIVE = 4.9e-324;

double centralRegion(double q) {
    const double r = CENTRAL_CONST - q * q;
    return q * (((59.10937472 * r + 159.29113202) * r + 50.434271938) * r + 3.3871327179) /
           (((67.1875636 * r + 78.757757664) * r + 17.895169469) * r + 1.0);
}

double nearTail(double r) {
    r = r - TAIL_SHIFT;
    return (((0.17023821103 * r + 1.3067284816) * r + 2.75681539) * r + 1.4234372777) /
           ((0.12021132975 * r + 0.7370016425) * r + 1.0);
}

double farTail(double r) {
    r = r - TAIL_SPLIT;
    return (((0.017337203997 * r + 0.42868294337) * r + 3.081226386) * r + 6.657905115) /
           ((0.012258202635 * r + 0.24197894225) * r + 1.0);
}

} // namespace

double LRandom::getUniformRand(double a, double b) {
    return RandomWord::uniformReal(drawWord(), a, b);
}

int LRandom::getUniformRandInt(int a, int b) {
    return RandomWord::uniformInt(drawWord(), a, b);
}

double LRandom::getUniformRand(MTRand& g, double a, double b) {
    return RandomWord::uniformReal(drawWord(g), a, b);
}

int LRandom::getUniformRandInt(MTRand& g, int a, int b) {
    return RandomWord::uniformInt(drawWord(g), a, b);
}

double LRandom::getNormalRand(double mean, double sd) {
    const double u = RandomWord::toClosedUnit(drawWord());
    const double z = normalInverse(u);
    return z * sd + mean;
}

double LRandom::getNormalRand() {
    const double u1 = RandomWord::toClosedUnit(drawWord());
    const double u2 = RandomWord::toClosedUnit(drawWord());
    return std::sqrt(-2.0 * std::log(u1)) * std::sin(BOX_MULLER_TWO_PI * u2);
}

double LRandom::getParetoRand(double shape, double scale) {
    const double u = RandomWord::toClosedUnit(drawWord());
    return scale / std::pow(u, 1.0 / shape);
}

double LRandom::normalInverse(double p) {
    const double q = p - 0.5;
    if (std::fabs(q) <= CENTRAL_SPLIT)
        return centralRegion(q);

    double r = q < 0.0 ? p : 1.0 - p;
    if (r <= 0.0)
        r = SMALLEST_POSITIVE;
    r = std::sqrt(-std::log(r));
    const double z = r <= TAIL_SPLIT ? nearTail(r) : farTail(r);
    return q < 0.0 ? -z : z;
}
