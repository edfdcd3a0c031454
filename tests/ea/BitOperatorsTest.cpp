// Bit-flip mutation and the crossovers of bit genomes.

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "ea/EAOpMutation.h"
#include "ea/EAOpRecombination.h"
#include "tests/ea/EaTestSupport.h"

namespace {

using eatest::bitsOf;
using eatest::forceNextWords;
using eatest::kWordHalf;
using eatest::kWordOne;
using eatest::kWordZero;

EAIndInteger genome(const std::vector<int>& bits) {
    EAIndInteger ind;
    for (size_t j = 0; j < bits.size(); ++j)
        ind.bits[j] = bits[j];
    ind.numBits = static_cast<int>(bits.size());
    return ind;
}

EAIndInteger uniform(int n, int bit) {
    return genome(std::vector<int>(static_cast<size_t>(n), bit));
}

std::vector<int> complement(std::vector<int> bits) {
    for (int& b : bits)
        b = 1 - b;
    return bits;
}

const std::vector<int> PATTERN{1, 0, 0, 1, 1, 1, 0, 1, 0, 0, 1, 0, 1, 1, 0, 0, 0, 1, 1, 0};

class BitFlipTest : public eatest::ReplayTest {};

TEST_F(BitFlipTest, RateZeroFlipsNothingButClearsTheEvaluation) {
    EAIndInteger ind = genome(PATTERN);
    ind.isEvaluated = true;
    EXPECT_FALSE(EAOpMutation::bitFlip(ind, 0.0));
    EXPECT_EQ(bitsOf(ind), PATTERN);
    EXPECT_FALSE(ind.isEvaluated);
    // One draw per bit was made all the same.
    for (size_t j = 0; j < PATTERN.size(); ++j)
        nextUnit();
    EXPECT_TRUE(inStep());
}

TEST_F(BitFlipTest, RateAboveOneFlipsEveryBit) {
    EAIndInteger ind = genome(PATTERN);
    EXPECT_TRUE(EAOpMutation::bitFlip(ind, 1.5));
    EXPECT_EQ(bitsOf(ind), complement(PATTERN));
}

TEST_F(BitFlipTest, RateOneSparesOnlyADrawOfExactlyOne) {
    EAIndInteger ind = genome({0, 0, 0, 0});
    forceNextWords({kWordZero, kWordOne, kWordHalf, kWordOne});
    EXPECT_TRUE(EAOpMutation::bitFlip(ind, 1.0));
    EXPECT_EQ(bitsOf(ind), (std::vector<int>{1, 0, 1, 0}));
}

TEST_F(BitFlipTest, RateZeroSparesEvenADrawOfExactlyZero) {
    EAIndInteger ind = genome({0, 1});
    forceNextWords({kWordZero, kWordZero});
    EXPECT_FALSE(EAOpMutation::bitFlip(ind, 0.0));
    EXPECT_EQ(bitsOf(ind), (std::vector<int>{0, 1}));
}

TEST_F(BitFlipTest, FlipsExactlyTheBitsWhoseDrawIsBelowTheRate) {
    EAIndInteger ind = genome(PATTERN);
    const double rate = 0.3;
    const bool changed = EAOpMutation::bitFlip(ind, rate);
    std::vector<int> expected = PATTERN;
    bool anyFlip = false;
    for (int& b : expected)
        if (rate > nextUnit()) {
            b = 1 - b;
            anyFlip = true;
        }
    EXPECT_EQ(bitsOf(ind), expected);
    EXPECT_EQ(changed, anyFlip);
    EXPECT_TRUE(inStep());
}

TEST_F(BitFlipTest, EmptyGenomeDrawsNothing) {
    EAIndInteger ind;
    ind.numBits = 0;
    ind.isEvaluated = true;
    EXPECT_FALSE(EAOpMutation::bitFlip(ind, 2.0));
    EXPECT_FALSE(ind.isEvaluated);
    EXPECT_TRUE(inStep());
}

TEST_F(BitFlipTest, OversizedBitCountStaysInsideTheGenome) {
    EAIndInteger ind = uniform(MAX_NUM_GENES, 0);
    ind.numBits = 5000;
    EXPECT_TRUE(EAOpMutation::bitFlip(ind, 2.0));
    EXPECT_EQ(std::vector<int>(ind.bits, ind.bits + MAX_NUM_GENES),
              std::vector<int>(MAX_NUM_GENES, 1));
    EXPECT_EQ(ind.numBits, 5000);
}

class CrossoverTest : public eatest::ReplayTest {};

TEST_F(CrossoverTest, ZerosCrossedWithOnesSwitchParentAtTheCut) {
    const int n = 30;
    const EAIndInteger zeros = uniform(n, 0), ones = uniform(n, 1);
    std::set<int> startsSeen;
    for (int round = 0; round < 200; ++round) {
        EAIndInteger child = uniform(n, 7);
        child.isEvaluated = true;
        EAOpRecombination::onePointCrossover(zeros, ones, child);
        const int cut = static_cast<int>(nextUnit() * (n - 1) + 0.5);
        const int side = static_cast<int>(nextUnit() + 0.5);
        ASSERT_TRUE(cut >= 0 && cut <= n - 1);
        ASSERT_TRUE(side == 0 || side == 1);
        // Side 0 starts with parent1 (zeros): 0...01...1; side 1 the reverse.
        std::vector<int> expected(n, side == 0 ? 1 : 0);
        for (int j = 0; j < cut; ++j)
            expected[j] = side == 0 ? 0 : 1;
        ASSERT_EQ(bitsOf(child), expected) << "round " << round;
        ASSERT_FALSE(child.isEvaluated);
        startsSeen.insert(child.bits[0] * 2 + child.bits[n - 1]);
    }
    // Both orientations (and whole copies at cut 0) occur.
    EXPECT_TRUE(startsSeen.count(0b01) && startsSeen.count(0b10));
    EXPECT_TRUE(inStep());
}

TEST_F(CrossoverTest, CutZeroCopiesTheParentThatSideDoesNotName) {
    const EAIndInteger zeros = uniform(8, 0), ones = uniform(8, 1);
    EAIndInteger child = uniform(8, 5);
    forceNextWords({kWordZero, kWordZero}); // cut 0, side 0
    EAOpRecombination::onePointCrossover(zeros, ones, child);
    EXPECT_EQ(bitsOf(child), std::vector<int>(8, 1));
    forceNextWords({kWordOne, kWordOne}); // cut n - 1, side 1
    EAOpRecombination::onePointCrossover(zeros, ones, child);
    EXPECT_EQ(bitsOf(child), (std::vector<int>{1, 1, 1, 1, 1, 1, 1, 0}));
}

TEST_F(CrossoverTest, CrossingWithItselfCopiesTheBits) {
    const EAIndInteger parent = genome(PATTERN);
    for (int round = 0; round < 20; ++round) {
        EAIndInteger child = uniform(static_cast<int>(PATTERN.size()), 0);
        EAOpRecombination::onePointCrossover(parent, parent, child);
        ASSERT_EQ(bitsOf(child), PATTERN);
    }
}

TEST_F(CrossoverTest, ChildKeepsItsLengthFitnessAndUnusedBits) {
    const EAIndInteger a = uniform(10, 0), b = uniform(10, 1);
    EAIndInteger child = uniform(12, 1);
    child.numBits = 10;
    child.bits[10] = 9;
    child.fitness = 4.0;
    child.info = "kept";
    EAOpRecombination::onePointCrossover(a, b, child);
    EXPECT_EQ(child.numBits, 10);
    EXPECT_EQ(child.bits[10], 9);
    EXPECT_EQ(child.fitness, 4.0);
    EXPECT_EQ(child.info, "kept");
}

TEST_F(CrossoverTest, EmptyParentsStillTakeBothDraws) {
    const EAIndInteger a = uniform(0, 0), b = uniform(0, 1);
    EAIndInteger child = uniform(3, 1);
    child.numBits = 0;
    child.isEvaluated = true;
    EAOpRecombination::onePointCrossover(a, b, child);
    EXPECT_EQ(child.bits[0], 1);
    EXPECT_FALSE(child.isEvaluated);
    nextUnit();
    nextUnit();
    EXPECT_TRUE(inStep());
}

TEST_F(CrossoverTest, UniformCrossoverOfBitsTakesParent2OnRoundedOne) {
    const EAIndInteger zeros = uniform(16, 0), ones = uniform(16, 1);
    EAIndInteger child = uniform(16, 3);
    child.isEvaluated = true;
    EAOpRecombination::uniformCrossover(zeros, ones, child, 1.0);
    std::vector<int> expected;
    nextUnit(); // the rate draw
    for (int j = 0; j < 16; ++j)
        expected.push_back(static_cast<int>(nextUnit() + 0.5));
    EXPECT_EQ(bitsOf(child), expected);
    EXPECT_FALSE(child.isEvaluated);
    EXPECT_TRUE(inStep());
}

TEST_F(CrossoverTest, UniformCrossoverOfBitsAtRateZeroLeavesTheChild) {
    const EAIndInteger zeros = uniform(16, 0), ones = uniform(16, 1);
    EAIndInteger child = uniform(16, 3);
    child.isEvaluated = true;
    EAOpRecombination::uniformCrossover(zeros, ones, child, 0.0);
    EXPECT_EQ(bitsOf(child), std::vector<int>(16, 3));
    EXPECT_TRUE(child.isEvaluated);
    nextUnit();
    EXPECT_TRUE(inStep());
}

} // namespace
