#include <gtest/gtest.h>

#include "TestWords.h"
#include "core/MTRand.h"

TEST(MTRandReference, ArraySeedGivesPublishedSequence) {
    std::vector<unsigned long> state = TestWords::referenceState(5489);
    MTRand g(state.data());
    EXPECT_EQ(g.randInt(), 3499211612UL);
    for (int i = 2; i < 10000; ++i) g.randInt();
    EXPECT_EQ(g.randInt(), 4123659995UL);
}
