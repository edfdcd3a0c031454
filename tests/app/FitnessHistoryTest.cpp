#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "app/ChartImage.h"
#include "app/FitnessHistory.h"
#include "evolution/Run.h"
#include "evolution/RunStatistics.h"
#include "tests/app/PopulationFixture.h"
#include "tests/evolution/FossilBuilder.h"

namespace {

// A record of `generations` generations whose fitness values wander up
// and down, negative ones included.
FossilBuilder wanderingRecord(int n, int generations) {
    FossilBuilder b(n, generations);
    for (int g = 0; g < generations; ++g)
        for (int i = 0; i < n; ++i)
            b.at(g, i, FOSSIL_FITNESS) = (g * 37 + i * 101) % 211 - 60 + g / 10;
    return b;
}

const ChartColours COLOURS{{0.25f, 0.25f, 0.3f},
                           {0.6f, 0.6f, 0.6f},
                           {{1.0f, 0.45f, 0.3f}, {0.35f, 0.95f, 0.35f}, {0.45f, 0.75f, 1.0f}}};

FitnessHistory historyOf(const std::vector<int32_t>& record, int n, int columns) {
    FitnessHistory h;
    h.setColumns(columns);
    h.update(FossilView(record, n), 0);
    return h;
}

// The columns of two histories hold the same generations and ranges.
void expectSameColumns(const FitnessHistory& a, const FitnessHistory& b) {
    ASSERT_EQ(a.columns(), b.columns());
    ASSERT_EQ(a.generations(), b.generations());
    for (int c = 0; c < a.columns(); ++c) {
        const HistoryColumn &x = a.column(c), &y = b.column(c);
        ASSERT_EQ(x.count, y.count) << "column " << c;
        if (x.count == 0)
            continue;
        EXPECT_EQ(x.first, y.first);
        EXPECT_EQ(x.best.lo, y.best.lo);
        EXPECT_EQ(x.best.hi, y.best.hi);
        EXPECT_EQ(x.mean.lo, y.mean.lo);
        EXPECT_EQ(x.mean.hi, y.mean.hi);
        EXPECT_EQ(x.min.lo, y.min.lo);
        EXPECT_EQ(x.min.hi, y.min.hi);
    }
}

TEST(FitnessHistoryTest, EveryColumnHoldsItsGenerationsAndTheirRanges) {
    const int generations = 1001, n = 3, width = 137;
    const FossilBuilder b = wanderingRecord(n, generations);
    const FitnessHistory h = historyOf(b.record, n, width);
    const std::vector<GenerationStats> stats = allGenerationStats(FossilView(b.record, n));
    EXPECT_EQ(h.axisEnd(), 1000);
    EXPECT_EQ(h.columnOf(0), 0);
    EXPECT_EQ(h.columnOf(generations - 1), width - 1);
    int seen = 0;
    for (int c = 0; c < width; ++c) {
        const HistoryColumn& column = h.column(c);
        ASSERT_GT(column.count, 0) << "column " << c;
        ASSERT_EQ(column.first, seen) << "column " << c;
        double bestLo = 1e9, bestHi = -1e9, meanLo = 1e9, meanHi = -1e9, minLo = 1e9, minHi = -1e9;
        for (int g = column.first; g < column.first + column.count; ++g) {
            EXPECT_EQ(h.columnOf(g), c);
            bestLo = std::min<double>(bestLo, stats[g].best);
            bestHi = std::max<double>(bestHi, stats[g].best);
            meanLo = std::min(meanLo, stats[g].mean);
            meanHi = std::max(meanHi, stats[g].mean);
            minLo = std::min<double>(minLo, stats[g].min);
            minHi = std::max<double>(minHi, stats[g].min);
        }
        EXPECT_EQ(column.best.lo, bestLo);
        EXPECT_EQ(column.best.hi, bestHi);
        EXPECT_EQ(column.mean.lo, meanLo);
        EXPECT_EQ(column.mean.hi, meanHi);
        EXPECT_EQ(column.min.lo, minLo);
        EXPECT_EQ(column.min.hi, minHi);
        seen += column.count;
    }
    EXPECT_EQ(seen, generations);
    EXPECT_LT(h.fitnessRange().lo, 0.0); // negative fitness is on the axis
}

TEST(FitnessHistoryTest, GrowingGenerationByGenerationEqualsReadingTheWholeRun) {
    const int n = 2, width = 800, last = 10000;
    const FossilBuilder whole = wanderingRecord(n, last + 1);
    std::vector<int32_t> growing;
    FitnessHistory h;
    h.setColumns(width);
    const size_t perGeneration = fossilEntryIndex(1, n, 0);
    for (int g = 0; g <= last; ++g) {
        growing.insert(growing.end(), whole.record.begin() + g * perGeneration,
                       whole.record.begin() + (g + 1) * perGeneration);
        h.update(FossilView(growing, n), 0);
        if (g == 0) {
            // One generation: the axis's first round end, generation 0 in column 0.
            EXPECT_EQ(h.axisEnd(), 10);
            EXPECT_EQ(h.column(0).count, 1);
            EXPECT_EQ(h.generationAtColumn(width - 1), 0);
        }
        if (g == 11 || g == 2345)
            expectSameColumns(h, historyOf(growing, n, width));
    }
    EXPECT_EQ(h.axisEnd(), last);
    EXPECT_EQ(h.columnOf(last), width - 1);
    expectSameColumns(h, historyOf(whole.record, n, width));
    h.setColumns(333); // a resized window
    expectSameColumns(h, historyOf(whole.record, n, 333));
}

TEST(FitnessHistoryTest, AClickGoesToAGenerationOfItsColumn) {
    const int n = 1, width = 800;
    const FossilBuilder b = wanderingRecord(n, 501);
    const FitnessHistory h = historyOf(b.record, n, width);
    EXPECT_EQ(h.axisEnd(), 500);
    EXPECT_EQ(h.generationAtColumn(-5), 0);
    EXPECT_EQ(h.generationAtColumn(0), 0);
    EXPECT_EQ(h.generationAtColumn(width - 1), 500);
    EXPECT_EQ(h.generationAtColumn(width + 40), 500);
    EXPECT_LE(std::abs(h.columnOf(h.generationAtColumn(width / 2)) - h.columnOf(250)), 1);
    // More columns than generations: a column between two generations goes
    // to the one whose span covers it.
    for (int c = 0; c < width; ++c) {
        const int g = h.generationAtColumn(c);
        EXPECT_LE(h.columnOf(g), c);
        if (g < 500) {
            EXPECT_GT(h.columnOf(g + 1), c) << "column " << c;
        }
    }
    // Fewer columns than generations: the middle one of the column's.
    const FitnessHistory narrow = historyOf(b.record, n, 50);
    EXPECT_EQ(narrow.generationAtColumn(0), 5); // 0 ... 10
    for (int c = 0; c < 50; ++c)
        EXPECT_EQ(narrow.columnOf(narrow.generationAtColumn(c)), c);
    // A run shorter than its axis: right of its last generation, the last.
    const FitnessHistory shortRun = historyOf(wanderingRecord(n, 4).record, n, width);
    EXPECT_EQ(shortRun.generationAtColumn(width - 1), 3);
    EXPECT_EQ(FitnessHistory().generationAtColumn(0), -1);
}

TEST(FitnessHistoryTest, ShowsTheNumbersTheStatisticsTableWrites) {
    RunOptions o;
    o.population = 7;
    o.threads = 1;
    ::Run run = ::Run::start(o, 11);
    run.breed(25);
    FitnessHistory h;
    h.update(FossilView(run.state().fossilRecord, run.populationSize()),
             run.state().recordRevision);
    const std::vector<GenerationStats> rows = run.statistics();
    ASSERT_EQ(h.generations(), static_cast<int>(rows.size()));
    for (const GenerationStats& s : rows) {
        EXPECT_EQ(h.generation(s.generation).best, s.best);
        EXPECT_EQ(h.generation(s.generation).mean, s.mean);
        EXPECT_EQ(h.generation(s.generation).min, s.min);
    }
    EXPECT_EQ(historyHoverText(250, GenerationFitness{310, 122.54166, -12}),
              "Generation 250: best 310, mean 122.5417, min -12");
}

// The history of the program's run as a fresh reading of its record gives it.
void expectFollowsTheRun(FitnessHistory& h) {
    h.update(FossilView(evolutionState.fossilRecord, evolutionState.populationSize),
             evolutionState.recordRevision);
    expectSameColumns(h, historyOf(evolutionState.fossilRecord, evolutionState.populationSize, 90));
    for (int g = 0; g < h.generations(); ++g)
        ASSERT_EQ(h.generation(g).mean,
                  generationStats(
                      FossilView(evolutionState.fossilRecord, evolutionState.populationSize), g)
                      .mean);
}

TEST(FitnessHistoryTest, FollowsTheRunThroughCutsRewritesAndNewRuns) {
    FitnessHistory h;
    h.setColumns(90);
    makeEvaluatedPopulation(5, "I", 6);
    expectFollowsTheRun(h);
    // Breeding from an earlier generation cuts the later ones.
    evolutionState.goToGeneration(2);
    breedGeneration(evolutionState);
    breedGeneration(evolutionState);
    breedGeneration(evolutionState);
    breedGeneration(evolutionState);
    ASSERT_EQ(evolutionState.recordedGenerations(), 7);
    expectFollowsTheRun(h);
    // An earlier generation, then the last one, evaluated again.
    evolutionState.goToGeneration(3);
    evolutionState.evaluatePopulation(true);
    expectFollowsTheRun(h);
    evolutionState.goToGeneration(6);
    evolutionState.evaluatePopulation(true);
    expectFollowsTheRun(h);
    // A new run of the same size, bred past the old one's length.
    makeEvaluatedPopulation(5, "I", 8);
    expectFollowsTheRun(h);
}

// Every drawn column touches the one before it and covers its range's rows.
void expectUnbrokenLine(const FitnessHistory& h, const FitnessAxis& axis, int height) {
    const std::vector<PixelSpan> spans = seriesSpans(h, &HistoryColumn::best, axis, height);
    const int lastColumn = h.columnOf(h.generations() - 1);
    for (int c = 0; c < h.columns(); ++c) {
        const PixelSpan& s = spans[static_cast<size_t>(c)];
        if (c > lastColumn) {
            EXPECT_GT(s.lo, s.hi) << "column " << c;
            continue;
        }
        ASSERT_LE(s.lo, s.hi) << "column " << c;
        EXPECT_GE(s.lo, 0);
        EXPECT_LT(s.hi, height);
        if (h.column(c).count > 0) {
            EXPECT_LE(s.lo, fitnessRow(axis, height, h.column(c).best.lo));
            EXPECT_GE(s.hi, fitnessRow(axis, height, h.column(c).best.hi));
        }
        if (c > 0) {
            const PixelSpan& before = spans[static_cast<size_t>(c - 1)];
            EXPECT_TRUE(s.lo <= before.hi + 1 && s.hi >= before.lo - 1) << "column " << c;
        }
    }
}

TEST(FitnessHistoryTest, EachSeriesIsOneUnbrokenLine) {
    const FossilBuilder b = wanderingRecord(3, 1001);
    const FitnessHistory dense = historyOf(b.record, 3, 137);
    const FitnessAxis axis = fitnessAxis(dense.fitnessRange(), 5);
    expectUnbrokenLine(dense, axis, 90);
    // Fewer generations than columns, and a run shorter than its axis.
    const FossilBuilder few = wanderingRecord(3, 37);
    const FitnessHistory sparse = historyOf(few.record, 3, 400);
    expectUnbrokenLine(sparse, fitnessAxis(sparse.fitnessRange(), 5), 90);
    EXPECT_EQ(fitnessRow(axis, 90, axis.lo), 0);
    EXPECT_EQ(fitnessRow(axis, 90, axis.hi), 89);
}

TEST(FitnessHistoryTest, AxesKeysAndStrip) {
    const FitnessAxis axis = fitnessAxis(ValueRange{-37, 412}, 6);
    EXPECT_EQ(axis.step, 100.0);
    EXPECT_EQ(axis.lo, -100.0);
    EXPECT_EQ(axis.hi, 500.0);
    EXPECT_EQ(fitnessAxis(ValueRange{-37, 412}, 5).step, 200.0); // -200 ... 600 would be 4
    const FitnessAxis flat = fitnessAxis(ValueRange{0, 0}, 4);
    EXPECT_EQ(flat.lo, 0.0);
    EXPECT_EQ(flat.hi, 1.0);
    EXPECT_EQ(fitnessAxis(ValueRange{0, 90}, 4).step, 50.0);
    EXPECT_EQ(fitnessAxis(ValueRange{0, 7}, 4).step, 2.0);
    EXPECT_EQ(fitnessAxis(ValueRange{0, 7}, 0).step, 10.0);

    EXPECT_EQ(historyAxisEnd(0), 10);
    EXPECT_EQ(historyAxisEnd(11), 20);
    EXPECT_EQ(historyAxisEnd(201), 500);
    EXPECT_EQ(historyAxisEnd(10000), 10000);

    EXPECT_EQ(historyStepTarget(0, 500, -1, false), 0);
    EXPECT_EQ(historyStepTarget(250, 500, -1, false), 249);
    EXPECT_EQ(historyStepTarget(250, 500, +1, true), 260);
    EXPECT_EQ(historyStepTarget(495, 500, +1, true), 500);
    EXPECT_EQ(historyStepTarget(5, 500, -1, true), 0);

    EXPECT_EQ(historyStripHeight(650), 130);
    EXPECT_EQ(historyStripHeight(400), 120);
    EXPECT_EQ(historyStripHeight(2000), 200);
}

} // namespace

