#pragma once
// A small evaluated population in the process-wide evolution state, made
// without any window, for the tests of the program's models.

#include "evolution/EvolutionState.h"

// `size` random spiders with the given origin label, evaluated as
// generation 0, then `steps` generations bred and evaluated.
inline void makeEvaluatedPopulation(int size, const char* origin, int steps = 0)
{
    evolutionState.populationSize = size;
    evolutionState.generation = 0;
    evolutionState.fossilRecord.clear();
    for (int i = 0; i < size; ++i) {
        Spider& s = evolutionState.spiders[i];
        s.clearWeb();
        evolutionState.problem.createRandomGenotype(s.individual);
        s.origin = origin;
        s.parentA = i;
        s.parentB = i;
    }
    evolutionState.decodeRules();
    evolutionState.evaluatePopulation(true);
    for (int k = 0; k < steps; ++k) {
        evolutionState.stepGeneration();
        evolutionState.evaluatePopulation(true);
    }
}
