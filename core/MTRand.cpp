#include "core/MTRand.h"

#include <cstdio>
#include <ctime>

namespace {

const MTRand::uint32 kWordMask = 0xFFFFFFFFUL;
const MTRand::uint32 kKnuthMultiplier = 69069UL;
// Two steps of x <- x * 69069 + 1 folded into one
const MTRand::uint32 kKnuthDoubleMultiplier = 475559465UL;
const MTRand::uint32 kKnuthDoubleIncrement = 69070UL;
const char* const kEntropyFile = "/dev/urandom";

} // namespace

MTRand::MTRand(const unsigned long& oneSeed) {
    seed(oneSeed);
}

MTRand::MTRand(unsigned long* const bigSeed) {
    seed(bigSeed);
}

MTRand::MTRand() {
    seed();
}

// The default copy would leave nextWord pointing into the other object's
// state; a copy continues from the same position in its own state.
MTRand::MTRand(const MTRand& other) {
    *this = other;
}

MTRand& MTRand::operator=(const MTRand& other) {
    if (this == &other)
        return *this;
    for (int i = 0; i < N; ++i)
        stateWords[i] = other.stateWords[i];
    wordsLeft = other.wordsLeft;
    nextWord = stateWords + (other.nextWord - other.stateWords);
    return *this;
}

MTRand::uint32 MTRand::randInt(const unsigned long& n) {
    // Bounds beyond 32 bits cover every word anyway.
    const uint32 bound = n > kWordMask ? kWordMask : uint32(n);
    const uint32 used = RandomWord::coveringMask(bound);
    uint32 i;
    do {
        i = randInt() & used;
    } while (i > bound);
    return i;
}

void MTRand::seed(unsigned long oneSeed) {
    // Knuth's linear-congruential sequence fills the state.
    uint32 x = uint32(oneSeed & kWordMask);
    for (int i = 0; i < N; ++i) {
        stateWords[i] = (x & 0xFFFF0000UL) | ((x * kKnuthMultiplier) >> 16);
        x = x * kKnuthDoubleMultiplier + kKnuthDoubleIncrement;
    }
    reload();
}

void MTRand::seed(unsigned long* const bigSeed) {
    for (int i = 0; i < N; ++i)
        stateWords[i] = uint32(bigSeed[i] & kWordMask);
    reload();
}

void MTRand::seed() {
    // Entropy from the system when it has some, otherwise time and clock.
    if (FILE* urandom = std::fopen(kEntropyFile, "rb")) {
        int i = 0;
        while (i < N && std::fread(&stateWords[i], sizeof(uint32), 1, urandom) == 1)
            ++i;
        std::fclose(urandom);
        if (i == N) {
            reload();
            return;
        }
    }
    seed(hash(int64_t(std::time(nullptr)), long(int32_t(std::clock()))));
}

void MTRand::save(unsigned long* saveArray) const {
    for (int i = 0; i < N; ++i)
        saveArray[i] = stateWords[i];
    saveArray[N] = (unsigned long)wordsLeft;
}

void MTRand::load(unsigned long* const loadArray) {
    for (int i = 0; i < N; ++i)
        stateWords[i] = uint32(loadArray[i] & kWordMask);
    // A count outside 0..N would point nextWord outside the state; such an
    // array can only be damaged, and the state is regenerated at the next draw.
    const unsigned long left = loadArray[N];
    wordsLeft = left <= (unsigned long)N ? int32_t(left) : 0;
    nextWord = &stateWords[N - wordsLeft];
}

void MTRand::reload() {
    // Standard MT19937 step, in place, in three stretches
    uint32* p = stateWords;
    int i;
    for (i = N - M; i--; ++p)
        *p = twist(p[M], p[0], p[1]);
    for (i = M; --i; ++p)
        *p = twist(p[M - N], p[0], p[1]);
    *p = twist(p[M - N], p[0], stateWords[0]);

    wordsLeft = N;
    nextWord = stateWords;
}

MTRand::uint32 MTRand::hash(int64_t t, long c) {
    // Fold the bytes of each value, least significant first; the counter
    // keeps two seedings within one second and clock tick apart.
    static uint32 differ = 0;

    const uint64_t tBits = uint64_t(t);
    uint32 h1 = 0;
    for (int i = 0; i < 8; ++i)
        h1 = h1 * 257U + uint32((tBits >> (8 * i)) & 0xFFU);

    const uint32 cBits = uint32(c & 0xFFFFFFFFL);
    uint32 h2 = 0;
    for (int i = 0; i < 4; ++i)
        h2 = h2 * 257U + ((cBits >> (8 * i)) & 0xFFU);

    return (h1 + differ++) ^ h2;
}
