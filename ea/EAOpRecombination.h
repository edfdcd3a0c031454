#pragma once
// Recombination operators: one-point and uniform crossover of bit genomes,
// arithmetic and uniform crossover of real-valued genomes. Parents are read
// only; the child's genome elements are overwritten, its length and fitness
// are left alone, and it is marked unevaluated. The child may be one of the
// parents.
//
// Every random draw goes through the shared generator (LRandom), or the
// generator a caller passes.

#include "core/MTRand.h"
#include "ea/EAIndDouble.h"
#include "ea/EAIndInteger.h"
#include "ea/EaApi.h"

class OVLIB_EA_API EAOpRecombination {
  public:
    // One cut point in 0 ... n - 1 (n = parent1.numBits) and a fair choice of
    // the starting parent: bits before the cut come from the starting parent,
    // bits from the cut on from the other one.
    static void onePointCrossover(const EAIndInteger& parent1, const EAIndInteger& parent2,
                                  EAIndInteger& child);
    // The same, drawing from the given generator.
    static void onePointCrossover(const EAIndInteger& parent1, const EAIndInteger& parent2,
                                  EAIndInteger& child, MTRand& random);

    // With probability rate (one draw): every variable becomes a fresh random
    // mix a * parent1 + (1 - a) * parent2.
    static void arithmeticCrossover(const EAIndDouble& parent1, const EAIndDouble& parent2,
                                    EAIndDouble& child, double rate);
    // With probability rate (one draw): every variable (bit) is taken from
    // parent1 or parent2 with equal chance.
    static void uniformCrossover(const EAIndDouble& parent1, const EAIndDouble& parent2,
                                 EAIndDouble& child, double rate);
    static void uniformCrossover(const EAIndInteger& parent1, const EAIndInteger& parent2,
                                 EAIndInteger& child, double rate);
};
