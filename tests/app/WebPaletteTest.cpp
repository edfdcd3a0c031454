#include <gtest/gtest.h>

#include "app/WebPalette.h"

namespace {

const tPaletteColour kRedNormal{1.0f, 0.0f, 0.0f};
const tPaletteColour kRedDim{0.5f, 0.0f, 0.0f};
const tPaletteColour kGreyNormal{0.5f, 0.5f, 0.5f};
const tPaletteColour kGreyDim{0.2f, 0.2f, 0.2f};
const tPaletteColour kBlueNormal{0.3f, 0.3f, 1.0f};
const tPaletteColour kBlueDim{0.1f, 0.1f, 0.5f};

void expectPalette(int stage, bool frame, bool radius, bool extra, bool firstLoop, bool mainSpiral)
{
    setWebPalette(stage);
    EXPECT_EQ(webPalette.frameColour, frame ? kRedNormal : kRedDim) << stage;
    EXPECT_EQ(webPalette.radiusColour, radius ? kGreyNormal : kGreyDim) << stage;
    EXPECT_EQ(webPalette.extraRadiusColour, extra ? kGreyNormal : kGreyDim) << stage;
    EXPECT_EQ(webPalette.firstLoopColour, firstLoop ? kBlueNormal : kBlueDim) << stage;
    EXPECT_EQ(webPalette.mainSpiralColour, mainSpiral ? kBlueNormal : kBlueDim) << stage;
}

TEST(WebPaletteTest, StageZeroIsAllNormal)
{
    setWebPalette(4);
    expectPalette(0, true, true, true, true, true);
}

TEST(WebPaletteTest, StagesLightTheirParts)
{
    expectPalette(1, false, false, false, false, false);
    expectPalette(2, true, false, false, false, false);
    expectPalette(3, false, true, false, false, false);
    expectPalette(4, true, true, false, false, false);
    expectPalette(5, false, false, true, false, false);
    expectPalette(6, false, false, false, true, false);
    expectPalette(7, false, false, false, false, true);
    expectPalette(8, false, false, false, true, true);
    expectPalette(9, false, false, false, false, false);
}

TEST(GeneChartTest, RangeRunsFromBlueToRed)
{
    EXPECT_EQ(geneChartColour(0.0, true), (tPaletteColour{0.0f, 0.2f, 1.0f}));
    EXPECT_EQ(geneChartColour(1.0, true), (tPaletteColour{1.0f, 0.2f, 0.0f}));
    EXPECT_EQ(geneChartColour(-1.0, true), (tPaletteColour{0.4f, 0.4f, 0.4f}));
    EXPECT_EQ(geneChartColour(0.7, false), (tPaletteColour{0.2f, 0.2f, 0.2f}));
}

TEST(GeneChartTest, LitGenesFollowTheSpidersStage)
{
    EXPECT_TRUE(geneIsLit(0, 3));
    EXPECT_TRUE(geneIsLit(5, 1));
    EXPECT_TRUE(geneIsLit(2, 2));
    EXPECT_FALSE(geneIsLit(2, 3));
    EXPECT_FALSE(geneIsLit(4, 1));
}

} // namespace
