#include "ea/EAOpRecombination.h"

#include "core/LRandom.h"
#include "ea/EAOpHelpers.h"

namespace {

// A fair coin from one draw: trunc(u + 0.5) for u in [0, 1].
int drawCoin(MTRand& random = LRandom::random) {
    return static_cast<int>(LRandom::getUniformRand(random, 0.0, 1.0) + 0.5);
}

// Element-wise uniform crossover of two genome arrays of n used elements.
template <typename T> void uniformMix(const T* first, const T* second, T* child, int n) {
    for (int i = 0; i < n; ++i)
        child[i] = drawCoin() == 1 ? second[i] : first[i];
}

} // namespace

void EAOpRecombination::onePointCrossover(const EAIndInteger& parent1, const EAIndInteger& parent2,
                                          EAIndInteger& child) {
    onePointCrossover(parent1, parent2, child, LRandom::random);
}

void EAOpRecombination::onePointCrossover(const EAIndInteger& parent1, const EAIndInteger& parent2,
                                          EAIndInteger& child, MTRand& random) {
    const int n = parent1.numBits;
    const int cut = static_cast<int>(LRandom::getUniformRand(random, 0.0, n - 1.0) + 0.5);
    int side = drawCoin(random);
    const int used = usedLength(n, MAX_NUM_GENES);
    for (int j = 0; j < used; ++j) {
        if (j == cut)
            side = 1 - side;
        child.bits[j] = side == 0 ? parent1.bits[j] : parent2.bits[j];
    }
    child.isEvaluated = false;
}

void EAOpRecombination::arithmeticCrossover(const EAIndDouble& parent1, const EAIndDouble& parent2,
                                            EAIndDouble& child, double rate) {
    if (!drawActs(rate))
        return;
    const int n = usedLength(parent1.numValues, EAIndDouble::MAX_NUM_VALUES);
    for (int i = 0; i < n; ++i) {
        const double a = LRandom::getUniformRand(0, 1);
        const double x1 = parent1.values[i], x2 = parent2.values[i];
        // Equal parents give their value itself; the weighted sum could be
        // off by a rounding step.
        child.values[i] = x1 == x2 ? x1 : (1 - a) * x2 + x1 * a;
    }
    child.isEvaluated = false;
}

void EAOpRecombination::uniformCrossover(const EAIndDouble& parent1, const EAIndDouble& parent2,
                                         EAIndDouble& child, double rate) {
    if (!drawActs(rate))
        return;
    uniformMix(parent1.values, parent2.values, child.values,
               usedLength(parent1.numValues, EAIndDouble::MAX_NUM_VALUES));
    child.isEvaluated = false;
}

void EAOpRecombination::uniformCrossover(const EAIndInteger& parent1, const EAIndInteger& parent2,
                                         EAIndInteger& child, double rate) {
    if (!drawActs(rate))
        return;
    uniformMix(parent1.bits, parent2.bits, child.bits, usedLength(parent1.numBits, MAX_NUM_GENES));
    child.isEvaluated = false;
}
