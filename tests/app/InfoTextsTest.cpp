#include <gtest/gtest.h>

#include "app/InfoTexts.h"
#include "evolution/EvolutionState.h"
#include "evolution/RunControl.h"
#include "tests/evolution/FakeWindowPort.h"
#include "web/Fitness.h"

namespace {

TEST(InfoBandTest, GenerationLine) {
    EXPECT_EQ(generationLine(0, 0), "Generation: 0");
    EXPECT_EQ(generationLine(10000, 10000), "Generation: 10000");
    // An earlier generation says how far the run goes.
    EXPECT_EQ(generationLine(800, 802), "Generation 800 of 802");
    EXPECT_EQ(generationLine(0, 1), "Generation 0 of 1");
}

TEST(InfoBandTest, SelectedSpiderBeforeEvaluationShowsOnlyItsNumber) {
    SelectedSpiderFacts facts;
    facts.index = 4;
    facts.evaluated = false;
    EXPECT_EQ(selectedSpiderLine(facts), "Selected spider: [5]");
}

SelectedSpiderFacts evaluatedFacts(int caught, double value, double silk, double time,
                                   double fitness) {
    SelectedSpiderFacts facts;
    facts.evaluated = true;
    facts.numCaught = caught;
    facts.preyValue = value;
    facts.silkCost = silk;
    facts.timePenalty = time;
    facts.fitness = fitness;
    return facts;
}

TEST(InfoBandTest, SelectedSpiderShowsASumThatAddsUp) {
    const std::string head = "Selected spider: [1] Fitness = numPreyCaught x preyValue - silkCost"
                             " - timePenalty = ";
    EXPECT_EQ(selectedSpiderLine(evaluatedFacts(12, 20, 56.8, 0.5, 183)),
              head + "12 x 20 - 57 - 0 = 183"); // 0.5 rounds to even
    // Whole terms would say 60 - 11 - 6 = 43: one decimal place then.
    EXPECT_EQ(selectedSpiderLine(evaluatedFacts(3, 20, 10.6, 5.5, 44)),
              head + "3 x 20 - 10.6 - 5.5 = 44");
    EXPECT_EQ(selectedSpiderLine(evaluatedFacts(0, 20, 30.2, 0, 0)),
              head + "0 x 20 - 30 - 0 = -30, counted as 0");
    // The prey value was changed after the evaluation.
    EXPECT_EQ(selectedSpiderLine(evaluatedFacts(3, 25, 10, 6, 44)),
              "Selected spider: [1] Fitness = 44 (evaluated with another prey value;"
              " Feed [Ctrl-E] evaluates again)");
}

// After a time step the record gives the fitness, not the prey caught: the
// band says so, with silk and time from the rebuilt web.
TEST(InfoBandTest, ARestoredSpiderShowsItsRecordedFitness) {
    FakeWindowPort window;
    setWindowPort(&window);
    EvolutionState& es = evolutionState;
    es.numPrey = 30;
    es.silkCostFactor = 1.0;
    es.timePenaltyFactor = 2.0;
    newPopulation(6);
    runOneStep();
    timeStepBackward();
    const SelectedSpiderFacts f = selectedSpiderFacts(es);
    const Spider& s = es.spiders[es.selectedSpider];
    EXPECT_TRUE(f.restored);
    EXPECT_EQ(f.silkCost, fitness::silkCost(s.web, 1.0));
    EXPECT_EQ(f.timePenalty, fitness::timePenalty(s.web, 2.0));
    char expected[256];
    std::snprintf(expected, sizeof expected,
                  "Selected spider: [%d] Fitness = %.0f as recorded (prey caught not recorded;"
                  " silkCost = %.0f, timePenalty = %.0f)",
                  es.selectedSpider + 1, s.individual.fitness, f.silkCost, f.timePenalty);
    EXPECT_EQ(selectedSpiderLine(f), expected);
    evaluateNow();
    EXPECT_FALSE(selectedSpiderFacts(es).restored);
    setWindowPort(nullptr);
}

TEST(InfoBandTest, BrowserLines) {
    EXPECT_EQ(ruleBrowserLine(2), "Rule Browser (Spider 3)");
    EXPECT_EQ(fossilRecordLine(), "Fossil Record");
}

TEST(InfoBandTest, OfflineMessage) {
    EXPECT_EQ(offlineMessage(17), "Evolving while rendering offline... 17 (press 'o' to stop)");
}

TEST(CaptionTest, SpiderCaptionNumbersFromOne) {
    EXPECT_EQ(spiderCaption(2, 120.4, "SEL", 0, 4), "[3] Fit=120  SEL(1, 5)");
    EXPECT_EQ(spiderCaption(23, 99.5, "CROSS+MUT", 22, 7), "[24] Fit=100  CROSS+MUT(23, 8)");
}

TEST(CaptionTest, NewSpiderShowsParentsZero) {
    EXPECT_EQ(spiderCaption(0, 0.0, "I", -1, -1), "[1] Fit=0  I(0, 0)");
}

TEST(CaptionTest, ParentsAtTheEndsOfThe32BitRangeFromADamagedFile) {
    EXPECT_EQ(spiderCaption(0, 1.0, "SEL", 2147483647, -2147483647 - 1),
              "[1] Fit=1  SEL(2147483648, -2147483647)");
}

TEST(CaptionTest, LongCaptionIsCutToItsBuffer) {
    const std::string caption = spiderCaption(199, 123456789.0, std::string(60, 'X'), 1, 2);
    EXPECT_EQ(caption.size(), static_cast<size_t>(CAPTION_CHARS - 1));
    EXPECT_EQ(caption.substr(0, 21), "[200] Fit=123456789  ");
}

TEST(CaptionTest, FossilCaption) {
    EXPECT_EQ(fossilCaption(40, 310.0), "Generation 40  Fit=310");
    EXPECT_EQ(fossilCaption(0, -0.2), "Generation 0  Fit=-0");
}

} // namespace

TEST(CaptionTest, FitCaptionDropsTrailingPartsThenCutsTheFirst) {
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

TEST(CaptionTest, CaptionsSideBySideKeepTheSameParts) {
    const auto width = [](const std::string& t) { return static_cast<int>(t.size()) * 10; };
    // The second would keep its origin alone, the first would not: neither does.
    const std::vector<std::string> texts{"[12] Fit=1070  MUT(3, 4)", "[2] Fit=70  MUT(3, 4)"};
    EXPECT_EQ(fitCaptionsAlike(texts, 220, width),
              (std::vector<std::string>{"[12] Fit=1070", "[2] Fit=70"}));
    EXPECT_EQ(fitCaptionsAlike(texts, 240, width),
              (std::vector<std::string>{"[12] Fit=1070  MUT(3, 4)", "[2] Fit=70  MUT(3, 4)"}));
    // A first part too wide is cut; the others keep their first part only.
    EXPECT_EQ(fitCaptionsAlike({"abcdef  x", "ab  x  y"}, 40, width),
              (std::vector<std::string>{"abcd", "ab"}));
    EXPECT_EQ(fitCaptionsAlike({"a  b  c", "a  b"}, 70, width),
              (std::vector<std::string>{"a  b", "a  b"}));
}
