#include "app/PanelSettings.h"

const int POPULATION_CHOICES[NUM_POPULATION_CHOICES] = {6, 15, 24, 40, 60};

int populationChoiceIndex(int size)
{
    for (int i = 0; i < NUM_POPULATION_CHOICES; ++i) {
        if (POPULATION_CHOICES[i] == size)
            return i;
    }
    return -1;
}

void settingsFromPanel(const PanelValues& v, RunSettings& s)
{
    s.numPrey = v.numPrey;
    s.preySize = v.preySize;
    s.preyValue = v.preyValue;
    if (v.attackSim >= 0 && v.attackSim <= static_cast<int>(AttackSim::DistGrav))
        setAttack(s, static_cast<AttackSim>(v.attackSim));
    s.silkCostFactor = v.silkCost;
    s.silkLimit = silkLimitFromSteps(v.silkLimit);
    s.timePenaltyFactor = v.timePenalty;
    s.crossoverRate = rateFromPercent(v.crossover);
    s.mutationRate = rateFromTenths(v.mutation);
}

PanelValues panelFromSettings(const RunSettings& s)
{
    PanelValues v;
    v.numPrey = s.numPrey;
    v.preySize = static_cast<int>(s.preySize);
    v.preyValue = static_cast<int>(s.preyValue);
    v.attackSim = static_cast<int>(attackOf(s));
    v.silkCost = static_cast<int>(s.silkCostFactor);
    v.silkLimit = silkLimitSteps(s.silkLimit);
    v.timePenalty = static_cast<int>(s.timePenaltyFactor);
    v.crossover = percentOf(s.crossoverRate);
    v.mutation = tenthsOf(s.mutationRate);
    return v;
}
