// Reading the fossil record through its one layout: whole generations, the
// best spider of a generation and the fields of an entry.

#include <gtest/gtest.h>

#include "evolution/FossilView.h"
#include "tests/evolution/FossilBuilder.h"

TEST(FossilView, CountsWholeGenerationsOnlyAndFindsTheFirstBest) {
    FossilBuilder b(4, 3);
    const int fitness[3][4] = {{5, 9, 3, 9}, {1, 2, 8, 0}, {-4, -4, -9, -5}};
    for (int g = 0; g < 3; ++g)
        for (int i = 0; i < 4; ++i)
            b.spider(g, i, fitness[g][i], 0, 0, 0);
    b.record.resize(b.record.size() + 5); // a partial generation does not count
    const FossilView f(b.record, 4);
    EXPECT_EQ(f.generations(), 3);
    EXPECT_EQ(f.bestOf(0), 1); // a tie keeps the earlier spider
    EXPECT_EQ(f.bestOf(1), 2);
    EXPECT_EQ(f.bestOf(2), 0); // all below zero: still the first best
    EXPECT_EQ(FossilView(b.record, 0).generations(), 0);
    EXPECT_EQ(FossilView({}, 24).generations(), 0);
}

TEST(FossilView, FieldsOfAnEntryAreTheEngineRecord) {
    FossilBuilder b(3, 2);
    b.spider(1, 2, 77, 4, 1, 0);
    b.at(1, 2, 5) = 9;
    const FossilView f(b.record, 3);
    EXPECT_EQ(f.fitness(1, 2), 77);
    EXPECT_EQ(f.originCode(1, 2), 4);
    EXPECT_EQ(f.parentA(1, 2), 1);
    EXPECT_EQ(f.parentB(1, 2), 0);
    EXPECT_EQ(f.rule(1, 2, 5), 9);
    EXPECT_EQ(f.field(1, 1, FOSSIL_FITNESS), 0);
    EXPECT_EQ(fossilFieldName(FOSSIL_FITNESS), "fitness");
    EXPECT_EQ(fossilFieldName(FOSSIL_ORIGIN), "origin");
    EXPECT_EQ(fossilFieldName(FOSSIL_PARENT_A), "parentA");
    EXPECT_EQ(fossilFieldName(FOSSIL_PARENT_B), "parentB");
}
