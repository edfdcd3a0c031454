#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <vector>

#include "TestWords.h"
#include "core/LRandom.h"

namespace {

// Every test starts the shared generator from a known position.
class LRandomTest : public ::testing::Test {
  protected:
    void SetUp() override { LRandom::random.seed(20240601UL); }
    static void plant(const std::vector<uint32_t>& words) {
        TestWords::loadOutputs(LRandom::random, words);
    }
};

} // namespace

// --- Uniform reals -----------------------------------------------------------

TEST_F(LRandomTest, UniformRandReachesBothEnds) {
    plant({0U, 0xFFFFFFFFU, 0U, 0xFFFFFFFFU});
    EXPECT_EQ(LRandom::getUniformRand(0.0, 1.0), 0.0);
    EXPECT_EQ(LRandom::getUniformRand(0.0, 1.0), 1.0);
    EXPECT_EQ(LRandom::getUniformRand(-3.0, 5.0), -3.0);
    EXPECT_EQ(LRandom::getUniformRand(-3.0, 5.0), 5.0);
}

TEST_F(LRandomTest, UniformRandOfEqualBoundsIsThatBound) {
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(LRandom::getUniformRand(2.75, 2.75), 2.75);
}

TEST_F(LRandomTest, UniformRandWithReversedBoundsStaysBetween) {
    plant({0U, 0xFFFFFFFFU});
    EXPECT_EQ(LRandom::getUniformRand(4.0, 1.0), 4.0);
    EXPECT_EQ(LRandom::getUniformRand(4.0, 1.0), 1.0);
    for (int i = 0; i < 1000; ++i) {
        const double v = LRandom::getUniformRand(4.0, 1.0);
        EXPECT_GE(v, 1.0);
        EXPECT_LE(v, 4.0);
    }
}

TEST_F(LRandomTest, UniformRandTakesOneWordPerCall) {
    MTRand twin = LRandom::random;
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(LRandom::getUniformRand(-1.0, 1.0), twin.rand() * 2.0 - 1.0);
}

// --- Uniform integers --------------------------------------------------------

TEST_F(LRandomTest, UniformRandIntNeverExceedsUpperBound) {
    plant({0xFFFFFFFFU, 0xFFFFFFFFU, 0U, 0xFFFFFFFEU});
    EXPECT_EQ(LRandom::getUniformRandInt(0, 360), 360);
    EXPECT_EQ(LRandom::getUniformRandInt(-5, 5), 5);
    EXPECT_EQ(LRandom::getUniformRandInt(0, 360), 0);
    EXPECT_EQ(LRandom::getUniformRandInt(0, 360), 360);
}

TEST_F(LRandomTest, UniformRandIntMidWord) {
    // u = 2^31 / (2^32 - 1), just over one half: 5.0000000012 truncates to 5
    plant({0x80000000U, 0x7FFFFFFFU});
    EXPECT_EQ(LRandom::getUniformRandInt(0, 9), 5);
    // u just under one half: 4.99999999 truncates to 4
    EXPECT_EQ(LRandom::getUniformRandInt(0, 9), 4);
}

TEST_F(LRandomTest, UniformRandIntOfEqualBoundsIsThatBound) {
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(LRandom::getUniformRandInt(-17, -17), -17);
    plant({0xFFFFFFFFU});
    EXPECT_EQ(LRandom::getUniformRandInt(3, 3), 3);
}

TEST_F(LRandomTest, UniformRandIntYieldsEveryValueOfZeroTo360) {
    std::vector<int> seen(361, 0);
    for (int i = 0; i < 200000; ++i) {
        const int v = LRandom::getUniformRandInt(0, 360);
        ASSERT_GE(v, 0);
        ASSERT_LE(v, 360);
        ++seen[v];
    }
    for (int v = 0; v <= 360; ++v)
        EXPECT_GT(seen[v], 400) << v;
}

TEST_F(LRandomTest, UniformRandIntOverWholeIntRange) {
    plant({0U, 0xFFFFFFFFU, 0x80000000U});
    EXPECT_EQ(LRandom::getUniformRandInt(INT_MIN, INT_MAX), INT_MIN);
    EXPECT_EQ(LRandom::getUniformRandInt(INT_MIN, INT_MAX), INT_MAX);
    EXPECT_EQ(LRandom::getUniformRandInt(INT_MIN, INT_MAX), 0);
}

TEST_F(LRandomTest, UniformRandIntWithReversedBoundsGivesUpperArgument) {
    // The draw is limited to at most b - a, which is negative here
    plant({0U, 0x80000000U, 0xFFFFFFFFU});
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(LRandom::getUniformRandInt(5, 3), 3);
}

// --- Normal values -----------------------------------------------------------

TEST(LRandomNormalInverse, CentreIsZero) {
    EXPECT_EQ(LRandom::normalInverse(0.5), 0.0);
}

TEST(LRandomNormalInverse, EndsAreFinite) {
    const double low = LRandom::normalInverse(0.0);
    const double high = LRandom::normalInverse(1.0);
    EXPECT_TRUE(std::isfinite(low));
    EXPECT_TRUE(std::isfinite(high));
    EXPECT_NEAR(low, -38.5, 0.5);
    EXPECT_NEAR(high, 38.5, 0.5);
    EXPECT_EQ(low, -high);
}

