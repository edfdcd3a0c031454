// What a sweep's design expands to and how unfinished cases are named:
// the order of the factors, seed ranges, case lists and the array tasks
// that hold them.

#include <gtest/gtest.h>

#include "tools/cli/sweep/SweepFolder.h"
#include "tools/cli/sweep/SweepSlurm.h"

namespace {

TEST(SweepPlan, FactorsVaryInTheOrderWrittenAndAOneSeedRangeIsOneSeed) {
    const SweepDesign d = parseDesign("generations = 3\n"
                                      "seeds = { from = 5, to = 5 }\n"
                                      "[factors]\n"
                                      "silk-cost = [2, 8]\n"
                                      "attack = [\"off\", \"dist\"]\n",
                                      "d.toml", false);
    ASSERT_EQ(d.seeds, std::vector<uint32_t>{5});
    ASSERT_EQ(d.factors.size(), 2u);
    EXPECT_EQ(d.factors[0].name, "silk_cost");
    const SweepCase second = designCase(d, 2); // the last factor varies first
    EXPECT_EQ(second.levels, (std::vector<std::string>{"2", "dist"}));
    EXPECT_EQ(second.seed, 5u);
}

TEST(SweepPlan, UnfinishedCasesAreListedWithTheirGapsAndTasks) {
    EXPECT_EQ(numberRanges({1, 5}), "1,5");
    EXPECT_EQ(numberRanges({1, 2, 3, 7, 9, 10}), "1-3,7,9-10");
    // Five cases per task: cases 1-5 are task 0, 6-10 task 1.
    EXPECT_EQ(tasksOfCases({5}, 5), std::vector<long long>{0});
    EXPECT_EQ(tasksOfCases({1, 5, 6, 10, 11}, 5), (std::vector<long long>{0, 1, 2}));
}

} // namespace
