// Integer-genome problems and the individuals that carry bit genomes.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "ea/EAIndDouble.h"
#include "ea/EAIndInteger.h"
#include "ea/EAOpMutation.h"
#include "ea/EAPInteger.h"
#include "ea/EAUtils.h"
#include "tests/ea/EaTestSupport.h"

namespace {

using eatest::bitsOf;
using eatest::makeProblem;

// A layout like the program's: genes of very different widths.
EAPInteger threeGeneProblem() {
    return makeProblem({{0, 7}, {3, 3}, {10, 1000}});
}

std::vector<int> concat(const std::vector<std::vector<int>>& parts) {
    std::vector<int> out;
    for (const auto& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

std::vector<int> gray(int value, int lo, int hi) {
    std::vector<int> g;
    EAUtils::encode_int2gray(value, lo, hi, g);
    return g;
}

TEST(IntegerProblem, StartsEmpty) {
    EAPInteger p;
    EXPECT_EQ(p.numGenes, 0);
    EXPECT_EQ(p.numEval, 0);
    EXPECT_EQ(p.getNumEval(), 0);
    EXPECT_TRUE(p.problemName.empty());
    EXPECT_TRUE(p.problemParas.empty());
    EXPECT_TRUE(p.geneBitOffsets.empty());
    EXPECT_TRUE(p.geneMin.empty() && p.geneMax.empty() && p.geneNames.empty());
    EXPECT_EQ(p.numStages, 0);
    EXPECT_TRUE(p.stageNames.empty() && p.stageFirstGene.empty());
}

TEST(IntegerProblem, ProblemParametersAreCollectedAndCleared) {
    EAPInteger p;
    p.addProblemPara("a");
    p.addProblemPara("b");
    EXPECT_EQ(p.problemParas, (std::vector<std::string>{"a", "b"}));
    p.clearProblemParas();
    EXPECT_TRUE(p.problemParas.empty());
    p.numEval = 17;
    EXPECT_EQ(p.getNumEval(), 17);
}

TEST(IntegerProblem, SetProblemByNameChangesNothing) {
    EAPInteger p = threeGeneProblem();
    p.problemName = "kept";
    p.setProblemByName("other");
    EXPECT_EQ(p.problemName, "kept");
    EXPECT_EQ(p.numGenes, 3);
}

TEST(IntegerProblem, SetGenotypePlacesGrayCodesGeneAfterGene) {
    EAPInteger p = threeGeneProblem();
    EAIndInteger ind;
    ind.isEvaluated = true;
    p.setGenotype(ind, {5, 4, 777});
    EXPECT_EQ(bitsOf(ind), concat({gray(5, 0, 7), gray(4, 3, 3), gray(777, 10, 1000)}));
    EXPECT_EQ(ind.numBits, p.geneBitOffsets.back());
    EXPECT_FALSE(ind.isEvaluated);
    EXPECT_EQ(p.getGene(ind, 0), 5);
    EXPECT_EQ(p.getGene(ind, 1), 4);
    EXPECT_EQ(p.getGene(ind, 2), 777);
}

TEST(IntegerProblem, EveryValueOfEveryGeneRoundTrips) {
    EAPInteger p = makeProblem({{0, 1}, {0, 8}, {-5, 5}, {2, 2}});
    EAIndInteger ind;
    for (int a = 0; a <= 1; ++a)
        for (int b = 0; b <= 8; ++b)
            for (int c = -5; c <= 5; ++c)
                for (int d = 2; d <= 3; ++d) {
                    p.setGenotype(ind, {a, b, c, d});
                    ASSERT_EQ(p.getGene(ind, 0), a);
                    ASSERT_EQ(p.getGene(ind, 1), b);
                    ASSERT_EQ(p.getGene(ind, 2), c);
                    ASSERT_EQ(p.getGene(ind, 3), d);
                }
}

TEST(IntegerProblem, GeneBitsAboveTheRangeDecodeCapped) {
    EAPInteger p = makeProblem({{0, 5}, {1, 1}});
    EAIndInteger ind;
    p.setGenotype(ind, {0, 1});
    ind.bits[0] = 1; // Gray 100 is 7, beyond 5
    EXPECT_EQ(p.getGene(ind, 0), 5);
    ind.bits[3] = 1; // a fixed gene's second value
    EXPECT_EQ(p.getGene(ind, 1), 2);
}

TEST(IntegerProblem, WrongNumberOfValuesLeavesTheIndividualAsItWas) {
    EAPInteger p = threeGeneProblem();
    EAIndInteger ind;
    p.setGenotype(ind, {1, 3, 10});
    ind.isEvaluated = true;
    ind.fitness = 42.0;
    const EAIndInteger before = ind;
    p.setGenotype(ind, {7, 3});
    p.setGenotype(ind, {7, 3, 11, 12});
    p.setGenotype(ind, {});
    EXPECT_EQ(bitsOf(ind), bitsOf(before));
    EXPECT_EQ(ind.numBits, before.numBits);
    EXPECT_TRUE(ind.isEvaluated);
    EXPECT_EQ(ind.fitness, 42.0);
}

TEST(IntegerProblem, ExactlyOneHundredBitsFit) {
    EAPInteger p = makeProblem(std::vector<std::pair<int, int>>(10, {0, 1023}));
    EAIndInteger ind;
    p.setGenotype(ind, std::vector<int>(10, 1023));
    EXPECT_EQ(ind.numBits, MAX_NUM_GENES);
    EXPECT_EQ(p.getGene(ind, 9), 1023);
}

class RandomGenotypeTest : public eatest::ReplayTest {};

TEST_F(RandomGenotypeTest, DrawsOneRoundedValuePerGeneInOrder) {
    EAPInteger p = threeGeneProblem();
    EAIndInteger ind;
    ind.isEvaluated = true;
    p.createRandomGenotype(ind);
    std::vector<int> expected;
    for (int i = 0; i < p.numGenes; ++i) {
        const double lo = p.geneMin[i], hi = p.geneMax[i];
        expected.push_back(static_cast<int>(nextUnit() * (hi - lo) + lo + 0.5));
    }
    EXPECT_EQ(p.getGene(ind, 0), expected[0]);
    EXPECT_EQ(p.getGene(ind, 1), expected[1]);
    EXPECT_EQ(p.getGene(ind, 2), expected[2]);
    EXPECT_EQ(ind.numBits, p.geneBitOffsets.back());
    EXPECT_FALSE(ind.isEvaluated);
    EXPECT_TRUE(inStep());
}

TEST_F(RandomGenotypeTest, EndValuesComeFromTheExtremeDraws) {
    EAPInteger p = makeProblem({{2, 9}, {2, 9}});
    EAIndInteger ind;
    eatest::forceNextWords({eatest::kWordZero, eatest::kWordOne});
    p.createRandomGenotype(ind);
    EXPECT_EQ(p.getGene(ind, 0), 2);
    EXPECT_EQ(p.getGene(ind, 1), 9);
}

TEST_F(RandomGenotypeTest, ValuesStayInsideEveryRange) {
    // Negative ranges too: a rounded draw must never leave [lo, hi].
    EAPInteger p = makeProblem({{0, 1}, {-10, -2}, {-3, 3}, {5, 5}, {0, 360}});
    EAIndInteger ind;
    std::vector<int> seen(361, 0);
    for (int k = 0; k < 5000; ++k) {
        p.createRandomGenotype(ind);
        for (int i = 0; i < p.numGenes; ++i) {
            const int v = p.getGene(ind, i);
            ASSERT_GE(v, p.geneMin[i]);
            ASSERT_LE(v, p.geneMax[i]);
        }
        ++seen[p.getGene(ind, 4)];
    }
    for (int v = 0; v <= 360; ++v)
        EXPECT_GT(seen[v], 0) << "value " << v << " never drawn";
}

TEST_F(RandomGenotypeTest, EndValuesAreHalfAsLikelyAsInnerOnes) {
    EAPInteger p = makeProblem({{0, 4}});
    EAIndInteger ind;
    const int draws = 40000;
    std::vector<int> seen(5, 0);
    for (int k = 0; k < draws; ++k) {
        p.createRandomGenotype(ind);
        ++seen[p.getGene(ind, 0)];
    }
    // Rounding a uniform real in [0, 4]: 1/8, 1/4, 1/4, 1/4, 1/8.
    const double expected[5] = {0.125, 0.25, 0.25, 0.25, 0.125};
    for (int v = 0; v < 5; ++v)
        EXPECT_NEAR(static_cast<double>(seen[v]) / draws, expected[v], 0.01) << "value " << v;
}

TEST(Individual, DefaultIndividualIsZeroed) {
    EAIndInteger ind;
    EXPECT_EQ(ind.numBits, 0);
    EXPECT_EQ(ind.fitness, 0.0);
    EXPECT_FALSE(ind.isEvaluated || ind.isElite || ind.auxFlag);
    EXPECT_TRUE(ind.info.empty());
    for (int b : ind.bits)
        EXPECT_EQ(b, 0);
}

TEST(Individual, CopiesCarryAllBitsAndTheSharedPart) {
    EAIndInteger a;
    for (int j = 0; j < MAX_NUM_GENES; ++j)
        a.bits[j] = j % 3 == 0;
    a.numBits = 37; // the unused bits are copied as well
    a.fitness = 2.5;
    a.moValues[23] = -1.0;
    a.info = "note";
    a.isElite = true;
    a.isEvaluated = true;
    a.auxFlag = true;
    EAIndInteger b(a);
    EAIndInteger c;
    c = a;
    for (const EAIndInteger* x : {&b, &c}) {
        EXPECT_EQ(std::vector<int>(x->bits, x->bits + MAX_NUM_GENES),
                  std::vector<int>(a.bits, a.bits + MAX_NUM_GENES));
        EXPECT_EQ(x->numBits, 37);
        EXPECT_EQ(x->fitness, 2.5);
        EXPECT_EQ(x->moValues[23], -1.0);
        EXPECT_EQ(x->info, "note");
        EXPECT_TRUE(x->isElite && x->isEvaluated && x->auxFlag);
    }
}

TEST(Individual, MovesLeaveTheSourceInfoEmpty) {
    EAIndInteger a;
    a.info = "a fairly long note that does not fit a small string buffer";
    a.numBits = 5;
    EAIndInteger b(std::move(a));
    EXPECT_TRUE(a.info.empty());
    EXPECT_EQ(b.info, "a fairly long note that does not fit a small string buffer");
    EXPECT_EQ(b.numBits, 5);
    EAIndInteger c;
    c = std::move(b);
    EXPECT_TRUE(b.info.empty());
    EXPECT_EQ(c.info, "a fairly long note that does not fit a small string buffer");
}

TEST(Individual, EvaluatedFitnessIsReturned) {
    EAIndInteger ind;
    ind.fitness = 12.0;
    ind.isEvaluated = true;
    EXPECT_EQ(ind.getFitness(), 12.0);
}

using IntegerProblemDeathTest = ::testing::Test;

TEST_F(IntegerProblemDeathTest, ReadingAnUnevaluatedFitnessEndsWithStatus255) {
    EAPInteger p = threeGeneProblem();
    EAIndInteger ind;
    p.setGenotype(ind, {1, 3, 10});
    ind.fitness = 3.0;
    ind.isEvaluated = true;
    EAOpMutation::bitFlip(ind, 2.0);
    EXPECT_EXIT_PRINTING(ind.getFitness(), 255,
                         "ERROR in EAIndividual::getFitness\\(\\)\\. Fitness not evaluated!\n");
}

TEST_F(IntegerProblemDeathTest, TooLongGenomeEndsWithStatus255) {
    // Eleven 10-bit genes: the eleventh would start at bit 100.
    EAPInteger p = makeProblem(std::vector<std::pair<int, int>>(11, {0, 1023}));
    EAIndInteger ind;
    const char* message =
        "MAX_NUM_GENES = 100 too small for binary encoding with at least 100 genes!\n";
    EXPECT_EXIT_PRINTING(p.setGenotype(ind, std::vector<int>(11, 0)), 255, message);
    EXPECT_EXIT_PRINTING(p.createRandomGenotype(ind), 255, message);
    // A 6-bit gene after 96 bits: the count is the bits placed so far.
    EAPInteger q = makeProblem({{0, 15}, {0, 15}, {0, 15}, {0, 15}, {0, 15}, {0, 15}, {0, 15},
                                {0, 15}, {0, 15}, {0, 15}, {0, 15}, {0, 15}, {0, 15}, {0, 15},
                                {0, 15}, {0, 15}, {0, 15}, {0, 15}, {0, 15}, {0, 15}, {0, 15},
                                {0, 15}, {0, 15}, {0, 15}, {0, 63}});
    EXPECT_EXIT_PRINTING(q.setGenotype(ind, std::vector<int>(25, 1)), 255,
                         "with at least 96 genes!");
}

TEST_F(IntegerProblemDeathTest, GeneIndexBeyondTheOffsetsEndsWithStatus13) {
    EAPInteger p = threeGeneProblem();
    EAIndInteger ind;
    p.setGenotype(ind, {1, 3, 10});
    EXPECT_EXIT(p.getGene(ind, 3), ::testing::ExitedWithCode(13), "");
    EXPECT_EXIT(p.getGene(ind, 4000000000u), ::testing::ExitedWithCode(13), "");
    EAPInteger empty;
    EXPECT_EXIT(empty.getGene(ind, 0), ::testing::ExitedWithCode(13), "");
}

TEST_F(IntegerProblemDeathTest, LayoutOutsideTheGenomeEndsWithStatus13) {
    EAPInteger p = threeGeneProblem();
    EAIndInteger ind;
    p.geneBitOffsets[3] = MAX_NUM_GENES + 1;
    EXPECT_EXIT(p.getGene(ind, 2), ::testing::ExitedWithCode(13), "");
    p.geneMin.pop_back();
    EXPECT_EXIT(p.setGenotype(ind, {1, 3, 10}), ::testing::ExitedWithCode(13), "");
}

TEST_F(IntegerProblemDeathTest, EncodingAValueOutsideItsGeneEndsWithStatus6) {
    EAPInteger p = threeGeneProblem();
    EAIndInteger ind;
    EXPECT_EXIT(p.setGenotype(ind, {8, 3, 10}), ::testing::ExitedWithCode(6), "");
    EXPECT_EXIT(p.setGenotype(ind, {0, 3, 9}), ::testing::ExitedWithCode(6), "");
}

TEST_F(IntegerProblemDeathTest, RealValuedOperationsEndWithStatus243) {
    EAPInteger p = threeGeneProblem();
    double x[3] = {0, 0, 0};
    double f = 0;
    bool ok = true;
    EAIndDouble real(3);
    const char* message = "^wrong method for integer genotype\n$";
    EXPECT_EXIT_PRINTING(p.calcFitness(x, ok), 243, message);
    EXPECT_EXIT_PRINTING(p.getGlobalOptimum(x, f), 243, message);
    EXPECT_EXIT_PRINTING(p.evaluate(real), 243, message);
}

} // namespace
