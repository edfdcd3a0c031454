// Scoring a spider: its web is rebuilt, the prey fly into it, and the fitness
// is the reward for the prey caught less the silk cost and time penalty.

#include <cmath>

#include "core/LRandom.h"
#include "web/BuilderState.h"
#include "web/EAPGossamerix.h"
#include "web/Fitness.h"
#include "web/Spider.h"

namespace {

constexpr double FLAT_UNIT = 10.0;  // attack unit length without gravity, and sideways
constexpr double BELOW_UNIT = 20.0; // straight on the +y side of the hub
constexpr double ABOVE_UNIT = 6.0;  // straight on the -y side of the hub
constexpr double SURE_UNITS = 1.0;  // within this many units the attack always succeeds
constexpr double FADE_UNITS = 7.0;  // the chance falls to 0 over this many more
constexpr double HOPELESS_UNITS = 8.0;
constexpr double ATTACK_DRAW_MAX = 0.99;

} // namespace

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
    if (u < SURE_UNITS)
        p = 1;
    if (u > HOPELESS_UNITS)
        p = 0;
    return p;
}

// One attack per prey, prey by prey, for each of `spiders` evaluations in
// turn; "Off" draws no random number.
void EAPGossamerix::drawAttacks(int spiders, std::vector<uint8_t>& success, MTRand& random) const {
    const size_t n = prey.size();
    success.assign(n * static_cast<size_t>(spiders < 0 ? 0 : spiders), 1);
    if (!useAttackDistance || n == 0)
        return;
    std::vector<double> chance(n);
    for (size_t k = 0; k < n; ++k)
        chance[k] = attackChance(prey[k].x, prey[k].y, useGravity);
    for (size_t j = 0; j < success.size(); ++j) {
        const double r = LRandom::getUniformRand(random, 0, ATTACK_DRAW_MAX);
        success[j] = chance[j % n] > r ? 1 : 0;
    }
}

void EAPGossamerix::evaluateSpider(Spider& spider, double preySize, double preyValue,
                                   double silkCostFactor, double timePenaltyFactor,
                                   int32_t silkLimit) {
    if (spider.individual.isEvaluated)
        return;
    drawAttacks(1, attackSuccess_, LRandom::random);
    scoreSpider(spider, attackSuccess_.data(), threadGrid_,
                ScoreSettings{preySize, preyValue, silkCostFactor, timePenaltyFactor, silkLimit});
    leaveLibraryRandomAsAfterBuild(builder.random.draws());
}

void EAPGossamerix::scoreSpider(Spider& spider, const uint8_t* attackSuccess, ThreadGrid& grid,
                                const ScoreSettings& settings) const {
    rebuildWeb(spider, settings.silkLimit);
    scoreBuiltWeb(spider, attackSuccess, grid, settings);
}

void EAPGossamerix::rebuildWeb(Spider& spider, int32_t silkLimit) {
    Web& web = spider.web;
    web.caughtPrey.clear();
    if (!web.radii.empty())
        spider.clearWeb();
    spider.constructWeb(STAGE_MAIN_CAP_SPIRAL, silkLimit);
}

void EAPGossamerix::scoreBuiltWeb(Spider& spider, const uint8_t* attackSuccess, ThreadGrid& grid,
                                  const ScoreSettings& settings, const ThreadCells* cells) const {
    Web& web = spider.web;
    if (plainCapture) {
        findCaughtPreyPlain(web.spiralThreads, prey, attackSuccess, settings.preySize,
                            web.caughtPrey);
    } else if (cells) {
        grid.findCaughtPrey(*cells, web.spiralThreads, prey, attackSuccess, settings.preySize,
                            web.caughtPrey);
    } else {
        grid.findCaughtPrey(web.spiralThreads, prey, attackSuccess, settings.preySize,
                            web.caughtPrey);
    }
    const int caught = static_cast<int>(web.caughtPrey.size());

    const double silkCost = fitness::silkCost(web, settings.silkCostFactor);
    const double timePenalty = fitness::timePenalty(web, settings.timePenaltyFactor);
    spider.individual.fitness =
        fitness::rounded(caught * settings.preyValue - silkCost - timePenalty);

    spider.individual.isEvaluated = true;
    spider.numCaught = caught;
    spider.silkCost = silkCost;
    spider.timePenalty = timePenalty;
}

void EAPGossamerix::copyScore(Spider& to, const Spider& from) {
    to.web.caughtPrey = from.web.caughtPrey;
    to.individual.fitness = from.individual.fitness;
    to.individual.isEvaluated = from.individual.isEvaluated;
    to.numCaught = from.numCaught;
    to.silkCost = from.silkCost;
    to.timePenalty = from.timePenalty;
}
