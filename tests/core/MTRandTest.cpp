#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "TestWords.h"
#include "core/MTRand.h"

namespace {

// Gives the tests access to the protected hash.
class HashProbe : public MTRand {
  public:
    HashProbe() : MTRand(1UL) {}
    static uint32 callHash(int64_t t, long c) { return hash(t, c); }
};

std::vector<uint32_t> draw(MTRand& g, int count) {
    std::vector<uint32_t> words;
    for (int i = 0; i < count; ++i)
        words.push_back(g.randInt());
    return words;
}

// The Knuth state of one-value seeding, built here from its definition.
std::vector<unsigned long> knuthState(uint32_t x) {
    std::vector<unsigned long> state(MTRand::N);
    for (int i = 0; i < MTRand::N; ++i) {
        const uint32_t next = x * 69069U + 1U;
        state[i] = (x & 0xFFFF0000U) | (uint32_t(x * 69069U) >> 16);
        x = next * 69069U + 1U;
    }
    return state;
}

} // namespace

// --- The generator itself -------------------------------------------------

TEST(MTRandReference, ArraySeedGivesPublishedSequence) {
    std::vector<unsigned long> state = TestWords::referenceState(5489);
    MTRand g(state.data());
    EXPECT_EQ(g.randInt(), 3499211612UL);
    for (int i = 2; i < 10000; ++i)
        g.randInt();
    EXPECT_EQ(g.randInt(), 4123659995UL);
}

TEST(MTRandReference, ReseedingWithArrayRestartsSequence) {
    std::vector<unsigned long> state = TestWords::referenceState(5489);
    MTRand g(7UL);
    g.randInt();
    g.seed(state.data());
    EXPECT_EQ(g.randInt(), 3499211612UL);
    EXPECT_EQ(g.randInt(), 581869302UL); // second published output
}

TEST(MTRandReference, ArraySeedKeepsOnlyLow32Bits) {
    std::vector<unsigned long> state = TestWords::referenceState(5489);
    std::vector<unsigned long> widened = state;
    for (auto& w : widened)
        w |= 0xABCD000000000000UL;
    MTRand a(state.data());
    MTRand b(widened.data());
    EXPECT_EQ(draw(a, 1000), draw(b, 1000));
}

// --- One-value seeding ----------------------------------------------------

TEST(MTRandSeed, SameSeedGivesSameSequence) {
    MTRand a(4357UL);
    MTRand b(4357UL);
    EXPECT_EQ(draw(a, 2000), draw(b, 2000));
    EXPECT_EQ(a.rand(), b.rand());
    EXPECT_EQ(a.randExc(), b.randExc());
    EXPECT_EQ(a.randDblExc(), b.randDblExc());
    EXPECT_EQ(a.randInt(1000UL), b.randInt(1000UL));
}

TEST(MTRandSeed, DifferentSeedsDiffer) {
    MTRand a(1UL);
    MTRand b(2UL);
    const std::vector<uint32_t> wa = draw(a, 100);
    const std::vector<uint32_t> wb = draw(b, 100);
    int equal = 0;
    for (int i = 0; i < 100; ++i)
        equal += wa[i] == wb[i];
    EXPECT_LT(equal, 3);
}

TEST(MTRandSeed, SeedFillsStateFromKnuthSequence) {
    for (uint32_t seedValue : {0U, 1U, 4357U, 0xFFFFFFFFU}) {
        std::vector<unsigned long> state = knuthState(seedValue);
        MTRand expected(state.data());
        MTRand g(7UL);
        g.seed(seedValue);
        EXPECT_EQ(draw(g, 700), draw(expected, 700)) << "seed " << seedValue;
    }
}

TEST(MTRandSeed, ConstructorAndSeedAgree) {
    MTRand a(123456789UL);
    MTRand b(1UL);
    b.seed(123456789UL);
    EXPECT_EQ(draw(a, 50), draw(b, 50));
}

TEST(MTRandSeed, SeedUsesLow32Bits) {
    MTRand a(0x100000005UL);
    MTRand b(5UL);
    EXPECT_EQ(draw(a, 50), draw(b, 50));
}

TEST(MTRandSeed, AutomaticSeedingDiffersBetweenGenerators) {
    MTRand a;
    MTRand b;
    EXPECT_NE(draw(a, 8), draw(b, 8));
}

