#include "evolution/RunCompare.h"

#include <algorithm>

#include "evolution/EvolutionState.h"
#include "evolution/FossilView.h"

namespace {

template <typename T> std::string differs(const char* name, T a, T b) {
    if (a == b)
        return "";
    return std::string(name) + ": " + std::to_string(a) + " vs " + std::to_string(b);
}

std::string settingDifference(const RunSettings& a, const RunSettings& b) {
    const std::string d[] = {
        differs("numPrey", a.numPrey, b.numPrey),
        differs("preySize", a.preySize, b.preySize),
        differs("preyValue", a.preyValue, b.preyValue),
        differs("useGravity", a.useGravity, b.useGravity),
        differs("useAttackDistance", a.useAttackDistance, b.useAttackDistance),
        differs("silkCostFactor", a.silkCostFactor, b.silkCostFactor),
        differs("silkLimit", a.silkLimit, b.silkLimit),
        differs("timePenaltyFactor", a.timePenaltyFactor, b.timePenaltyFactor),
        differs("crossoverRate", a.crossoverRate, b.crossoverRate),
        differs("mutationRate", a.mutationRate, b.mutationRate),
    };
    for (const std::string& s : d)
        if (!s.empty())
            return s;
    return "";
}

} // namespace

RunSnapshot snapshotRun() {
    RunSnapshot s;
    s.populationSize = evolutionState.populationSize;
    s.record = evolutionState.fossilRecord;
    s.settings = currentRunSettings();
    return s;
}

std::string firstDifference(const RunSnapshot& a, const RunSnapshot& b) {
    if (a.populationSize != b.populationSize)
        return differs("population size", a.populationSize, b.populationSize);
    const FossilView fa(a.record, a.populationSize), fb(b.record, b.populationSize);
    const int generations = std::min(fa.generations(), fb.generations());
    for (int g = 0; g < generations; ++g)
        for (int i = 0; i < a.populationSize; ++i)
            for (int k = 0; k < FOSSIL_ENTRY_SIZE; ++k)
                if (fa.field(g, i, k) != fb.field(g, i, k))
                    return "generation " + std::to_string(g) + ", spider " + std::to_string(i + 1) +
                           " (index " + std::to_string(i) + "), field " + std::to_string(k) + " " +
                           fossilFieldName(k) + ": " + std::to_string(fa.field(g, i, k)) + " vs " +
                           std::to_string(fb.field(g, i, k));
    if (fa.generations() != fb.generations())
        return differs("generations", fa.generations(), fb.generations());
    return settingDifference(a.settings, b.settings);
}
