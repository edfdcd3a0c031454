#pragma once
// The meaning of the control panel's values: how the integers read from its
// spinners and lists become run settings, and how loaded settings are written
// back into them. No window is needed.

#include <cstdint>
#include <vector>

#include "evolution/RunSettings.h"

// The population sizes offered by the "Population Size" list, by index.
constexpr int NUM_POPULATION_CHOICES = 5;
extern const int POPULATION_CHOICES[NUM_POPULATION_CHOICES];

// Index of `size` in the population list, or -1 when it is not offered.
int populationChoiceIndex(int size);

// The sizes the "Population Size" list offers while a run of `runSize`
// spiders is shown: the usual ones, and the run's own size in its place
// among them when it is not one of them (a run opened from a file).
std::vector<int> populationChoicesFor(int runSize);

// The integer values the panel shows for the run settings; the panel starts
// with panelFromSettings(RunSettings{}).
struct PanelValues {
    int numPrey = 0;
    int preySize = 0;
    int preyValue = 0;
    int attackSim = 0; // "Attack sim" list index: an AttackSim value
    int silkCost = 0;
    int silkLimit = 0; // steps of SILK_LIMIT_STEP web units, 0 = no limit
    int timePenalty = 0;
    int crossover = 0; // percent
    int mutation = 0;  // tenths of a percent
};

// Overwrites the settings from the panel values (an unknown "Attack sim"
// index leaves both attack switches as they are).
void settingsFromPanel(const PanelValues& values, RunSettings& settings);

// The panel values that show the given settings (after opening a file).
PanelValues panelFromSettings(const RunSettings& settings);
