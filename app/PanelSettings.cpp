#include "app/PanelSettings.h"

#include "evolution/EvolutionState.h"

const int kPopulationChoices[NUM_POPULATION_CHOICES] = {6, 15, 24, 40, 60};

namespace {
constexpr int SILK_LIMIT_UNIT = 10;       // web units per panel step
constexpr double CROSSOVER_SCALE = 100.0; // percent
constexpr double MUTATION_SCALE = 1000.0; // tenths of a percent
} // namespace

int populationChoiceIndex(int size)
{
    for (int i = 0; i < NUM_POPULATION_CHOICES; ++i) {
        if (kPopulationChoices[i] == size)
            return i;
    }
    return -1;
}

void settingsFromPanel(const PanelValues& v, RunSettings& s)
{
    s.numPrey = v.numPrey;
    s.preySize = v.preySize;
    s.preyValue = v.preyValue;
    switch (v.attackSim) {
    case ATTACK_OFF:
        s.useAttackDistance = false;
        s.useGravity = false;
        break;
    case ATTACK_DIST:
        s.useAttackDistance = true;
        s.useGravity = false;
        break;
    case ATTACK_DIST_GRAV:
        s.useAttackDistance = true;
        s.useGravity = true;
        break;
    default:
        break;
    }
    s.silkCostFactor = v.silkCost;
    s.silkLimit = v.silkLimit == 0 ? -1 : SILK_LIMIT_UNIT * v.silkLimit;
    s.timePenaltyFactor = v.timePenalty;
    s.crossoverRate = v.crossover / CROSSOVER_SCALE;
    s.mutationRate = v.mutation / MUTATION_SCALE;
}

// A file may hold any finite setting (the command-line tool breeds with
// them); the panel shows whole numbers, so a value beyond what an int holds
// is shown as the nearest one it does.
PanelValues panelFromSettings(const RunSettings& s)
{
    PanelValues v;
    v.numPrey = s.numPrey;
    v.preySize = truncToInt32(s.preySize);
    v.preyValue = truncToInt32(s.preyValue);
    if (!s.useAttackDistance)
        v.attackSim = ATTACK_OFF;
    else
        v.attackSim = s.useGravity ? ATTACK_DIST_GRAV : ATTACK_DIST;
    v.silkCost = truncToInt32(s.silkCostFactor);
    v.silkLimit = s.silkLimit < 0 ? 0 : s.silkLimit / SILK_LIMIT_UNIT;
    v.timePenalty = truncToInt32(s.timePenaltyFactor);
    v.crossover = truncToInt32(s.crossoverRate * CROSSOVER_SCALE);
    v.mutation = truncToInt32(s.mutationRate * MUTATION_SCALE);
    return v;
}
