#pragma once
// The run settings as command-line options: which of them a command gives,
// the words of the --attack option, and the settings in force as text.

#include <optional>
#include <string>

#include "evolution/RunSettings.h"

// Each setting is present only when the command line gives it, in the units
// of its option.
struct SettingOverrides {
    std::optional<int> numPrey;
    std::optional<double> preySize;
    std::optional<double> preyValue;
    std::optional<AttackSim> attack;
    std::optional<double> silkCost;
    std::optional<int> silkLimit; // web units, -1 for no limit
    std::optional<double> timePenalty;
    std::optional<int> crossoverPercent; // 0 ... 100
    std::optional<int> mutationTenths;   // tenths of a percent, 0 ... 1000
};

// `settings` with every present override written over it.
RunSettings overridden(RunSettings settings, const SettingOverrides& overrides);

// "off", "dist", "dist+grav" (the option's words) and back.
std::string attackWord(AttackSim attack);
std::optional<AttackSim> parseAttackWord(const std::string& word);

// Every setting in force, one "name: value" line each.
std::string describeSettings();
