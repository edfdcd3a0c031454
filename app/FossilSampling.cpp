#include "app/FossilSampling.h"

#include <cstddef>

#include "evolution/FossilView.h"

namespace {

struct StepEntry {
    int upTo, step;
};

const StepEntry STEP_TABLE[] = {
    {120, 500}, {230, 10}, {460, 20}, {1150, 50}, {4000, 200},
};
constexpr int STEP_BEYOND_TABLE = 500;

} // namespace

int fossilStepFor(int lastGeneration) {
    for (const StepEntry& entry : STEP_TABLE) {
        if (lastGeneration <= entry.upTo)
            return entry.step;
    }
    return STEP_BEYOND_TABLE;
}

std::vector<int> sampledGenerations(int lastGeneration, int step) {
    std::vector<int> generations;
    if (lastGeneration < 0 || step <= 0)
        return generations;
    generations.reserve(static_cast<size_t>(lastGeneration / step + 2));
    for (int g = 0; g <= lastGeneration; g += step)
        generations.push_back(g);
    if (lastGeneration % step != 0)
        generations.push_back(lastGeneration);
    return generations;
}

int lastRecordedGeneration(const std::vector<int32_t>& record, int populationSize) {
    return FossilView(record, populationSize).generations() - 1;
}

int bestRecordedSpider(const std::vector<int32_t>& record, int populationSize, int generation) {
    return FossilView(record, populationSize).bestOf(generation);
}
