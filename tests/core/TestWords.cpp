#include "TestWords.h"

#include <cstddef>

namespace TestWords {

std::vector<unsigned long> referenceState(uint32_t seed) {
    std::vector<unsigned long> state(MTRand::N);
    uint32_t s = seed;
    state[0] = s;
    for (uint32_t i = 1; i < MTRand::N; ++i) {
        s = 1812433253U * (s ^ (s >> 30)) + i;
        state[i] = s;
    }
    return state;
}

namespace {

uint32_t undoRightShiftXor(uint32_t y, int shift) {
    uint32_t x = y;
    for (int i = 0; i < 32; i += shift)
        x = y ^ (x >> shift);
    return x;
}

uint32_t undoLeftShiftXorMask(uint32_t y, int shift, uint32_t mask) {
    uint32_t x = y;
    for (int i = 0; i < 32; i += shift)
        x = y ^ ((x << shift) & mask);
    return x;
}

} // namespace

uint32_t untemper(uint32_t y) {
    y = undoRightShiftXor(y, 18);
    y = undoLeftShiftXorMask(y, 15, 0xEFC60000U);
    y = undoLeftShiftXorMask(y, 7, 0x9D2C5680U);
    return undoRightShiftXor(y, 11);
}

void loadOutputs(MTRand& g, const std::vector<uint32_t>& words) {
    // The words sit at the end of the state vector, wordsLeft covers them.
    std::vector<unsigned long> saved(MTRand::SAVE, 0);
    const std::size_t start = MTRand::N - words.size();
    for (std::size_t i = 0; i < words.size(); ++i)
        saved[start + i] = untemper(words[i]);
    saved[MTRand::N] = words.size();
    g.load(saved.data());
}

} // namespace TestWords
