#include <gtest/gtest.h>

#include <vector>

#include "app/FossilSampling.h"

namespace {

std::vector<int> samplesFor(int lastGeneration) {
    return sampledGenerations(lastGeneration, fossilStepFor(lastGeneration));
}

TEST(FossilStepTest, StepTableBoundaries) {
    EXPECT_EQ(fossilStepFor(0), 500);
    EXPECT_EQ(fossilStepFor(120), 500);
    EXPECT_EQ(fossilStepFor(121), 10);
    EXPECT_EQ(fossilStepFor(230), 10);
    EXPECT_EQ(fossilStepFor(231), 20);
    EXPECT_EQ(fossilStepFor(460), 20);
    EXPECT_EQ(fossilStepFor(461), 50);
    EXPECT_EQ(fossilStepFor(1150), 50);
    EXPECT_EQ(fossilStepFor(1151), 200);
    EXPECT_EQ(fossilStepFor(4000), 200);
    EXPECT_EQ(fossilStepFor(4001), 500);
}

TEST(FossilSampleTest, SingleGenerationGivesOneFossil) {
    EXPECT_EQ(samplesFor(0), std::vector<int>({0}));
}

TEST(FossilSampleTest, ShortRecordGivesFirstAndLast) {
    EXPECT_EQ(samplesFor(49), std::vector<int>({0, 49}));
}

TEST(FossilSampleTest, MultipleOfTheStepEndsOnIt) {
    const std::vector<int> s = samplesFor(230);
    ASSERT_EQ(s.size(), 24u);
    for (size_t i = 0; i < s.size(); ++i)
        EXPECT_EQ(s[i], static_cast<int>(i) * 10);
}

TEST(FossilSampleTest, LastGenerationIsAddedWhenOffTheStep) {
    const std::vector<int> s = samplesFor(231);
    ASSERT_EQ(s.size(), 13u);
    for (size_t i = 0; i < 12; ++i)
        EXPECT_EQ(s[i], static_cast<int>(i) * 20);
    EXPECT_EQ(s[12], 231);
}

TEST(FossilSampleTest, NeverMoreThan24UpToTheGenerationLimit) {
    for (int g = 0; g <= 10000; ++g)
        ASSERT_LE(samplesFor(g).size(), 24u) << g;
}

TEST(FossilSampleTest, EmptyRecordGivesNothing) {
    EXPECT_TRUE(samplesFor(-1).empty());
    EXPECT_EQ(lastRecordedGeneration({}, 24), -1);
}

} // namespace
