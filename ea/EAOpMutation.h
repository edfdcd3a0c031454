#pragma once
// Mutation operators: bit flips for bit genomes, and three Gaussian mutations
// for real-valued genomes whose steps are measured in units of each
// variable's range [xMin[i], xMax[i]]. The self-organised-criticality form
// scales its step by numbers from a stored power-law sequence.
//
// Every random draw goes through the shared generator (LRandom), or the
// generator a caller passes.

#include "core/MTRand.h"
#include "ea/EAIndDouble.h"
#include "ea/EAIndInteger.h"
#include "ea/EaApi.h"

class OVLIB_EA_API EAOpMutation {
  public:
    static constexpr int NUM_BOUNDS = 100;
    static constexpr int numPLNums = 4995;

    // Bounds of each real variable, shared by all callers (see initBounds).
    static double xMin[NUM_BOUNDS];
    static double xMax[NUM_BOUNDS];

    // The stored power-law sequence: 4995 integers from 0 to 55.
    static const int powerLawNumbers[numPLNums];
    // The largest entry of the sequence, set by initPowerLawNumbers.
    static int maxPLNum;
    // Position of the last power-law number handed out.
    static int plNumIndex;

    // Flips every bit whose draw u in [0, 1] satisfies rate > u (one draw per
    // bit, in bit order). Clears isEvaluated. True when a bit changed.
    static bool bitFlip(EAIndInteger& ind, double rate);
    // The same, drawing from the given generator.
    static bool bitFlip(EAIndInteger& ind, double rate, MTRand& random);

    // Copies 100 lower and 100 upper bounds.
    static void initBounds(const double* lower, const double* upper);

    // With probability rate (one draw), moves every variable by a normal step
    // of standard deviation sigma (in units of its range), clamped to the
    // bounds, and clears isEvaluated.
    static void fixedGaussian(EAIndDouble& ind, double rate, double sigma);
    // As fixedGaussian, with deviates of standard deviation 1 / (t + 1).
    static void annealedGaussian(EAIndDouble& ind, double rate, double sigma, int t);
    // As fixedGaussian, with the step scale drawn from the power-law sequence:
    // sigma for small numbers, up to 100 * sigma for the rare large ones.
    static void SOCGaussian(EAIndDouble& ind, double rate, double sigma);

    // Restarts the power-law sequence and finds its largest entry.
    static void initPowerLawNumbers();
    // The next entry of the sequence divided by its largest entry, in [0, 1];
    // the sequence wraps around after 4995 numbers.
    static double getNextNormPowerLawNumber();
};
