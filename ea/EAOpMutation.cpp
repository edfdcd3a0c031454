#include "ea/EAOpMutation.h"

#include "core/LRandom.h"
#include "ea/EAOpHelpers.h"

bool EAOpMutation::bitFlip(EAIndInteger& ind, double rate) {
    return bitFlip(ind, rate, LRandom::random);
}

bool EAOpMutation::bitFlip(EAIndInteger& ind, double rate, MTRand& random) {
    bool changed = false;
    const int n = usedLength(ind.numBits, MAX_NUM_GENES);
    for (int j = 0; j < n; ++j) {
        const double u = LRandom::getUniformRand(random, 0.0, 1.0);
        if (rate > u) {
            ind.bits[j] = ind.bits[j] == 0 ? 1 : 0;
            changed = true;
        }
    }
    ind.isEvaluated = false;
    return changed;
}
