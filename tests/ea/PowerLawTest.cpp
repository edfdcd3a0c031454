// The stored power-law sequence and the walk through it.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "ea/EAOpMutation.h"

namespace {

const int* const kTable = EAOpMutation::powerLawNumbers;
const int SIZE = EAOpMutation::numPLNums;

int countOf(int value) {
    return static_cast<int>(std::count(kTable, kTable + SIZE, value));
}

TEST(PowerLawTable, HasTheStatedSizeAndHead) {
    EXPECT_EQ(SIZE, 4995);
    const std::vector<int> head{1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1};
    EXPECT_EQ(std::vector<int>(kTable, kTable + 20), head);
}

TEST(PowerLawTable, HasTheStatedCountsOfSmallValues) {
    EXPECT_EQ(countOf(0), 3234);
    EXPECT_EQ(countOf(1), 498);
    EXPECT_EQ(countOf(2), 260);
    EXPECT_EQ(countOf(3), 140);
    EXPECT_EQ(countOf(4), 116);
    EXPECT_EQ(countOf(5), 86);
    EXPECT_EQ(countOf(6), 90);
}

TEST(PowerLawTable, RangeMaximumAndMean) {
    EXPECT_EQ(*std::min_element(kTable, kTable + SIZE), 0);
    EXPECT_EQ(*std::max_element(kTable, kTable + SIZE), 55);
    long sum = 0;
    for (int k = 0; k < SIZE; ++k)
        sum += kTable[k];
    const double mean = static_cast<double>(sum) / SIZE;
    EXPECT_EQ(std::round(mean * 1000.0), 2317.0) << "mean " << mean;
}

TEST(PowerLawTable, LargeValuesAreRareAndGetRarer) {
    const int above10 =
        static_cast<int>(std::count_if(kTable, kTable + SIZE, [](int v) { return v > 10; }));
    const int above30 =
        static_cast<int>(std::count_if(kTable, kTable + SIZE, [](int v) { return v > 30; }));
    EXPECT_GT(above30, 0);
    EXPECT_LT(above30, above10);
    EXPECT_LT(above10, SIZE / 10);
    EXPECT_LE(countOf(55), 3);
}

class PowerLawWalkTest : public ::testing::Test {
  protected:
    void SetUp() override { EAOpMutation::initPowerLawNumbers(); }
};

TEST_F(PowerLawWalkTest, InitialisationRestartsAndFindsTheMaximum) {
    EAOpMutation::plNumIndex = 1234;
    EAOpMutation::initPowerLawNumbers();
    EXPECT_EQ(EAOpMutation::plNumIndex, 0);
    EXPECT_EQ(EAOpMutation::maxPLNum, 55);
}

TEST_F(PowerLawWalkTest, FirstCallReturnsEntryOne) {
    EXPECT_EQ(EAOpMutation::getNextNormPowerLawNumber(), 0.0);
    EXPECT_EQ(EAOpMutation::plNumIndex, 1);
    EXPECT_EQ(EAOpMutation::getNextNormPowerLawNumber(), 0.0);
    EXPECT_EQ(EAOpMutation::getNextNormPowerLawNumber(), 0.0);
    EXPECT_EQ(EAOpMutation::getNextNormPowerLawNumber(), 1.0 / 55); // entry 4
}

TEST_F(PowerLawWalkTest, SequenceWrapsAfterEveryEntry) {
    for (int call = 1; call < SIZE; ++call) {
        const double p = EAOpMutation::getNextNormPowerLawNumber();
        ASSERT_EQ(p, static_cast<double>(kTable[call]) / 55) << "call " << call;
        ASSERT_TRUE(p >= 0.0 && p <= 1.0);
    }
    EXPECT_EQ(EAOpMutation::getNextNormPowerLawNumber(), 1.0 / 55); // the 4995th call: entry 0
    EXPECT_EQ(EAOpMutation::plNumIndex, 0);
    EXPECT_EQ(EAOpMutation::getNextNormPowerLawNumber(), 0.0); // entry 1 again
    EXPECT_EQ(EAOpMutation::plNumIndex, 1);
}

TEST_F(PowerLawWalkTest, WorksBeforeInitialisationAndFromStrayPositions) {
    EAOpMutation::maxPLNum = 0;
    EAOpMutation::plNumIndex = 3;
    EXPECT_EQ(EAOpMutation::getNextNormPowerLawNumber(), 1.0 / 55); // entry 4
    EAOpMutation::plNumIndex = -17;
    EXPECT_EQ(EAOpMutation::getNextNormPowerLawNumber(), 1.0 / 55); // entry 0
    EAOpMutation::plNumIndex = 999999;
    EXPECT_EQ(EAOpMutation::getNextNormPowerLawNumber(), 1.0 / 55);
}

} // namespace
