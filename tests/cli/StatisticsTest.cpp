// Per-generation statistics of a fossil record and their CSV table.

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "XmlCheck.h"
#include "evolution/RunStatistics.h"
#include "tests/evolution/FossilBuilder.h"

namespace {

size_t commas(const std::string& s) {
    return static_cast<size_t>(std::count(s.begin(), s.end(), ','));
}

// Generation 0: fitness 10, 20, 40, all "I". Generation 1: 0, 300, 300 with
// the labels SEL+MUT, CROSS and a code no label has.
FossilBuilder threeSpiders() {
    FossilBuilder b(3, 2);
    b.spider(0, 0, 10, 0, 0, 0);
    b.spider(0, 1, 20, 0, 1, 1);
    b.spider(0, 2, 40, 0, 2, 2);
    b.spider(1, 0, 0, 3, 2, 1);
    b.spider(1, 1, 300, 2, 1, 0);
    b.spider(1, 2, 300, -1, 2, 0);
    return b;
}

} // namespace

TEST(GenerationStats, MeanMinMaxAndPopulationStandardDeviation) {
    const FossilBuilder b = threeSpiders();
    const FossilView f(b.record, 3);
    const GenerationStats s = generationStats(f, 0);
    EXPECT_EQ(s.best, 40);
    EXPECT_EQ(s.min, 10);
    EXPECT_EQ(s.max, 40);
    EXPECT_NEAR(s.mean, 70.0 / 3.0, 1e-12);
    // deviations -40/3, -10/3, 50/3: squares sum to 4200/9, over N = 3
    EXPECT_NEAR(s.stddev, std::sqrt(4200.0 / 27.0), 1e-12);
}

TEST(GenerationStats, CountsEachOriginLabelAndUnknownCodesApart) {
    const FossilBuilder b = threeSpiders();
    const FossilView f(b.record, 3);
    const GenerationStats g0 = generationStats(f, 0), g1 = generationStats(f, 1);
    EXPECT_EQ(g0.originCounts[0], 3);
    EXPECT_EQ(g1.originCounts[0], 0);
    EXPECT_EQ(g1.originCounts[2], 1); // CROSS
    EXPECT_EQ(g1.originCounts[3], 1); // SEL+MUT
    EXPECT_EQ(g1.originCounts[ORIGIN_COLUMNS - 1], 1);
    EXPECT_DOUBLE_EQ(g1.stddev, std::sqrt((200.0 * 200.0 + 100.0 * 100.0 * 2) / 3.0));
}

TEST(StatsCsv, HeaderThenOneLineOfTwelveColumnsPerGeneration) {
    const FossilBuilder b = threeSpiders();
    const FossilView f(b.record, 3);
    const std::vector<std::string> l = splitLines(statsCsv(allGenerationStats(f)));
    ASSERT_EQ(l.size(), 3u);
    EXPECT_EQ(l[0], "generation,best_fitness,mean_fitness,min_fitness,max_fitness,sd_fitness,"
                    "n_initial,n_selected,n_crossed,n_selected_mutated,n_crossed_mutated,n_other");
    for (const std::string& row : l)
        EXPECT_EQ(commas(row), 11u) << row;
    EXPECT_EQ(l[1], "0,40,23.3333,10,40,12.4722,3,0,0,0,0,0");
    EXPECT_EQ(l[2].substr(0, 9), "1,300,200");
}
