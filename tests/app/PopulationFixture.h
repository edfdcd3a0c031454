#pragma once
// A small evaluated population in the process-wide evolution state, made
// without any window, for the tests of the program's models.

#include "evolution/EvolutionState.h"
#include "evolution/RunControl.h"

// A new population of `size` spiders (File / New), relabelled with the
// given origin, then `steps` generations bred and evaluated.
inline void makeEvaluatedPopulation(int size, const char* origin, int steps = 0) {
    newPopulation(size);
    for (int i = 0; i < size; ++i)
        evolutionState.spiders[i].origin = origin;
    for (int k = 0; k < steps; ++k) {
        evolutionState.stepGeneration();
        evolutionState.evaluatePopulation(true);
    }
}
