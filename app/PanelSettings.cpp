#include "app/PanelSettings.h"

#include <algorithm>

#include "evolution/EvolutionState.h"

const int POPULATION_CHOICES[NUM_POPULATION_CHOICES] = {6, 15, 24, 40, 60};

int populationChoiceIndex(int size) {
    for (int i = 0; i < NUM_POPULATION_CHOICES; ++i) {
        if (POPULATION_CHOICES[i] == size)
            return i;
    }
    return -1;
}

std::vector<int> populationChoicesFor(int runSize) {
    std::vector<int> sizes(POPULATION_CHOICES, POPULATION_CHOICES + NUM_POPULATION_CHOICES);
    if (runSize > 0 && populationChoiceIndex(runSize) < 0)
        sizes.insert(std::lower_bound(sizes.begin(), sizes.end(), runSize), runSize);
    return sizes;
}

void settingsFromPanel(const PanelValues& v, RunSettings& s) {
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

// A file may hold any finite setting (the command-line tool breeds with
// them); the panel shows whole numbers, so a value beyond what an int holds
// is shown as the nearest one it does.
PanelValues panelFromSettings(const RunSettings& s) {
    PanelValues v;
    v.numPrey = s.numPrey;
    v.preySize = truncToInt32(s.preySize);
    v.preyValue = truncToInt32(s.preyValue);
    v.attackSim = static_cast<int>(attackOf(s));
    v.silkCost = truncToInt32(s.silkCostFactor);
    v.silkLimit = silkLimitSteps(s.silkLimit);
    v.timePenalty = truncToInt32(s.timePenaltyFactor);
    v.crossover = percentOf(s.crossoverRate);
    v.mutation = tenthsOf(s.mutationRate);
    return v;
}
