#include "evolution/RunOptions.h"

#include <cstdio>

#include "evolution/EvolutionState.h"

namespace {

constexpr double MAX_RECORDED_FITNESS = 2147483647.0;

std::string number(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", v);
    return buf;
}

template <class T> void checkRange(const char* setting, const std::optional<T>& value, T lo, T hi) {
    if (value && !(*value >= lo && *value <= hi))
        throw RunOptionError(setting, std::string(setting) + " must be between " + number(lo) +
                                          " and " + number(hi) + ", got " + number(*value));
}

} // namespace

void validate(const RunOptions& o) {
    checkRange("population", o.population, 1, MAX_POPULATION);
    checkRange("generations", std::optional<int>(o.generations), 0, GENERATION_LIMIT);
    checkRange("threads", std::optional<int>(o.threads), 0, MAX_THREADS);
    checkRange("prey", o.prey, 0, MAX_OPTION_PREY);
    checkRange("prey_size", o.preySize, 0.0, MAX_OPTION_PREY_SIZE);
    checkRange("prey_value", o.preyValue, 0.0, MAX_OPTION_FACTOR);
    checkRange("silk_cost", o.silkCost, 0.0, MAX_OPTION_FACTOR);
    checkRange("silk_limit", o.silkLimit, -1, MAX_OPTION_SILK_LIMIT);
    checkRange("time_penalty", o.timePenalty, 0.0, MAX_OPTION_FACTOR);
    checkRange("crossover", o.crossover, 0, 100);
    checkRange("mutation", o.mutation, 0, 1000);
}

RunSettings overridden(RunSettings s, const RunOptions& o) {
    s.numPrey = o.prey.value_or(s.numPrey);
    s.preySize = o.preySize.value_or(s.preySize);
    s.preyValue = o.preyValue.value_or(s.preyValue);
    if (o.attack)
        setAttack(s, *o.attack);
    s.silkCostFactor = o.silkCost.value_or(s.silkCostFactor);
    s.silkLimit = o.silkLimit.value_or(s.silkLimit);
    s.timePenaltyFactor = o.timePenalty.value_or(s.timePenaltyFactor);
    if (o.crossover)
        s.crossoverRate = rateFromPercent(*o.crossover);
    if (o.mutation)
        s.mutationRate = rateFromTenths(*o.mutation);
    return s;
}

void checkFitnessFitsTheRecord(const RunSettings& s) {
    if (s.numPrey * s.preyValue > MAX_RECORDED_FITNESS)
        throw RunOptionError("prey_value",
                             "prey x prey_value must not exceed 2147483647 (the record "
                             "keeps fitness as a 32-bit integer)");
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
