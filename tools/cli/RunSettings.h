#pragma once
// The run settings as the command line gives them, and how they are put
// into (and read back from) the evolution state, as the control panel does.

#include <optional>
#include <string>

enum class AttackSim { Off, Dist, DistGrav };

// Each setting is present only when it is to be set.
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

// The control panel's defaults, all present.
SettingOverrides defaultSettings();

// Writes every present setting into the evolution state (and the silk limit).
void applySettings(const SettingOverrides& settings);

// The attack model of the evolution state's problem.
AttackSim currentAttack();

// "off", "dist", "dist+grav" (the option's words) and back.
std::string attackWord(AttackSim attack);
std::optional<AttackSim> parseAttackWord(const std::string& word);

// Every setting of the evolution state, one "name: value" line each.
std::string describeSettings();
