#include <gtest/gtest.h>

#include "app/InfoTexts.h"

namespace {

TEST(InfoBandTest, GenerationLine)
{
    EXPECT_EQ(generationLine(0), "Generation: 0");
    EXPECT_EQ(generationLine(10000), "Generation: 10000");
}

TEST(InfoBandTest, SelectedSpiderBeforeEvaluationShowsOnlyItsNumber)
{
    SelectedSpiderFacts facts;
    facts.index = 4;
    facts.evaluated = false;
    EXPECT_EQ(selectedSpiderLine(facts), "Selected spider: [5]");
}

TEST(InfoBandTest, SelectedSpiderShowsTheFitnessSum)
{
    SelectedSpiderFacts facts;
    facts.index = 0;
    facts.evaluated = true;
    facts.numCaught = 12;
    facts.preyValue = 20.0;
    facts.silkCost = 57.4;
    facts.timePenalty = 0.5; // rounds to even: 0
    facts.fitness = 183.0;
    EXPECT_EQ(selectedSpiderLine(facts),
              "Selected spider: [1] Fitness = numPreyCaught x preyValue - silkCost - timePenalty"
              " = 12 x 20 - 57 - 0 = 183");
}

TEST(InfoBandTest, BrowserLines)
{
    EXPECT_EQ(ruleBrowserLine(2), "Rule Browser (Spider 3)");
    EXPECT_EQ(fossilRecordLine(), "Fossil Record");
}

TEST(InfoBandTest, OfflineMessage)
{
    EXPECT_EQ(offlineMessage(17), "Evolving while rendering offline... 17 (press 'o' to stop)");
}

TEST(CaptionTest, SpiderCaptionNumbersFromOne)
{
    EXPECT_EQ(spiderCaption(2, 120.4, "SEL", 0, 4), "[3] Fit=120  SEL(1, 5)");
    EXPECT_EQ(spiderCaption(23, 99.5, "CROSS+MUT", 22, 7), "[24] Fit=100  CROSS+MUT(23, 8)");
}

TEST(CaptionTest, NewSpiderShowsParentsZero)
{
    EXPECT_EQ(spiderCaption(0, 0.0, "I", -1, -1), "[1] Fit=0  I(0, 0)");
}

TEST(CaptionTest, LongCaptionIsCutToItsBuffer)
{
    const std::string caption = spiderCaption(199, 123456789.0, std::string(60, 'X'), 1, 2);
    EXPECT_EQ(caption.size(), static_cast<size_t>(CAPTION_CHARS - 1));
    EXPECT_EQ(caption.substr(0, 21), "[200] Fit=123456789  ");
}

TEST(CaptionTest, FossilCaption)
{
    EXPECT_EQ(fossilCaption(40, 310.0), "Generation 40  Fit=310");
    EXPECT_EQ(fossilCaption(0, -0.2), "Generation 0  Fit=-0");
}

} // namespace

TEST(CaptionTest, FitCaptionDropsTrailingPartsThenCutsTheFirst)
{
    // Every character 10 pixels wide.
    const auto width = [](const std::string& t) { return static_cast<int>(t.size()) * 10; };
    const std::string caption = "[12] Fit=70  CROSS+MUT(20, 7)";
    EXPECT_EQ(fitCaption(caption, 290, width), caption);
    EXPECT_EQ(fitCaption(caption, 289, width), "[12] Fit=70");
    EXPECT_EQ(fitCaption(caption, 110, width), "[12] Fit=70");
    EXPECT_EQ(fitCaption(caption, 109, width), "[12] Fit=7");
    EXPECT_EQ(fitCaption("a  b  c", 40, width), "a  b");
    EXPECT_EQ(fitCaption(caption, 5, width), "");
    EXPECT_EQ(fitCaption("Stage 1: First radii", 80, width), "Stage 1:");
}
