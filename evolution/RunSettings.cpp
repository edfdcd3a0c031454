#include "evolution/RunSettings.h"

#include "evolution/EvolutionState.h"
#include "web/BuilderState.h"

RunSettings currentRunSettings() {
    const EvolutionState& es = evolutionState;
    RunSettings s;
    s.numPrey = es.numPrey;
    s.preySize = es.preySize;
    s.preyValue = es.preyValue;
    s.useAttackDistance = es.problem.useAttackDistance;
    s.useGravity = es.problem.useGravity;
    s.silkCostFactor = es.silkCostFactor;
    s.silkLimit = silkLimit;
    s.timePenaltyFactor = es.timePenaltyFactor;
    s.crossoverRate = es.crossoverRate;
    s.mutationRate = es.mutationRate;
    return s;
}

void applyRunSettings(const RunSettings& s) {
    EvolutionState& es = evolutionState;
    es.numPrey = s.numPrey;
    es.preySize = s.preySize;
    es.preyValue = s.preyValue;
    es.problem.useAttackDistance = s.useAttackDistance;
    es.problem.useGravity = s.useGravity;
    es.silkCostFactor = s.silkCostFactor;
    silkLimit = s.silkLimit;
    es.timePenaltyFactor = s.timePenaltyFactor;
    es.crossoverRate = s.crossoverRate;
    es.mutationRate = s.mutationRate;
}
