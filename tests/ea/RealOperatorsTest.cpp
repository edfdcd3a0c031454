// Real-valued individuals, their Gaussian mutations and recombinations.

#include <gtest/gtest.h>

#include <vector>

#include "ea/EAIndDouble.h"
#include "ea/EAOpMutation.h"
#include "ea/EAOpRecombination.h"
#include "tests/ea/EaTestSupport.h"

namespace {

using eatest::forceNextWords;
using eatest::kWordHalf;
using eatest::kWordOne;
using eatest::kWordZero;

constexpr int CAP = EAIndDouble::MAX_NUM_VALUES;

EAIndDouble individual(const std::vector<double>& values) {
    EAIndDouble ind(static_cast<int>(values.size()));
    for (size_t i = 0; i < values.size(); ++i)
        ind.values[i] = values[i];
    return ind;
}

std::vector<double> valuesOf(const EAIndDouble& ind) {
    return std::vector<double>(ind.values, ind.values + ind.numValues);
}

// Sets every variable's bounds to [lo, hi].
void setBounds(double lo, double hi) {
    std::vector<double> lower(CAP, lo), upper(CAP, hi);
    EAOpMutation::initBounds(lower.data(), upper.data());
}

TEST(RealIndividual, DefaultAndSizedConstruction) {
    EAIndDouble a;
    EXPECT_EQ(a.numValues, 0);
    EXPECT_EQ(a.fitness, 0.0);
    EXPECT_FALSE(a.isElite || a.isEvaluated || a.auxFlag);
    EXPECT_TRUE(a.info.empty());
    EXPECT_EQ(EAIndDouble(7).numValues, 7);
    EXPECT_EQ(EAIndDouble(100).numValues, 100);
}

TEST(RealIndividual, CopiesCarryAllValues) {
    EAIndDouble a(3);
    for (int i = 0; i < CAP; ++i)
        a.values[i] = i * 0.5;
    a.fitness = -1.0;
    a.isEvaluated = true;
    a.info = "x";
    EAIndDouble b(a);
    EAIndDouble c;
    c = a;
    for (const EAIndDouble* x : {&b, &c}) {
        EXPECT_EQ(std::vector<double>(x->values, x->values + CAP),
                  std::vector<double>(a.values, a.values + CAP));
        EXPECT_EQ(x->numValues, 3);
        EXPECT_EQ(x->fitness, -1.0);
        EXPECT_TRUE(x->isEvaluated);
        EXPECT_EQ(x->info, "x");
    }
}

using RealIndividualDeathTest = ::testing::Test;

TEST_F(RealIndividualDeathTest, MoreThanOneHundredValuesEndWithStatus255) {
    EXPECT_EXIT(EAIndDouble(101), ::testing::ExitedWithCode(255), "");
    EXPECT_EXIT(EAIndDouble(-1), ::testing::ExitedWithCode(255), "");
}

TEST(MutationBounds, InitBoundsCopiesOneHundredPairs) {
    std::vector<double> lower(CAP), upper(CAP);
    for (int i = 0; i < CAP; ++i) {
        lower[i] = -i;
        upper[i] = i * 2.0;
    }
    EAOpMutation::initBounds(lower.data(), upper.data());
    EXPECT_EQ(std::vector<double>(EAOpMutation::xMin, EAOpMutation::xMin + CAP), lower);
    EXPECT_EQ(std::vector<double>(EAOpMutation::xMax, EAOpMutation::xMax + CAP), upper);
}

class GaussianTest : public eatest::ReplayTest {
  protected:
    void SetUp() override {
        ReplayTest::SetUp();
        setBounds(-2.0, 6.0);
    }

