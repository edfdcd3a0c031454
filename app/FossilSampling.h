#pragma once
// Which generations the Fossils Browser shows, and which spider of a
// generation is its best, read from the flat fossil record alone.

#include <cstdint>
#include <vector>

#include "evolution/EvolutionState.h"

// Sampling interval for a record whose last generation is G.
int fossilStepFor(int lastGeneration);

// The generations shown: 0, every multiple of step, and the last one.
std::vector<int> sampledGenerations(int lastGeneration, int step);

// Index of the last recorded generation (the count less one), -1 when the
// record holds no complete generation.
int lastRecordedGeneration(const std::vector<int32_t>& record, int populationSize);

// The spider of generation g with the highest recorded fitness; the first
// one on ties.
int bestRecordedSpider(const std::vector<int32_t>& record, int populationSize, int generation);
