#include "tools/cli/RunSettings.h"

#include <cstdio>

#include "evolution/EvolutionState.h"
#include "web/BuilderState.h"

namespace {

constexpr int DEFAULT_PREY = 100;
constexpr double DEFAULT_PREY_SIZE = 4.0;
constexpr double DEFAULT_PREY_VALUE = 20.0;
constexpr double DEFAULT_SILK_COST = 10.0;
constexpr int NO_SILK_LIMIT = -1;
constexpr double DEFAULT_TIME_PENALTY = 0.0;
constexpr int DEFAULT_CROSSOVER_PERCENT = 80;
constexpr int DEFAULT_MUTATION_TENTHS = 2;
constexpr double PERCENT = 100.0;
constexpr double TENTHS_OF_PERCENT = 1000.0;

std::string line(const char* name, const std::string& value) {
    char buf[160];
    std::snprintf(buf, sizeof buf, "%-20s %s\n", name, value.c_str());
    return buf;
}

std::string number(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", v);
    return buf;
}

} // namespace

SettingOverrides defaultSettings() {
    SettingOverrides s;
    s.numPrey = DEFAULT_PREY;
    s.preySize = DEFAULT_PREY_SIZE;
    s.preyValue = DEFAULT_PREY_VALUE;
    s.attack = AttackSim::Off;
    s.silkCost = DEFAULT_SILK_COST;
    s.silkLimit = NO_SILK_LIMIT;
    s.timePenalty = DEFAULT_TIME_PENALTY;
    s.crossoverPercent = DEFAULT_CROSSOVER_PERCENT;
    s.mutationTenths = DEFAULT_MUTATION_TENTHS;
    return s;
}

void applySettings(const SettingOverrides& s) {
    EvolutionState& es = evolutionState;
    if (s.numPrey)
        es.numPrey = *s.numPrey;
    if (s.preySize)
        es.preySize = *s.preySize;
    if (s.preyValue)
        es.preyValue = *s.preyValue;
    if (s.attack) {
        es.problem.useAttackDistance = *s.attack != AttackSim::Off;
        es.problem.useGravity = *s.attack == AttackSim::DistGrav;
    }
    if (s.silkCost)
        es.silkCostFactor = *s.silkCost;
    if (s.silkLimit)
        silkLimit = *s.silkLimit;
    if (s.timePenalty)
        es.timePenaltyFactor = *s.timePenalty;
    if (s.crossoverPercent)
        es.crossoverRate = *s.crossoverPercent / PERCENT;
    if (s.mutationTenths)
        es.mutationRate = *s.mutationTenths / TENTHS_OF_PERCENT;
}

AttackSim currentAttack() {
    const EAPGossamerix& p = evolutionState.problem;
    if (!p.useAttackDistance)
        return AttackSim::Off;
    return p.useGravity ? AttackSim::DistGrav : AttackSim::Dist;
}

std::string attackWord(AttackSim attack) {
    switch (attack) {
    case AttackSim::Dist:
        return "dist";
    case AttackSim::DistGrav:
        return "dist+grav";
    case AttackSim::Off:
        break;
    }
    return "off";
}

std::optional<AttackSim> parseAttackWord(const std::string& word) {
    for (AttackSim a : {AttackSim::Off, AttackSim::Dist, AttackSim::DistGrav})
        if (attackWord(a) == word)
            return a;
    return std::nullopt;
}

std::string describeSettings() {
    const EvolutionState& es = evolutionState;
    std::string attack = attackWord(currentAttack());
    if (!es.problem.useAttackDistance && es.problem.useGravity)
        attack += " (gravity flag set)";
    std::string out;
    out += line("number of prey:", std::to_string(es.numPrey));
    out += line("prey size:", number(es.preySize));
    out += line("prey value:", number(es.preyValue));
    out += line("attack sim:", attack);
    out += line("silk cost factor:", number(es.silkCostFactor));
    out += line("silk limit:",
                silkLimit < 0 ? "no limit (-1)" : std::to_string(silkLimit) + " web units");
    out += line("time penalty factor:", number(es.timePenaltyFactor));
    out += line("crossover rate:", number(es.crossoverRate * PERCENT) + " %");
    out += line("mutation rate:", number(es.mutationRate * TENTHS_OF_PERCENT) + " (1/10 %)");
    return out;
}
