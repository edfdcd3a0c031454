// Run control driven through a recording window: the generation limit,
// offline rendering, the run timer, single steps, feeding and moving in time.

#include <gtest/gtest.h>

#include "evolution/EvolutionState.h"
#include "evolution/FossilView.h"
#include "evolution/PopulationFile.h"
#include "evolution/RunControl.h"
#include "tests/evolution/EvolutionTestSupport.h"

namespace {

class RunControl : public EvolutionTest {
  protected:
    void SetUp() override {
        EvolutionTest::SetUp();
        usePanelDefaults();
        evolutionState.numPrey = 20; // keep the runs quick
        newPopulation(6);
        window.forget();
    }

    // Fires the timers that are due, as the window's event loop would.
    void fireTimers() {
        std::vector<RecordedTimer> due;
        due.swap(window.timers);
        for (const RecordedTimer& t : due)
            t.callback(t.value);
    }

    // A population at generation `g`, as if bred that far.
    void jumpToGeneration(int g) {
        EvolutionState& es = evolutionState;
        es.generation = g;
        es.fossilRecord.resize(fossilEntryIndex(static_cast<size_t>(g) + 1, es.populationSize, 0));
        es.recordGeneration();
    }

    void expectLimitMessage() {
        ASSERT_EQ(window.messages.size(), 1u);
        EXPECT_EQ(window.messages[0].text, "Cannot evolve more than 10,000 generations.");
        EXPECT_EQ(window.messages[0].caption, "Arachnovix");
        EXPECT_EQ(window.messages[0].icon, MessageIcon::Warning);
    }
};

TEST_F(RunControl, NewPopulationStartsGenerationZeroEvaluatedAndShown) {
    newPopulation(15);
    const EvolutionState& es = evolutionState;
    EXPECT_EQ(es.populationSize, 15);
    EXPECT_EQ(es.generation, 0);
    EXPECT_EQ(es.selectedSpider, 0);
    EXPECT_FALSE(isRunning);
    EXPECT_FALSE(freshGeneration);
    EXPECT_TRUE(populationEvaluated());
    for (int i = 0; i < 15; ++i) {
        EXPECT_EQ(es.spiders[i].origin, "I");
        EXPECT_EQ(es.spiders[i].parentA, i);
        EXPECT_EQ(es.spiders[i].parentB, i);
    }
    ASSERT_EQ(preyAngles.size(), 20u);
    for (int a : preyAngles) {
        EXPECT_GE(a, 0);
        EXPECT_LE(a, 360);
    }
    EXPECT_EQ(window.gridLayouts, 1);
    EXPECT_EQ(window.redisplays, 1);
    newPopulation(500);
    EXPECT_EQ(es.populationSize, MAX_POPULATION);
}

TEST_F(RunControl, OneStepBreedsTheLastGenerationAndThenRefuses) {
    jumpToGeneration(9999);
    runOneStep();
    EXPECT_EQ(evolutionState.generation, 10000);
    EXPECT_TRUE(window.messages.empty());
    EXPECT_TRUE(freshGeneration);
    ASSERT_EQ(window.timers.size(), 1u);
    EXPECT_EQ(window.timers[0].milliseconds, 500);
    EXPECT_EQ(window.timers[0].callback, &freshTimer);
    EXPECT_EQ(window.timers[0].value, 10);
    fireTimers();
    EXPECT_FALSE(freshGeneration);

    window.forget();
    const StateSnapshot before = snapshotState();
    runOneStep();
    expectLimitMessage();
    window.messages.clear();
    runStop();
    expectLimitMessage();
    EXPECT_FALSE(isRunning);
    EXPECT_TRUE(window.timers.empty());
    EXPECT_EQ(window.redisplays, 0);
    expectStateUnchanged(before);
}

TEST_F(RunControl, RunningIntoTheLimitStopsSilently) {
    jumpToGeneration(9998);
    runStop();
    EXPECT_TRUE(isRunning);
    EXPECT_EQ(evolutionState.generation, 9999);
    renderOffline = true;
    fireTimers();
    EXPECT_EQ(evolutionState.generation, 10000);
    EXPECT_EQ(window.timers.size(), 1u); // still running: re-armed once more
    fireTimers();
    EXPECT_EQ(evolutionState.generation, 10000);
    EXPECT_FALSE(isRunning);
    EXPECT_FALSE(renderOffline);
    EXPECT_EQ(window.immediateDraws, 1);
    EXPECT_TRUE(window.timers.empty());
    EXPECT_TRUE(window.messages.empty());
}

TEST_F(RunControl, ACounterBeyondTheLimitIsNotCaught) {
    jumpToGeneration(10003);
    runOneStep();
    EXPECT_EQ(evolutionState.generation, 10004);
    EXPECT_TRUE(window.messages.empty());
}

TEST_F(RunControl, OfflineRenderingRedrawsEveryFifthGeneration) {
    isRunning = true;
    renderOffline = true;
    std::vector<int> redrawn;
    for (int g = 1; g <= 10; ++g) {
        const int before = window.redisplays;
        runTimer(10);
        EXPECT_EQ(evolutionState.generation, g);
        if (window.redisplays > before)
            redrawn.push_back(g);
        ASSERT_EQ(window.timers.size(), static_cast<size_t>(g));
        EXPECT_EQ(window.timers.back().milliseconds, 30);
        EXPECT_EQ(window.timers.back().callback, &runTimer);
        EXPECT_TRUE(freshGeneration);
        EXPECT_EQ(evolutionState.selectedSpider, evolutionState.bestSpider);
    }
    EXPECT_EQ(redrawn, (std::vector<int>{5, 10}));
}

TEST_F(RunControl, ThePendingTimerBreedsOnceMoreAfterAStop) {
    runStop();
    EXPECT_TRUE(isRunning);
    EXPECT_EQ(evolutionState.generation, 1); // the first generation at once
    ASSERT_EQ(window.timers.size(), 1u);
    fireTimers();
    EXPECT_EQ(evolutionState.generation, 2);
    runStop(); // stops; the timer armed by generation 2 is still pending
    EXPECT_FALSE(isRunning);
    EXPECT_EQ(evolutionState.generation, 2);
    ASSERT_EQ(window.timers.size(), 1u);
    fireTimers();
    EXPECT_EQ(evolutionState.generation, 3);
    EXPECT_TRUE(window.timers.empty()); // not re-armed
    EXPECT_FALSE(freshGeneration);
}

TEST_F(RunControl, RunAndStopBothEndOfflineDrawing) {
    renderOffline = true;
    runStop();
    EXPECT_TRUE(isRunning);
    EXPECT_FALSE(renderOffline);
    renderOffline = true;
    runStop();
    EXPECT_FALSE(isRunning);
    EXPECT_FALSE(renderOffline);
}

TEST_F(RunControl, RunStopEvaluatesAnUnevaluatedPopulationFirst) {
    EvolutionState& es = evolutionState;
    for (int i = 0; i < es.populationSize; ++i)
        es.spiders[i].individual.isEvaluated = false;
    runStop(); // without the evaluation the step would end the process
    EXPECT_EQ(es.generation, 1);
    EXPECT_TRUE(populationEvaluated());
}

TEST_F(RunControl, OneStepOnALoadedPopulationBreedsWithoutEvaluatingFirst) {
    evolutionState.stepGeneration();
    evolutionState.evaluatePopulation(true);
    const std::string file = makeTempFolder("one-step-after-load") + "/run.axv";
    ASSERT_TRUE(savePopulation(file));
    ASSERT_TRUE(loadPopulation(file));
    const std::vector<int32_t> loaded = evolutionState.fossilRecord;
    runOneStep();
    EXPECT_EQ(evolutionState.generation, 2);
    // An evaluation before the step would have rewritten generation 1.
    EXPECT_TRUE(std::equal(loaded.begin(), loaded.end(), evolutionState.fossilRecord.begin()));
}

TEST_F(RunControl, FeedingEvaluatesAgainstNewPreyAndSelectsTheBest) {
    isRunning = true;
    const double x0 = evolutionState.problem.prey[0].x;
    evaluateNow();
    EXPECT_FALSE(isRunning);
    EXPECT_TRUE(freshGeneration);
    EXPECT_NE(evolutionState.problem.prey[0].x, x0);
    EXPECT_EQ(evolutionState.selectedSpider, evolutionState.bestSpider);
    EXPECT_EQ(evolutionState.fossilRecord.size(), 6u * 23u);
    EXPECT_EQ(window.redisplays, 1);
}

TEST_F(RunControl, TimeStepsAtBothEndsKeepThePopulationButRebuildEveryWeb) {
    EvolutionState& es = evolutionState;
    for (int i = 0; i < 6; ++i)
        es.spiders[i].clearWeb();
    StateSnapshot before = snapshotState();
    isRunning = true;
    freshGeneration = true;
    timeStepBackward();
    EXPECT_EQ(es.generation, 0);
    EXPECT_FALSE(isRunning);
    EXPECT_FALSE(freshGeneration);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(es.spiders[i].stage, STAGE_COMPLETE) << i;
        EXPECT_FALSE(es.spiders[i].web.radii.empty()) << i;
    }
    before.selectedSpider = es.selectedSpider; // highlighting may move the selection
    expectStateUnchanged(before);

    es.stepGeneration();
    es.evaluatePopulation(true);
    for (int i = 0; i < 6; ++i)
        es.spiders[i].clearWeb();
    before = snapshotState();
    timeStepForward();
    EXPECT_EQ(es.generation, 1);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(es.spiders[i].stage, STAGE_COMPLETE) << i;
    before.selectedSpider = es.selectedSpider;
    expectStateUnchanged(before);
    EXPECT_EQ(window.redisplays, 2);
}

TEST_F(RunControl, TimeStepsMoveThroughTheRecordAndSelectTheBestRestored) {
    EvolutionState& es = evolutionState;
    for (int k = 0; k < 3; ++k)
        runTimer(10);
    timeStepBackward();
    timeStepBackward();
    EXPECT_EQ(es.generation, 1);
    int best = 0;
    for (int i = 1; i < 6; ++i)
        if (es.spiders[i].individual.fitness > es.spiders[best].individual.fitness)
            best = i;
    EXPECT_EQ(es.selectedSpider, best);
    timeStepForward();
    EXPECT_EQ(es.generation, 2);
    EXPECT_EQ(es.recordedGenerations(), 4);
}

} // namespace
