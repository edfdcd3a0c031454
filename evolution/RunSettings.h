#pragma once
// The settings of a run, in one record: what the control panel sets, a
// population file keeps and the command-line tool takes as options.

#include <cstdint>

struct RunSettings {
    int numPrey = 0;
    double preySize = 0.0;
    double preyValue = 0.0;
    bool useAttackDistance = false;
    bool useGravity = false;
    double silkCostFactor = 0.0;
    int32_t silkLimit = -1; // web units, -1 = no limit
    double timePenaltyFactor = 0.0;
    double crossoverRate = 0.0;
    double mutationRate = 0.0;
};

// The settings in force: those of the evolution state, its problem's attack
// switches and the silk limit.
RunSettings currentRunSettings();

// Puts the settings in force.
void applyRunSettings(const RunSettings& settings);
