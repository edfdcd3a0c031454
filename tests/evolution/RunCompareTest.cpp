// Naming where two runs part, for the golden comparisons.

#include <gtest/gtest.h>

#include "evolution/RunCompare.h"
#include "tests/evolution/FossilBuilder.h"

namespace {

RunSnapshot snapshotOf(const FossilBuilder& b) {
    RunSnapshot s;
    s.populationSize = b.n;
    s.record = b.record;
    return s;
}

} // namespace

TEST(RunCompare, EqualRunsHaveNoDifference) {
    const FossilBuilder b(3, 2);
    EXPECT_EQ(firstDifference(snapshotOf(b), snapshotOf(b)), "");
}

TEST(RunCompare, NamesTheFirstDifferingGenerationSpiderAndField) {
    FossilBuilder a(3, 3), b(3, 3);
    b.at(2, 0, 0) = 4;                // later difference
    b.at(1, 2, FOSSIL_FITNESS) = 240; // the first one in record order
    a.at(1, 2, FOSSIL_FITNESS) = 236;
    EXPECT_EQ(firstDifference(snapshotOf(a), snapshotOf(b)),
              "generation 1, spider 3 (index 2), field 19 fitness: 236 vs 240");
    FossilBuilder c(3, 3);
    c.at(0, 1, 2) = 7;
    EXPECT_EQ(firstDifference(snapshotOf(FossilBuilder(3, 3)), snapshotOf(c)),
              "generation 0, spider 2 (index 1), field 2 phase: 0 vs 7");
}

TEST(RunCompare, ThenTheLengthAndTheSettings) {
    RunSnapshot a = snapshotOf(FossilBuilder(2, 2)), b = snapshotOf(FossilBuilder(2, 3));
    EXPECT_EQ(firstDifference(a, b), "generations: 2 vs 3");
    b = a;
    b.settings.silkLimit = 2500;
    a.settings.silkLimit = -1;
    EXPECT_EQ(firstDifference(a, b), "silkLimit: -1 vs 2500");
    EXPECT_EQ(firstDifference(a, snapshotOf(FossilBuilder(3, 2))), "population size: 2 vs 3");
}
