#include <gtest/gtest.h>

#include <vector>

#include "app/RuleBrowserModel.h"
#include "evolution/EvolutionState.h"
#include "evolution/RunControl.h"
#include "tests/app/PopulationFixture.h"
#include "tests/evolution/FakeWindowPort.h"

namespace {

// Everything a drawn web shows, as one list of numbers.
std::vector<int> webShape(const Spider& s) {
    std::vector<int> shape;
    for (const Radius& r : s.web.radii) {
        shape.insert(shape.end(), {r.kind, r.hubX, r.hubY, r.endX, r.endY});
    }
    shape.push_back(-1);
    for (const SpiralThread& t : s.web.spiralThreads)
        shape.insert(shape.end(), {t.x1, t.y1, t.x2, t.y2});
    shape.push_back(s.web.firstLoopThreads);
    return shape;
}

std::vector<std::vector<int>> stageShapes(const RuleBrowserModel& m) {
    std::vector<std::vector<int>> shapes;
    for (const Spider& s : m.stageSpiders)
        shapes.push_back(webShape(s));
    return shapes;
}

// A value of gene i other than `current`, inside the gene's range.
int otherValue(const RuleBrowserModel& m, int i, int current) {
    const int lo = m.problem.geneMin[static_cast<size_t>(i)];
    const int hi = m.problem.geneMax[static_cast<size_t>(i)];
    return current - lo > hi - current ? lo : hi;
}

void makePopulation(int size) {
    makeEvaluatedPopulation(size, "SEL");
    evolutionState.selectedSpider = evolutionState.bestSpider;
}

TEST(RuleBrowserStagesTest, StagesSplitTheNineteenGenes) {
    RuleBrowserModel m;
    ASSERT_EQ(m.numGenes(), 19);
    const int first[] = {0, 9, 16, 18};
    const int end[] = {9, 16, 18, 19};
    for (int k = 0; k < NUM_BROWSER_STAGES; ++k) {
        EXPECT_EQ(m.stageFirstGene(k), first[k]) << k;
        EXPECT_EQ(m.stageEndGene(k), end[k]) << k;
    }
}

TEST(RuleBrowserStagesTest, InitialRulesBuildEachStageCopyToItsStage) {
    RuleBrowserModel m;
    ASSERT_EQ(m.rules.size(), 19u);
    EXPECT_EQ(m.rules[0], 7);
    EXPECT_EQ(m.rules[18], 101);
    for (int k = 0; k < NUM_BROWSER_STAGES; ++k)
        EXPECT_FALSE(m.stageSpiders[k].web.radii.empty()) << k;
    EXPECT_TRUE(m.stageSpiders[0].web.spiralThreads.empty());
    EXPECT_TRUE(m.stageSpiders[1].web.spiralThreads.empty());
    EXPECT_GE(m.stageSpiders[3].web.spiralThreads.size(),
              m.stageSpiders[2].web.spiralThreads.size());
}

TEST(RuleBrowserEditTest, FirstStageRuleChangesAllFourWebs) {
    RuleBrowserModel m;
    const auto before = stageShapes(m);
    m.rules[0] = otherValue(m, 0, m.rules[0]);
    m.applyRules();
    const auto after = stageShapes(m);
    for (int k = 0; k < NUM_BROWSER_STAGES; ++k)
        EXPECT_NE(before[k], after[k]) << "stage web " << k;
}

TEST(RuleBrowserEditTest, LastStageRuleChangesOnlyTheFourthWeb) {
    RuleBrowserModel m;
    const auto before = stageShapes(m);
    m.rules[18] = otherValue(m, 18, m.rules[18]);
    m.applyRules();
    const auto after = stageShapes(m);
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(before[k], after[k]) << "stage web " << k;
    EXPECT_NE(before[3], after[3]);
}

TEST(RuleBrowserEditTest, ApplyingTwiceGivesTheSameWebs) {
    RuleBrowserModel m;
    m.applyRules();
    const auto once = stageShapes(m);
    m.applyRules();
    EXPECT_EQ(once, stageShapes(m));
}

TEST(RuleBrowserLoadTest, LoadTakesTheSpidersRules) {
    makePopulation(6);
    RuleBrowserModel m;
    const Spider& s = evolutionState.spiders[2];
    m.load(s);
    for (int i = 0; i < NUM_RULES; ++i) {
        EXPECT_EQ(m.rules[static_cast<size_t>(i)], s.rule(i)) << i;
        EXPECT_EQ(m.stageSpiders[3].rule(i), s.rule(i)) << i;
    }
    Spider complete = s;
    complete.clearWeb();
    complete.buildWeb();
    EXPECT_EQ(webShape(m.stageSpiders[3]), webShape(complete));
}

TEST(RuleBrowserWriteBackTest, BackWritesRulesGenomeLabelAndFitness) {
    makePopulation(6);
    evolutionState.selectedSpider = 3;
    RuleBrowserModel m;
    m.load(evolutionState.spiders[3]);
    m.rules[0] = otherValue(m, 0, m.rules[0]);
    m.rules[16] = otherValue(m, 16, m.rules[16]);
    m.applyRules();
    const EAIndInteger oldGenome = evolutionState.spiders[3].individual;
    m.writeBackPending = true;
    m.writeBack(evolutionState);

    const Spider& s = evolutionState.spiders[3];
    EXPECT_FALSE(m.writeBackPending);
    for (int i = 0; i < NUM_RULES; ++i)
        EXPECT_EQ(s.rule(i), m.rules[static_cast<size_t>(i)]) << i;
    bool genomeChanged = false;
    for (int b = 0; b < oldGenome.numBits; ++b)
        genomeChanged = genomeChanged || oldGenome.bits[b] != s.individual.bits[b];
    EXPECT_TRUE(genomeChanged);
    EXPECT_EQ(s.origin, "I");
    EXPECT_EQ(s.parentA, -1);
    EXPECT_EQ(s.parentB, -1);
    EXPECT_TRUE(s.individual.isEvaluated);

    // Its fitness is the one the current prey give its new web.
    Spider check = s;
    check.individual.isEvaluated = false;
    check.clearWeb();
    evolutionState.problem.evaluateSpider(check, evolutionState.preySize, evolutionState.preyValue,
                                          evolutionState.silkCostFactor,
                                          evolutionState.timePenaltyFactor);
    EXPECT_DOUBLE_EQ(s.individual.fitness, check.individual.fitness);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(evolutionState.spiders[i].web.isHighlighted, i == 3) << i;
}

TEST(RuleBrowserWriteBackTest, EditsGoBackToTheSpiderTheyCameFrom) {
    makePopulation(6);
    RuleBrowserModel m;
    m.load(evolutionState.spiders[4], 4);
    m.rules[0] = otherValue(m, 0, m.rules[0]);
    m.applyRules();
    const Spider other = evolutionState.spiders[1];
    evolutionState.selectedSpider = 1; // a run tick selected another spider
    m.writeBack(evolutionState);
    EXPECT_EQ(evolutionState.selectedSpider, 4);
    EXPECT_EQ(evolutionState.spiders[4].rule(0), m.rules[0]);
    EXPECT_EQ(evolutionState.spiders[4].origin, "I");
    EXPECT_EQ(webShape(evolutionState.spiders[1]), webShape(other));
    EXPECT_EQ(evolutionState.spiders[1].origin, other.origin);
}

TEST(RuleBrowserWriteBackTest, LeavingWithoutBackChangesNothing) {
    makePopulation(6);
    evolutionState.selectedSpider = 1;
    const Spider before = evolutionState.spiders[1];
    RuleBrowserModel m;
    m.load(evolutionState.spiders[1]);
    m.rules[0] = otherValue(m, 0, m.rules[0]);
    m.applyRules();
    const Spider& after = evolutionState.spiders[1];
    EXPECT_EQ(webShape(after), webShape(before));
    EXPECT_EQ(after.individual.fitness, before.individual.fitness);
    EXPECT_EQ(after.origin, before.origin);
    for (int i = 0; i < NUM_RULES; ++i)
        EXPECT_EQ(after.rule(i), before.rule(i)) << i;
}

TEST(RuleBrowserWriteBackTest, InvalidSelectionWritesNothing) {
    makePopulation(6);
    const Spider before = evolutionState.spiders[0];
    evolutionState.selectedSpider = 6; // beyond the population
    RuleBrowserModel m;
    m.rules[0] = otherValue(m, 0, m.rules[0]);
    m.applyRules();
    m.writeBackPending = true;
    m.writeBack(evolutionState);
    EXPECT_FALSE(m.writeBackPending);
    EXPECT_EQ(webShape(evolutionState.spiders[0]), webShape(before));
}

// Rules edited in the browser, then the population bred or replaced behind
// it: Back must not write the old spider into the new generation or run.
TEST(RuleBrowserWriteBackTest, BackWritesOnlyIntoTheGenerationAndRunItCameFrom) {
    FakeWindowPort window;
    setWindowPort(&window);
    makePopulation(6);
    markRunSaved();
    auto editedFrom = [](int slot) {
        RuleBrowserModel m;
        m.load(evolutionState.spiders[slot], slot, evolutionState.generation);
        m.rules[0] = otherValue(m, 0, m.rules[0]);
        m.applyRules();
        m.writeBackPending = true;
        return m;
    };
    RuleBrowserModel m = editedFrom(2);
    runOneStep(); // F6 behind the browser
    const std::vector<int32_t> bred = evolutionState.fossilRecord;
    m.writeBack(evolutionState);
    EXPECT_FALSE(m.writeBackPending);
    EXPECT_EQ(evolutionState.fossilRecord, bred);
    EXPECT_FALSE(evolutionState.flags.unsavedWork.edited);

    m = editedFrom(2);
    newPopulation(0); // a new run of the same size, at generation 0 again
    const std::vector<int32_t> fresh = evolutionState.fossilRecord;
    m.writeBack(evolutionState);
    EXPECT_EQ(evolutionState.fossilRecord, fresh);

    m = editedFrom(2);
    ++evolutionState.generation; // another generation that kept this very spider in its slot
    m.writeBack(evolutionState);
    --evolutionState.generation;
    EXPECT_FALSE(evolutionState.flags.unsavedWork.edited);

    m = editedFrom(2); // nothing changed behind it: written back
    m.writeBack(evolutionState);
    EXPECT_EQ(evolutionState.spiders[2].rule(0), m.rules[0]);
    EXPECT_TRUE(evolutionState.flags.unsavedWork.edited);
    markRunSaved();
    setWindowPort(nullptr);
}

} // namespace
