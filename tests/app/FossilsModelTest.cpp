#include <gtest/gtest.h>

#include "app/AppState.h"
#include "app/FossilsModel.h"
#include "evolution/EvolutionState.h"
#include "evolution/FossilView.h"
#include "tests/app/PopulationFixture.h"

namespace {

void freshRun(int size, int steps) {
    makeEvaluatedPopulation(size, "I", steps);
}

int recordedFitness(int g, int i) {
    return FossilView(evolutionState.fossilRecord, evolutionState.populationSize).fitness(g, i);
}

TEST(FossilListTest, ShortRunShowsFirstAndLastGeneration) {
    freshRun(6, 4);
    buildFossilList(evolutionState);
    ASSERT_EQ(fossilGenerations, std::vector<int>({0, 4}));
    ASSERT_EQ(fossilSpiders.size(), 2u);
    EXPECT_EQ(fossilStep, 500);
    for (size_t k = 0; k < 2; ++k) {
        const int g = fossilGenerations[k];
        int best = 0;
        for (int i = 1; i < 6; ++i)
            if (recordedFitness(g, i) > recordedFitness(g, best))
                best = i;
        EXPECT_DOUBLE_EQ(fossilSpiders[k].individual.fitness, recordedFitness(g, best));
        EXPECT_EQ(fossilSpiders[k].stage, STAGE_COMPLETE);
        EXPECT_FALSE(fossilSpiders[k].web.radii.empty());
    }
}

TEST(FossilListTest, TiesShowTheFirstRecordedSpider) {
    freshRun(6, 0);
    // Give spiders 2 and 4 the same, highest fitness and different rules.
    std::vector<int32_t>& record = evolutionState.fossilRecord;
    record[fossilEntryIndex(0, 6, 2) + FOSSIL_FITNESS] = 100000;
    record[fossilEntryIndex(0, 6, 4) + FOSSIL_FITNESS] = 100000;
    buildFossilList(evolutionState);
    ASSERT_EQ(fossilSpiders.size(), 1u);
    for (int r = 0; r < NUM_RULES; ++r)
        EXPECT_EQ(fossilSpiders[0].rule(r), FossilView(record, 6).rule(0, 2, r));
}

TEST(FossilListTest, LayoutPlacesFossilsInASmallGrid) {
    windowWidth = 1678;
    windowHeight = 955;
    panelStripWidth = 380.0;
    freshRun(6, 0);
    layoutFossils();
    EXPECT_EQ(gridColumns, 3);
    EXPECT_EQ(gridRows, 2);
    ASSERT_EQ(fossilSpiders.size(), 1u);
    EXPECT_GT(fossilSpiders[0].web.viewScale, 0.0);
    EXPECT_DOUBLE_EQ(fossilSpiders[0].web.viewHalfWidth, 99.0);
}

} // namespace