TEST(MTRandSeed, HashFoldsBytesAndCountsCalls) {
    const uint32_t differ = HashProbe::callHash(0, 0); // both folds are 0
    EXPECT_EQ(HashProbe::callHash(0, 0), differ + 1);

    // t bytes 08 07 06 05 04 03 02 01 (least significant first), c bytes 04 03 02 01
    const int64_t t = 0x0102030405060708LL;
    const long c = 0x01020304L;
    uint32_t h1 = 0;
    for (uint32_t b : {8U, 7U, 6U, 5U, 4U, 3U, 2U, 1U})
        h1 = h1 * 257U + b;
    uint32_t h2 = 0;
    for (uint32_t b : {4U, 3U, 2U, 1U})
        h2 = h2 * 257U + b;
    EXPECT_EQ(HashProbe::callHash(t, c), (h1 + differ + 2) ^ h2);
}

TEST(MTRandSeed, HashUsesFourBytesOfClock) {
    const uint32_t differ = HashProbe::callHash(0, 0);
    uint32_t h1 = 0;
    for (uint32_t b : {99U, 0U, 0U, 0U, 0U, 0U, 0U, 0U})
        h1 = h1 * 257U + b;
    uint32_t h2 = 0;
    for (int i = 0; i < 4; ++i)
        h2 = h2 * 257U + 0xFFU;
    // -1 as a 32-bit value: four bytes of 0xFF, like 0xFFFFFFFF
    EXPECT_EQ(HashProbe::callHash(99, -1L), (h1 + differ + 1) ^ h2);
    EXPECT_EQ(HashProbe::callHash(99, 0xFFFFFFFFL), (h1 + differ + 2) ^ h2);
}

// --- Saving and loading ---------------------------------------------------

namespace {

void expectContinues(MTRand& original) {
    std::vector<unsigned long> saved(MTRand::SAVE);
    original.save(saved.data());
    MTRand copy(99UL);
    copy.load(saved.data());
    EXPECT_EQ(draw(copy, 1500), draw(original, 1500));
}

} // namespace

TEST(MTRandSaveLoad, ContinuesMidState) {
    MTRand g(31UL);
    draw(g, 100);
    expectContinues(g);
}

TEST(MTRandSaveLoad, ContinuesWithNoWordsLeft) {
    MTRand g(31UL);
    draw(g, MTRand::N);
    std::vector<unsigned long> saved(MTRand::SAVE);
    g.save(saved.data());
    EXPECT_EQ(saved[MTRand::N], 0UL);
    expectContinues(g);
}

TEST(MTRandSaveLoad, ContinuesWithFullState) {
    MTRand g(31UL);
    std::vector<unsigned long> saved(MTRand::SAVE);
    g.save(saved.data());
    EXPECT_EQ(saved[MTRand::N], 624UL);
    expectContinues(g);
}

TEST(MTRandSaveLoad, SavedWordsAre32Bit) {
    MTRand g;
    std::vector<unsigned long> saved(MTRand::SAVE);
    g.save(saved.data());
    for (int i = 0; i < MTRand::N; ++i)
        EXPECT_LE(saved[i], 0xFFFFFFFFUL);
}

TEST(MTRandSaveLoad, DamagedWordCountRegeneratesInsteadOfOverrunning) {
    MTRand g(31UL);
    std::vector<unsigned long> saved(MTRand::SAVE);
    g.save(saved.data());
    saved[MTRand::N] = 0;
    MTRand reference(1UL);
    reference.load(saved.data());
    for (unsigned long damaged : {625UL, 100000UL, 0xFFFFFFFFFFFFFFFFUL}) {
        saved[MTRand::N] = damaged;
        MTRand h(1UL);
        h.load(saved.data());
        MTRand r = reference;
        EXPECT_EQ(draw(h, 700), draw(r, 700)) << damaged;
    }
}

// --- Copies ---------------------------------------------------------------

TEST(MTRandCopy, CopyContinuesIndependently) {
    MTRand g(8UL);
    draw(g, 10);
    MTRand copy(g);
    const std::vector<uint32_t> fromCopy = draw(copy, 1000);
    EXPECT_EQ(draw(g, 1000), fromCopy); // original was not advanced by the copy

    MTRand assigned(1UL);
    assigned = g;
    EXPECT_EQ(draw(assigned, 700), draw(g, 700));
}

// --- Conversions at their ends ---------------------------------------------

TEST(MTRandConversions, MultipliersAreTheDocumentedDoubles) {
    EXPECT_EQ(RandomWord::CLOSED_SCALE, 2.3283064370807974e-10);
    EXPECT_EQ(RandomWord::HALF_OPEN_SCALE, 2.3283064365386963e-10);
    EXPECT_EQ(RandomWord::OPEN_SCALE, 2.3283064359965952e-10);
}

