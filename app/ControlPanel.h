#pragma once
// The Simulator's control panel: its widgets, their reading every frame and
// the settings written back into it after a file is opened.

#include "evolution/RunSettings.h"

// Positions of the widgets in controlPanelIds, in creation order.
enum ControlWidget : int {
    CP_NEW = 0,
    CP_POPULATION = 1,
    CP_RUN_STOP = 2,
    CP_RUN_ONE_STEP = 3,
    CP_FEED = 4,
    CP_BACKWARD = 5,
    CP_FORWARD = 6,
    CP_NUM_PREY = 7,
    CP_PREY_SIZE = 8,
    CP_PREY_VALUE = 9,
    CP_ATTACK_SIM = 10,
    CP_SILK_COST = 11,
    CP_SILK_LIMIT = 12,
    CP_TIME_PENALTY = 13,
    CP_CROSSOVER = 14,
    CP_MUTATION = 15,
    CP_RULES = 16,
    CP_FOSSILS = 17,
    CP_NUM_WIDGETS = 18
};

void buildControlPanel();
// Reads every widget and acts on it: the buttons (one handling late), the
// population size, and the run settings.
void handleControlPanel();
// Shows loaded settings and population size in the panel.
void writeSettingsToPanel(const RunSettings& settings, int populationSize);
