#include <gtest/gtest.h>

#include <vector>

#include "app/AppState.h"
#include "app/WebPalette.h"

namespace {

float brightness(const tPaletteColour& c) {
    return c.r + c.g + c.b;
}

// The palette of stage 0 (every part normal) and of stage 1 (every part
// dimmed), part by part: frame, radius, extra radius, first loop, main spiral.
std::vector<tPaletteColour> partsOf(const tWebPalette& p) {
    return {p.frameColour, p.radiusColour, p.extraRadiusColour, p.firstLoopColour,
            p.mainSpiralColour};
}

std::vector<tPaletteColour> paletteOf(int stage) {
    setWebPalette(stage);
    return partsOf(webPalette);
}

TEST(WebPaletteTest, DimmedPartsAreDarkerThanNormalOnesAndStageZeroIsNormal) {
    const std::vector<tPaletteColour> normal = paletteOf(0), dimmed = paletteOf(1);
    for (size_t k = 0; k < normal.size(); ++k)
        EXPECT_LT(brightness(dimmed[k]), brightness(normal[k])) << "part " << k;
    setWebPalette(4);
    EXPECT_TRUE(paletteOf(0) == normal);
}

TEST(WebPaletteTest, EachStageLightsTheWebPartItsRulesBuild) {
    const std::vector<tPaletteColour> normal = paletteOf(0), dimmed = paletteOf(1);
    // Parts lit per stage, bits from the frame (1) to the main spiral (16).
    const int lit[] = {0, 0, 1, 2, 3, 4, 8, 16, 24, 0};
    for (int stage = 1; stage <= 9; ++stage) {
        const std::vector<tPaletteColour> p = paletteOf(stage);
        for (size_t k = 0; k < p.size(); ++k)
            EXPECT_EQ(p[k], (lit[stage] >> k & 1) ? normal[k] : dimmed[k])
                << "stage " << stage << ", part " << k;
    }
}

TEST(GeneChartTest, RangeRunsFromBlueToRed) {
    EXPECT_EQ(geneChartColour(0.0, true), (tPaletteColour{0.0f, 0.2f, 1.0f}));
    EXPECT_EQ(geneChartColour(1.0, true), (tPaletteColour{1.0f, 0.2f, 0.0f}));
    EXPECT_EQ(geneChartColour(-1.0, true), (tPaletteColour{0.4f, 0.4f, 0.4f}));
    EXPECT_EQ(geneChartColour(0.7, false), (tPaletteColour{0.2f, 0.2f, 0.2f}));
}

TEST(GeneChartTest, LitGenesFollowTheSpidersStage) {
    EXPECT_TRUE(geneIsLit(0, 3));
    EXPECT_TRUE(geneIsLit(5, 1));
    EXPECT_TRUE(geneIsLit(2, 2));
    EXPECT_FALSE(geneIsLit(2, 3));
    EXPECT_FALSE(geneIsLit(4, 1));
}

} // namespace
