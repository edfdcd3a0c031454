#pragma once
// Helpers of the EA library tests: replaying the shared generator's draws on
// a second generator, forcing exact words out of it, and building integer
// problems from a list of gene ranges.

#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "core/LRandom.h"
#include "core/MTRand.h"
#include "ea/EAPInteger.h"

// Death test of a statement that ends the process with the given status after
// printing a message on standard output: the dying child's standard output is
// sent to its standard error, where the death test looks for the message.
#define EXPECT_EXIT_PRINTING(statement, status, message)                                           \
    EXPECT_EXIT(                                                                                   \
        {                                                                                          \
            ::dup2(STDERR_FILENO, STDOUT_FILENO);                                                  \
            statement;                                                                             \
        },                                                                                         \
        ::testing::ExitedWithCode(status), message)

namespace eatest {

// Tempered words whose conversions to [0, 1] are exactly 0.0 and 1.0.
constexpr uint32_t kWordZero = 0x00000000u;
constexpr uint32_t kWordOne = 0xFFFFFFFFu;
constexpr uint32_t kWordHalf = 0x80000000u; // just above 0.5

// Inverse of the MT19937 output tempering.
inline uint32_t untemper(uint32_t y) {
    y ^= y >> 18;
    y ^= (y << 15) & 0xEFC60000u;
    // Undo y ^= (y << 7) & mask, seven bits at a time.
    uint32_t x = y;
    for (int i = 0; i < 4; ++i)
        x = y ^ ((x << 7) & 0x9D2C5680u);
    y = x;
    // Undo y ^= y >> 11.
    x = y;
    for (int i = 0; i < 2; ++i)
        x = y ^ (x >> 11);
    return x;
}

// Makes the shared generator hand out exactly these tempered words next
// (at most 624; zeros follow).
inline void forceNextWords(const std::vector<uint32_t>& words) {
    std::vector<unsigned long> saved(MTRand::SAVE, 0);
    for (size_t i = 0; i < words.size() && i < MTRand::N; ++i)
        saved[i] = untemper(words[i]);
    saved[MTRand::N] = MTRand::N; // wordsLeft: the next draw is state word 0
    LRandom::random.load(saved.data());
}

// Seeds the shared generator and a private replay generator alike, so that a
// test can predict every draw an operator makes.
class ReplayTest : public ::testing::Test {
  protected:
    static constexpr unsigned long kSeed = 20260417UL;
    MTRand replay{kSeed};

    void SetUp() override { LRandom::random.seed(kSeed); }

    // The next [0, 1] draw, as the shared generator will produce it.
    double nextUnit() { return replay.rand(); }
    // The next normal deviate N(0, sd) drawn by inversion.
    double nextNormal(double sd) { return LRandom::normalInverse(replay.rand()) * sd + 0.0; }
    // Whether the shared generator is now at the replay generator's position.
    bool inStep() { return LRandom::random.randInt() == replay.randInt(); }
};

// Bit length of a gene range by the logarithm formula, independent of the
// library's digit count.
inline int bitsByFormula(int lo, int hi) {
    const int upper = lo == hi ? lo + 1 : hi;
    const double r = upper - lo;
    return 1 - static_cast<int>(std::log10(r) / -0.3010299956639812);
}

// An integer problem with one gene per (lo, hi) pair and its bit offsets.
inline EAPInteger makeProblem(const std::vector<std::pair<int, int>>& ranges) {
    EAPInteger p;
    p.numGenes = static_cast<int>(ranges.size());
    p.geneBitOffsets.push_back(0);
    for (const auto& r : ranges) {
        p.geneMin.push_back(r.first);
        p.geneMax.push_back(r.second);
        p.geneBitOffsets.push_back(p.geneBitOffsets.back() + bitsByFormula(r.first, r.second));
    }
    return p;
}

// The used bits of a genome as a vector.
inline std::vector<int> bitsOf(const EAIndInteger& ind) {
    return std::vector<int>(ind.bits, ind.bits + ind.numBits);
}

} // namespace eatest