TEST(MTRandConversions, ClosedUnitIncludesBothEnds) {
    MTRand g(1UL);
    TestWords::loadOutputs(g, {0U, 0xFFFFFFFFU, 0U, 0xFFFFFFFFU, 0x80000000U});
    EXPECT_EQ(g.rand(), 0.0);
    EXPECT_EQ(g.rand(), 1.0);
    EXPECT_EQ(g(), 0.0);
    EXPECT_EQ(g.rand(2.5), 2.5);
    EXPECT_NEAR(g.rand(), 0.5, 1e-9);
}

TEST(MTRandConversions, HalfOpenUnitExcludesOne) {
    MTRand g(1UL);
    TestWords::loadOutputs(g, {0U, 0xFFFFFFFFU, 0xFFFFFFFFU});
    EXPECT_EQ(g.randExc(), 0.0);
    const double top = g.randExc();
    EXPECT_LT(top, 1.0);
    EXPECT_EQ(top, 4294967295.0 / 4294967296.0);
    EXPECT_LT(g.randExc(10.0), 10.0);
}

TEST(MTRandConversions, OpenUnitExcludesBothEnds) {
    MTRand g(1UL);
    TestWords::loadOutputs(g, {0U, 0xFFFFFFFFU, 0U, 0xFFFFFFFFU});
    const double low = g.randDblExc();
    const double high = g.randDblExc();
    EXPECT_GT(low, 0.0);
    EXPECT_LT(high, 1.0);
    EXPECT_DOUBLE_EQ(low, 1.0 / 4294967297.0);
    EXPECT_GT(g.randDblExc(3.0), 0.0);
    EXPECT_LT(g.randDblExc(3.0), 3.0);
}

TEST(MTRandConversions, PlantedWordsComeOutTempered) {
    MTRand g(1UL);
    const std::vector<uint32_t> words = {1U, 2U, 0xDEADBEEFU, 0x12345678U};
    TestWords::loadOutputs(g, words);
    EXPECT_EQ(draw(g, 4), words);
}

// --- Bounded integers -------------------------------------------------------

TEST(MTRandBounded, BoundZeroDrawsOneWordAndGivesZero) {
    MTRand g(1UL);
    TestWords::loadOutputs(g, {0xFFFFFFFFU, 42U});
    EXPECT_EQ(g.randInt(0UL), 0U);
    EXPECT_EQ(g.randInt(), 42U);
}

TEST(MTRandBounded, FullBoundGivesRawWord) {
    MTRand g(1UL);
    TestWords::loadOutputs(g, {0xFFFFFFFFU, 0x89ABCDEFU});
    EXPECT_EQ(g.randInt(0xFFFFFFFFUL), 0xFFFFFFFFU);
    EXPECT_EQ(g.randInt(0xFFFFFFFFUL), 0x89ABCDEFU);
}

TEST(MTRandBounded, BoundBeyond32BitsCoversEveryWord) {
    MTRand g(1UL);
    TestWords::loadOutputs(g, {0xFFFFFFFFU});
    EXPECT_EQ(g.randInt(1UL << 40), 0xFFFFFFFFU);
}

TEST(MTRandBounded, BoundFiveMasksWithSevenAndRedrawsSixAndSeven) {
    MTRand g(1UL);
    // 0x0E & 7 = 6 and 0xFF & 7 = 7 are redrawn; 0x15 & 7 = 5 is kept
    TestWords::loadOutputs(g, {6U, 7U, 0x0EU, 0xFFU, 0x15U, 77U});
    EXPECT_EQ(g.randInt(5UL), 5U);
    EXPECT_EQ(g.randInt(), 77U);
}

TEST(MTRandBounded, MaskedValueBelowBoundIsKept) {
    MTRand g(1UL);
    TestWords::loadOutputs(g, {0xFFFFFF08U}); // & 15 = 8
    EXPECT_EQ(g.randInt(9UL), 8U);
}

TEST(MTRandBounded, EveryValueOfSmallRangeAppears) {
    MTRand g(2024UL);
    std::vector<int> seen(4, 0);
    for (int i = 0; i < 2000; ++i) {
        const uint32_t v = g.randInt(3UL);
        ASSERT_LE(v, 3U);
        ++seen[v];
    }
    for (int count : seen)
        EXPECT_GT(count, 400);
}

TEST(MTRandBounded, CoveringMask) {
    EXPECT_EQ(RandomWord::coveringMask(0), 0U);
    EXPECT_EQ(RandomWord::coveringMask(1), 1U);
    EXPECT_EQ(RandomWord::coveringMask(5), 7U);
    EXPECT_EQ(RandomWord::coveringMask(8), 15U);
    EXPECT_EQ(RandomWord::coveringMask(0x80000000U), 0xFFFFFFFFU);
}