    // The expected result of one Gaussian step on v with scale s and the
    // next deviate of standard deviation sd, bounds [-2, 6].
    double expectedStep(double v, double s, double sd) {
        double x = v + (6.0 - -2.0) * (nextNormal(sd) * s);
        if (x > 6.0)
            x = 6.0;
        if (x < -2.0)
            x = -2.0;
        return x;
    }
};

TEST_F(GaussianTest, FixedGaussianMovesEveryVariableByItsDeviate) {
    EAIndDouble ind = individual({0.0, 1.0, -1.5, 5.5, 2.0});
    const std::vector<double> before = valuesOf(ind);
    ind.isEvaluated = true;
    EAOpMutation::fixedGaussian(ind, 1.0, 0.1);
    nextUnit();
    std::vector<double> expected;
    for (double v : before)
        expected.push_back(expectedStep(v, 0.1, 1.0));
    EXPECT_EQ(valuesOf(ind), expected);
    EXPECT_NE(valuesOf(ind), before);
    EXPECT_FALSE(ind.isEvaluated);
    EXPECT_TRUE(inStep());
}

TEST_F(GaussianTest, RateZeroMakesOneDrawAndChangesNothing) {
    EAIndDouble ind = individual({0.0, 1.0, 2.0});
    ind.isEvaluated = true;
    EAOpMutation::fixedGaussian(ind, 0.0, 0.5);
    EAOpMutation::annealedGaussian(ind, 0.0, 0.5, 3);
    EAOpMutation::SOCGaussian(ind, 0.0, 0.5);
    EXPECT_EQ(valuesOf(ind), (std::vector<double>{0.0, 1.0, 2.0}));
    EXPECT_TRUE(ind.isEvaluated);
    nextUnit();
    nextUnit();
    nextUnit();
    EXPECT_TRUE(inStep());
}

TEST_F(GaussianTest, RateZeroStillActsOnADrawOfExactlyZero) {
    EAIndDouble ind = individual({1.0});
    ind.isEvaluated = true;
    forceNextWords({kWordZero, kWordOne}); // acts; deviate about +38.5
    EAOpMutation::fixedGaussian(ind, 0.0, 0.5);
    EXPECT_EQ(ind.values[0], 6.0);
    EXPECT_FALSE(ind.isEvaluated);
}

TEST_F(GaussianTest, RateOneActsEvenOnADrawOfExactlyOne) {
    EAIndDouble ind = individual({1.0});
    forceNextWords({kWordOne, kWordZero}); // acts; deviate about -38.5
    EAOpMutation::fixedGaussian(ind, 1.0, 0.5);
    EXPECT_EQ(ind.values[0], -2.0);
}

TEST_F(GaussianTest, StepsEndExactlyOnTheBoundTheyCross) {
    EAIndDouble ind = individual(std::vector<double>(40, 5.9));
    EAOpMutation::fixedGaussian(ind, 1.0, 1000.0);
    nextUnit();
    int up = 0, down = 0;
    for (int i = 0; i < 40; ++i) {
        const double deviate = nextNormal(1.0);
        if (deviate > 0)
            ++up;
        if (deviate < 0)
            ++down;
        EXPECT_EQ(ind.values[i], deviate > 0 ? 6.0 : -2.0) << "variable " << i;
    }
    EXPECT_GT(up, 0);
    EXPECT_GT(down, 0);
}

TEST_F(GaussianTest, VariablesWithEqualBoundsNeverMove) {
    std::vector<double> lower(CAP, -2.0), upper(CAP, 6.0);
    lower[1] = upper[1] = 3.25;
    EAOpMutation::initBounds(lower.data(), upper.data());
    EAIndDouble ind = individual({0.0, 3.25, 0.0});
    for (int k = 0; k < 200; ++k) {
        EAOpMutation::fixedGaussian(ind, 1.0, 5.0);
        EAOpMutation::annealedGaussian(ind, 1.0, 5.0, k);
        EAOpMutation::SOCGaussian(ind, 1.0, 5.0);
        ASSERT_EQ(ind.values[1], 3.25);
    }
}

TEST_F(GaussianTest, AnnealedGaussianShrinksTheDeviateWithTheIteration) {
    EAIndDouble ind = individual({0.0, 1.0, 2.0});
    const std::vector<double> before = valuesOf(ind);
    const int t = 9;
    EAOpMutation::annealedGaussian(ind, 1.0, 0.2, t);
    nextUnit();
    std::vector<double> expected;
    for (double v : before)
        expected.push_back(expectedStep(v, 0.2, 1.0 / (t + 1)));
    EXPECT_EQ(valuesOf(ind), expected);
    EXPECT_TRUE(inStep());
}

TEST_F(GaussianTest, AnnealedGaussianAtIterationZeroEqualsFixedGaussian) {
    EAIndDouble a = individual({0.0, 1.0, 2.0, 3.0});
    EAIndDouble b = a;
    LRandom::random.seed(99UL);
    EAOpMutation::fixedGaussian(a, 1.0, 0.3);
    LRandom::random.seed(99UL);
    EAOpMutation::annealedGaussian(b, 1.0, 0.3, 0);
    EXPECT_EQ(valuesOf(a), valuesOf(b));
}

TEST_F(GaussianTest, NegativeIterationCountsAnnealLikeIterationZero) {
    EAIndDouble a = individual({0.0, 1.0, 2.0});
    EAIndDouble b = a;
    LRandom::random.seed(7UL);
    EAOpMutation::annealedGaussian(a, 1.0, 0.3, 0);
    LRandom::random.seed(7UL);
    EAOpMutation::annealedGaussian(b, 1.0, 0.3, -1);
    EXPECT_EQ(valuesOf(a), valuesOf(b));
}

TEST_F(GaussianTest, SOCGaussianUsesPlainSigmaForSmallPowerLawNumbers) {
    EAOpMutation::initPowerLawNumbers(); // the next number is entry 1, which is 0
    EAIndDouble ind = individual({0.0, 1.0, 2.0});
    EAOpMutation::SOCGaussian(ind, 1.0, 0.05);
    EXPECT_EQ(EAOpMutation::plNumIndex, 1);
    nextUnit();
    std::vector<double> expected;
    for (double v : {0.0, 1.0, 2.0})
        expected.push_back(expectedStep(v, 0.05, 1.0));
    EXPECT_EQ(valuesOf(ind), expected);
    EXPECT_TRUE(inStep());
}

TEST_F(GaussianTest, SOCGaussianMultipliesTheStepForLargePowerLawNumbers) {
    EAOpMutation::initPowerLawNumbers();
    int largest = 0;
    while (EAOpMutation::powerLawNumbers[largest] != EAOpMutation::maxPLNum)
        ++largest;
    EAOpMutation::plNumIndex = largest - 1; // the next number is 1.0
    EAIndDouble ind = individual({0.0, 1.0, 2.0});
    EAOpMutation::SOCGaussian(ind, 1.0, 0.0001);
    nextUnit();
    std::vector<double> expected;
    for (double v : {0.0, 1.0, 2.0})
        expected.push_back(expectedStep(v, 1.0 * 100 * 0.0001, 1.0));
    EXPECT_EQ(valuesOf(ind), expected);
}

TEST_F(GaussianTest, SOCGaussianAtRateZeroConsumesNoPowerLawNumber) {
    EAOpMutation::initPowerLawNumbers();
    EAIndDouble ind = individual({0.0});
    forceNextWords({kWordOne});
    EAOpMutation::SOCGaussian(ind, 0.0, 0.05);
    EXPECT_EQ(EAOpMutation::plNumIndex, 0);
}

TEST_F(GaussianTest, EmptyIndividualIsStillMarkedUnevaluated) {
    EAIndDouble ind(0);
    ind.isEvaluated = true;
    EAOpMutation::fixedGaussian(ind, 1.0, 0.1);
    EXPECT_FALSE(ind.isEvaluated);
    nextUnit();
    EXPECT_TRUE(inStep());
}

class RealCrossoverTest : public eatest::ReplayTest {};

TEST_F(RealCrossoverTest, ArithmeticCrossoverMixesWithAFreshWeightPerVariable) {
    const EAIndDouble p1 = individual({1.0, -3.0, 10.0, 0.25});
    const EAIndDouble p2 = individual({5.0, 3.0, -10.0, 0.75});
    EAIndDouble child(4);
    child.isEvaluated = true;
    EAOpRecombination::arithmeticCrossover(p1, p2, child, 1.0);
    nextUnit();
    for (int i = 0; i < 4; ++i) {
        const double a = nextUnit();
        EXPECT_EQ(child.values[i], (1 - a) * p2.values[i] + p1.values[i] * a);
    }
    EXPECT_FALSE(child.isEvaluated);
    EXPECT_TRUE(inStep());
}

TEST_F(RealCrossoverTest, ArithmeticWeightsOfOneAndZeroPickAParent) {
    const EAIndDouble p1 = individual({1.0, 2.0}), p2 = individual({7.0, 9.0});
    EAIndDouble child(2);
    forceNextWords({kWordZero, kWordOne, kWordZero});
    EAOpRecombination::arithmeticCrossover(p1, p2, child, 0.5);
    EXPECT_EQ(valuesOf(child), (std::vector<double>{1.0, 9.0}));
}

TEST_F(RealCrossoverTest, ArithmeticCrossoverOfEqualParentsGivesThemBack) {
    const EAIndDouble p = individual({0.1, -7.3, 1e6, 3.0});
    EAIndDouble child(4);
    for (int k = 0; k < 50; ++k) {
        EAOpRecombination::arithmeticCrossover(p, p, child, 1.0);
        ASSERT_EQ(valuesOf(child), valuesOf(p));
    }
}

TEST_F(RealCrossoverTest, RateZeroLeavesTheChild) {
    const EAIndDouble p1 = individual({1.0, 2.0}), p2 = individual({7.0, 9.0});
    EAIndDouble child = individual({-1.0, -1.0});
    child.isEvaluated = true;
    EAOpRecombination::arithmeticCrossover(p1, p2, child, 0.0);
    EAOpRecombination::uniformCrossover(p1, p2, child, 0.0);
    EXPECT_EQ(valuesOf(child), (std::vector<double>{-1.0, -1.0}));
    EXPECT_TRUE(child.isEvaluated);
    nextUnit();
    nextUnit();
    EXPECT_TRUE(inStep());
}

TEST_F(RealCrossoverTest, UniformCrossoverTakesParent2OnRoundedOne) {
    std::vector<double> a, b;
    for (int i = 0; i < 20; ++i) {
        a.push_back(i);
        b.push_back(-i - 100.0);
    }
    const EAIndDouble p1 = individual(a), p2 = individual(b);
    EAIndDouble child(20);
    child.isEvaluated = true;
    EAOpRecombination::uniformCrossover(p1, p2, child, 1.0);
    nextUnit();
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(child.values[i], static_cast<int>(nextUnit() + 0.5) == 1 ? b[i] : a[i]);
    EXPECT_FALSE(child.isEvaluated);
    EXPECT_TRUE(inStep());
}

TEST_F(RealCrossoverTest, ChildLengthAndFitnessAreUntouched) {
    const EAIndDouble p1 = individual({1.0, 2.0}), p2 = individual({7.0, 9.0});
    EAIndDouble child = individual({0.0, 0.0, 5.0});
    child.fitness = 8.0;
    EAOpRecombination::arithmeticCrossover(p1, p2, child, 1.0);
    EAOpRecombination::uniformCrossover(p1, p2, child, 1.0);
    EXPECT_EQ(child.numValues, 3);
    EXPECT_EQ(child.values[2], 5.0);
    EXPECT_EQ(child.fitness, 8.0);
}

} // namespace
