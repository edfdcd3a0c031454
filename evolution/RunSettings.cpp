#include "evolution/RunSettings.h"

#include "evolution/EvolutionState.h"

RunSettings currentRunSettings() {
    return currentRunSettings(evolutionState);
}

void applyRunSettings(const RunSettings& s) {
    applyRunSettings(evolutionState, s);
}

RunSettings currentRunSettings(const EvolutionState& es) {
    RunSettings s;
    s.numPrey = es.numPrey;
    s.preySize = es.preySize;
    s.preyValue = es.preyValue;
    s.useAttackDistance = es.problem.useAttackDistance;
    s.useGravity = es.problem.useGravity;
    s.silkCostFactor = es.silkCostFactor;
    s.silkLimit = es.silkLimit;
    s.timePenaltyFactor = es.timePenaltyFactor;
    s.crossoverRate = es.crossoverRate;
    s.mutationRate = es.mutationRate;
    return s;
}

void applyRunSettings(EvolutionState& es, const RunSettings& s) {
    if (s.silkLimit != es.silkLimit)
        es.evaluator.forgetWebs(); // built under the old limit: never asked for again
    es.numPrey = s.numPrey;
    es.preySize = s.preySize;
    es.preyValue = s.preyValue;
    es.problem.useAttackDistance = s.useAttackDistance;
    es.problem.useGravity = s.useGravity;
    es.silkCostFactor = s.silkCostFactor;
    es.silkLimit = s.silkLimit;
    es.timePenaltyFactor = s.timePenaltyFactor;
    es.crossoverRate = s.crossoverRate;
    es.mutationRate = s.mutationRate;
}

AttackSim attackOf(const RunSettings& s) {
    if (!s.useAttackDistance)
        return AttackSim::Off;
    return s.useGravity ? AttackSim::DistGrav : AttackSim::Dist;
}

void setAttack(RunSettings& s, AttackSim attack) {
    s.useAttackDistance = attack != AttackSim::Off;
    s.useGravity = attack == AttackSim::DistGrav;
}

double rateFromPercent(int32_t percent) {
    return percent / PERCENT;
}

int32_t percentOf(double rate) {
    return truncToInt32(rate * PERCENT);
}

double rateFromTenths(int32_t tenths) {
    return tenths / TENTHS_OF_PERCENT;
}

int32_t tenthsOf(double rate) {
    return truncToInt32(rate * TENTHS_OF_PERCENT);
}

int32_t silkLimitFromSteps(int32_t steps) {
    return steps == 0 ? NO_SILK_LIMIT : SILK_LIMIT_STEP * steps;
}

int32_t silkLimitSteps(int32_t limit) {
    return limit < 0 ? 0 : limit / SILK_LIMIT_STEP;
}
