#include <gtest/gtest.h>

#include <vector>

#include "app/ChartImage.h"
#include "app/FitnessHistory.h"
#include "tests/evolution/FossilBuilder.h"

namespace {

const ChartColours COLOURS{{0.25f, 0.25f, 0.3f},
                           {0.6f, 0.6f, 0.6f},
                           {{1.0f, 0.45f, 0.3f}, {0.35f, 0.95f, 0.35f}, {0.45f, 0.75f, 1.0f}}};

// A record whose fitness values wander up and down, negative ones included.
FossilBuilder wanderingRecord(int n, int generations) {
    FossilBuilder b(n, generations);
    for (int g = 0; g < generations; ++g)
        for (int i = 0; i < n; ++i)
            b.at(g, i, FOSSIL_FITNESS) = (g * 37 + i * 101) % 211 - 60 + g / 10;
    return b;
}

} // namespace

// As a run grows, the image painted column by column, and the columns it
// reports as changed copied onto what was sent before, equal an image
// painted whole; most steps paint only a few columns.
TEST(ChartImageTest, PaintedAsTheRunGrowsItEqualsOnePaintedWhole) {
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
