// Scoring a spider: its web is rebuilt, the prey fly into it, and the fitness
// is the reward for the prey caught less the silk cost and time penalty.

#include <cmath>

#include "core/LRandom.h"
#include "web/EAPGossamerix.h"
#include "web/Fitness.h"
#include "web/Spider.h"

namespace {

constexpr double FLAT_UNIT = 10.0;     // attack unit length without gravity, and sideways
constexpr double BELOW_UNIT = 20.0;    // straight on the +y side of the hub
constexpr double ABOVE_UNIT = 6.0;     // straight on the -y side of the hub
constexpr double SURE_UNITS = 1.0;     // within this many units the attack always succeeds
constexpr double FADE_UNITS = 7.0;     // the chance falls to 0 over this many more
constexpr double HOPELESS_UNITS = 8.0;
constexpr double ATTACK_DRAW_MAX = 0.99;

}  // namespace

double EAPGossamerix::attackChance(double x, double y, bool gravity) {
    double w = FLAT_UNIT;
    const double ax = std::fabs(x);
    const double ay = std::fabs(y);
    // A prey exactly at the hub has no direction; it is at distance 0 under
    // any weight, so keep the flat one.
    if (gravity && ay + ax > 0.0) {
        const double g = y > 0 ? BELOW_UNIT : ABOVE_UNIT;
        w = (ay * g + ax * FLAT_UNIT) / (ay + ax);
    }
    const double u = std::sqrt(x * x + y * y) / w;
    double p = 1 - (u - SURE_UNITS) / FADE_UNITS;
    if (u < SURE_UNITS) p = 1;
    if (u > HOPELESS_UNITS) p = 0;
    return p;
}

// One attack per prey, in prey order; "Off" draws no random number.
void EAPGossamerix::drawAttacks() {
    attackSuccess_.assign(prey.size(), 1);
    if (!useAttackDistance) return;
    for (size_t k = 0; k < prey.size(); ++k) {
        const double p = attackChance(prey[k].x, prey[k].y, useGravity);
        const double r = LRandom::getUniformRand(0, ATTACK_DRAW_MAX);
        attackSuccess_[k] = p > r ? 1 : 0;
    }
}

void EAPGossamerix::evaluateSpider(Spider& spider, double preySize, double preyValue,
                                   double silkCostFactor, double timePenaltyFactor) {
    if (spider.individual.isEvaluated) return;
    Web& web = spider.web;
    web.caughtPrey.clear();
    if (!web.radii.empty()) spider.clearWeb();
    spider.buildWeb();

    drawAttacks();
    if (plainCapture) {
        findCaughtPreyPlain(web.spiralThreads, prey, attackSuccess_, preySize, web.caughtPrey);
    } else {
        threadGrid_.findCaughtPrey(web.spiralThreads, prey, attackSuccess_, preySize,
                                   web.caughtPrey);
    }
    const int caught = static_cast<int>(web.caughtPrey.size());

    const double silkCost = fitness::silkCost(web, silkCostFactor);
    const double timePenalty = fitness::timePenalty(web, timePenaltyFactor);
    spider.individual.fitness = fitness::rounded(caught * preyValue - silkCost - timePenalty);

    spider.individual.isEvaluated = true;
    spider.numCaught = caught;
    spider.silkCost = silkCost;
    spider.timePenalty = timePenalty;
}
