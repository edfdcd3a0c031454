#pragma once
// Hand-made fossil records for the tests: every field zero until set.

#include <cstdint>
#include <vector>

#include "evolution/FossilView.h"

struct FossilBuilder {
    int n;
    int generations;
    std::vector<int32_t> record;

    FossilBuilder(int populationSize, int g)
        : n(populationSize), generations(g),
          record(fossilEntryIndex(static_cast<size_t>(g), populationSize, 0), 0) {}

    int32_t& at(int g, int i, int k) {
        return record[fossilEntryIndex(static_cast<size_t>(g), n, i) + static_cast<size_t>(k)];
    }
    // One spider's fitness, origin code and parents.
    void spider(int g, int i, int fitness, int origin, int parentA, int parentB) {
        at(g, i, FOSSIL_FITNESS) = fitness;
        at(g, i, FOSSIL_ORIGIN) = origin;
        at(g, i, FOSSIL_PARENT_A) = parentA;
        at(g, i, FOSSIL_PARENT_B) = parentB;
    }
};
