#ifndef OVLIB_CORE_LRANDOM_H
#define OVLIB_CORE_LRANDOM_H

#include "core/CoreApi.h"
#include "core/MTRand.h"

// The process-wide random source: static functions over one Mersenne
// Twister that is seeded automatically when the library is loaded. Each
// drawing function also comes with a first argument naming the generator to
// draw from, so that a caller holding its own stream (a run) gets the same
// values from it that the shared one would give.
class OVLIB_CORE_API LRandom {
  public:
    static MTRand random;

    // Uniform real in [a, b], both ends included (b < a gives [b, a]).
    static double getUniformRand(double a, double b);
    // Uniform integer in [a, b], both ends included.
    static int getUniformRandInt(int a, int b);
    // Normal value by inversion of one uniform draw.
    static double getNormalRand(double mean, double sd);
    // Standard normal value by the Box-Muller sine branch (two draws).
    static double getNormalRand();
    // Pareto value scale / u^(1 / shape).
    static double getParetoRand(double shape, double scale);

    // The same, from the given generator.
    static double getUniformRand(MTRand& g, double a, double b);
    static int getUniformRandInt(MTRand& g, int a, int b);

    // Inverse of the standard normal distribution function (AS 241, PPND7).
    // p = 0 and p = 1 give finite values of about -38.5 and +38.5.
    static double normalInverse(double p);

  private:
    // The word draw of a generator, inlined into every function.
    static MTRand::uint32 drawWord(MTRand& g) {
        if (g.wordsLeft == 0)
            g.reload();
        --g.wordsLeft;
        return RandomWord::temper(*g.nextWord++);
    }
    static MTRand::uint32 drawWord() { return drawWord(random); }
};

#endif