// As a run grows, the image painted column by column, and the columns it
// reports as changed copied onto what was sent before, equal an image
// painted whole; most steps paint only a few columns.
TEST(FitnessHistoryTest, PaintedAsTheRunGrowsItEqualsOnePaintedWhole) {
    const int n = 3, total = 1001, width = 137, height = 90;
    const FossilBuilder b = wanderingRecord(n, total);
    FitnessHistory whole;
    whole.setColumns(width);
    whole.update(FossilView(b.record, n), 0);
    const FitnessAxis axis = fitnessAxis(whole.fitnessRange(), 4);

    FitnessHistory growing;
    growing.setColumns(width);
    ChartImage grown(COLOURS);
    std::vector<unsigned char> sent;
    int partial = 0, step = 0;
    for (int g = 300; g <= total; g += 1 + (step++ % 3) * 8) {
        const std::vector<int32_t> prefix(b.record.begin(),
                                          b.record.begin() + fossilEntryIndex(g, n, 0));
        growing.update(FossilView(prefix, n), 0);
        const auto [first, last] = grown.update(growing, axis, width, height);
        if (first == 0 && last == width - 1)
            sent = grown.pixels();
        for (int row = 0; row < height; ++row)
            for (int x = first; x <= last; ++x)
                for (int k = 0; k < 4; ++k) {
                    const size_t i = (static_cast<size_t>(row) * width + x) * 4 + k;
                    sent[i] = grown.pixels()[i];
                }
        partial += last - first + 1 < width / 4;

        ChartImage fresh(COLOURS);
        fresh.update(growing, axis, width, height);
        ASSERT_TRUE(grown.pixels() == fresh.pixels()) << g << " generations";
        ASSERT_TRUE(sent == fresh.pixels()) << g << " generations";
    }
    EXPECT_GT(partial, 50);
    // Nothing new: nothing painted.
    const auto [first, last] = grown.update(growing, axis, width, height);
    EXPECT_GT(first, last);
}
