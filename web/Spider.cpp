// The spider record: construction, rule access, clearing and the driver that
// runs the four construction stages.

#include "web/Spider.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "web/BuilderState.h"

namespace {

// Rule fields in gene order.
int32_t Spider::*const RULE_FIELDS[NUM_RULES] = {
    &Spider::numStartRadii,        &Spider::variability,           &Spider::phase,
    &Spider::rMaxLenRight,         &Spider::rMaxLenBottom,         &Spider::rMaxLenLeft,
    &Spider::rMaxLenTop,           &Spider::interpFuncId,          &Spider::interpFuncParam,
    &Spider::rNextRadiiAngleRight, &Spider::rNextRadiiAngleBottom, &Spider::rNextRadiiAngleLeft,
    &Spider::rNextRadiiAngleTop,   &Spider::interpFuncId2,         &Spider::interpFuncParam2,
    &Spider::minFinalRadiiSpace,   &Spider::spiralDistStart,       &Spider::spiralDistEnd,
    &Spider::growthToCentre,
};

constexpr int NUM_BUILD_STAGES = 4;

// One step of construction stage s (1 ... 4).
void stepStage(Spider& spider, int s) {
    switch (s) {
    case STAGE_FIRST_RADII_AND_FRAME:
        spider.stepFirstRadiiAndFrame();
        break;
    case STAGE_ADDITIONAL_RADII:
        spider.stepAdditionalRadii();
        break;
    case STAGE_FIRST_CAP_SPIRAL_LOOP:
        spider.stepFirstCapSpiralLoop();
        break;
    default:
        spider.stepMainCapSpiral();
        break;
    }
}

int checkedRuleIndex(int i) {
    if (i < 0 || i >= NUM_RULES) {
        std::printf("Spider::rule: no rule %d\n", i);
        std::fflush(stdout);
        std::exit(-1);
    }
    return i;
}

} // namespace

Spider::Spider() {
    individual.fitness = 0.0;
    individual.isElite = false;
    individual.isEvaluated = false;
}

int32_t& Spider::rule(int i) {
    return this->*RULE_FIELDS[checkedRuleIndex(i)];
}

int32_t Spider::rule(int i) const {
    return this->*RULE_FIELDS[checkedRuleIndex(i)];
}

void Spider::clearWeb() {
    stage = STAGE_NONE;
    currentRadius = -1;
    spiralDist = -1.0;
    for (Radius& r : web.radii)
        r.points.clear();
    web.radii.clear();
    web.spiralThreads.clear();
    web.caughtPrey.clear();
    web.spiralReachedFrame = false;
    web.isHighlighted = false;
    web.isMarked = false;
    web.spiralSilk = 0.0;
    web.radiusSilk = 0.0;
    web.frameSilk = 0.0;
    web.firstLoopThreads = 0;
}

void Spider::buildWeb(int32_t silkLimit) {
    buildWebToStage(NUM_BUILD_STAGES, silkLimit);
}

void Spider::buildWebToStage(int k, int32_t silkLimit) {
    constructWeb(k, silkLimit);
    leaveLibraryRandomAsAfterBuild(builder.random.draws());
}

void Spider::constructWeb(int k, int32_t silkLimit) {
    const int lastStage = std::clamp(k, 1, NUM_BUILD_STAGES);
    builder.silkLimit = silkLimit;
    stage = STAGE_NONE;
    spiralDirection = 1;
    // A fresh generator for every build, so that a web depends only on its rules.
    builder.random = BUILD_RANDOM_START;
    stage = STAGE_FIRST_RADII_AND_FRAME;
    for (int s = 1; s <= lastStage; ++s) {
        while (stage == s)
            stepStage(*this, s);
    }
}