TEST(LRandomNormalInverse, KnownQuantiles) {
    // Standard normal quantiles; the 7-digit variant is good to about 1e-7
    EXPECT_NEAR(LRandom::normalInverse(0.975), 1.959963985, 1e-6);
    EXPECT_NEAR(LRandom::normalInverse(0.8413447461), 1.0, 1e-6);
    EXPECT_NEAR(LRandom::normalInverse(0.001), -3.090232306, 1e-6);
    EXPECT_NEAR(LRandom::normalInverse(1e-12), -7.034483825, 1e-5);
}

TEST(LRandomNormalInverse, SymmetricAroundCentre) {
    for (double p : {0.0625, 0.125, 0.25, 0.375, 0.0009765625}) {
        EXPECT_EQ(LRandom::normalInverse(1.0 - p), -LRandom::normalInverse(p)) << p;
    }
}

TEST(LRandomNormalInverse, IncreasingAcrossRegionBoundaries) {
    // Around |p - 0.5| = 0.425 (p = 0.075) and r = 5 (p = exp(-25))
    for (double p : {0.075, 0.925, std::exp(-25.0)}) {
        const double below = LRandom::normalInverse(p * (1.0 - 1e-4));
        const double at = LRandom::normalInverse(p);
        const double above = LRandom::normalInverse(p * (1.0 + 1e-4));
        EXPECT_LT(below, above) << p;
        EXPECT_NEAR(below, at, 1e-3) << p;
        EXPECT_NEAR(above, at, 1e-3) << p;
    }
}

TEST_F(LRandomTest, NormalRandScalesTheInverse) {
    plant({0xC0000000U, 0U, 0xFFFFFFFFU});
    const double u = 3221225472.0 / 4294967295.0;
    EXPECT_EQ(LRandom::getNormalRand(10.0, 2.0), LRandom::normalInverse(u) * 2.0 + 10.0);
    const double low = LRandom::getNormalRand(1.0, 0.5);
    EXPECT_TRUE(std::isfinite(low));
    EXPECT_NEAR(low, 1.0 - 0.5 * 38.5, 0.5);
    EXPECT_NEAR(LRandom::getNormalRand(0.0, 1.0), 38.5, 0.5);
}

TEST_F(LRandomTest, NormalRandWithZeroDeviationIsTheMean) {
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(LRandom::getNormalRand(4.25, 0.0), 4.25);
}

TEST_F(LRandomTest, NormalRandMoments) {
    const int n = 200000;
    double sum = 0.0, sumSq = 0.0;
    for (int i = 0; i < n; ++i) {
        const double v = LRandom::getNormalRand(3.0, 2.0);
        sum += v;
        sumSq += (v - 3.0) * (v - 3.0);
    }
    EXPECT_NEAR(sum / n, 3.0, 0.03);
    EXPECT_NEAR(sumSq / n, 4.0, 0.1);
}

TEST_F(LRandomTest, BoxMullerUsesTwoWordsAndItsOwnTwoPi) {
    plant({0x40000000U, 0x20000000U, 123U});
    const double u1 = 1073741824.0 / 4294967295.0;
    const double u2 = 536870912.0 / 4294967295.0;
    EXPECT_EQ(LRandom::getNormalRand(), std::sqrt(-2.0 * std::log(u1)) * std::sin(6.2831852 * u2));
    EXPECT_EQ(LRandom::random.randInt(), 123U);
}

TEST_F(LRandomTest, BoxMullerMoments) {
    const int n = 200000;
    double sum = 0.0, sumSq = 0.0;
    for (int i = 0; i < n; ++i) {
        const double v = LRandom::getNormalRand();
        sum += v;
        sumSq += v * v;
    }
    EXPECT_NEAR(sum / n, 0.0, 0.02);
    EXPECT_NEAR(sumSq / n, 1.0, 0.03);
}

// --- Pareto values ------------------------------------------------------------

TEST_F(LRandomTest, ParetoOfTopDrawIsTheScale) {
    plant({0xFFFFFFFFU, 0x3FFFFFFFU});
    EXPECT_EQ(LRandom::getParetoRand(2.0, 3.0), 3.0);
    // u ~ 1/4 and shape 2: scale / sqrt(u) ~ 2 * scale
    EXPECT_NEAR(LRandom::getParetoRand(2.0, 3.0), 6.0, 1e-6);
}

TEST_F(LRandomTest, ParetoNeverBelowScale) {
    for (int i = 0; i < 10000; ++i)
        EXPECT_GE(LRandom::getParetoRand(1.5, 2.0), 2.0);
}

// --- The shared generator ----------------------------------------------------

TEST_F(LRandomTest, FunctionsDrawFromTheSharedGenerator) {
    MTRand twin = LRandom::random;
    LRandom::getUniformRandInt(0, 10);
    LRandom::getUniformRand(0.0, 1.0);
    LRandom::getNormalRand(0.0, 1.0);
    twin.randInt();
    twin.randInt();
    twin.randInt();
    EXPECT_EQ(LRandom::random.randInt(), twin.randInt());
}
