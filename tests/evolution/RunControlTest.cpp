// Run control driven through a recording window: the generation limit,
// offline rendering, the run timer, single steps, feeding and moving in time.

#include <gtest/gtest.h>

#include "core/LRandom.h"
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
    EXPECT_FALSE(evolutionState.flags.isRunning);
    EXPECT_FALSE(evolutionState.flags.freshGeneration);
    EXPECT_TRUE(populationEvaluated());
    for (int i = 0; i < 15; ++i) {
        EXPECT_EQ(es.spiders[i].origin, "I");
        EXPECT_EQ(es.spiders[i].parentA, i);
        EXPECT_EQ(es.spiders[i].parentB, i);
    }
    ASSERT_EQ(evolutionState.preyAngles.size(), 20u);
    for (int a : evolutionState.preyAngles) {
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
    EXPECT_TRUE(evolutionState.flags.freshGeneration);
    ASSERT_EQ(window.timers.size(), 1u);
    EXPECT_EQ(window.timers[0].milliseconds, 500);
    EXPECT_EQ(window.timers[0].callback, &freshTimer);
    EXPECT_EQ(window.timers[0].value, 10);
    fireTimers();
    EXPECT_FALSE(evolutionState.flags.freshGeneration);

    window.forget();
    const StateSnapshot before = snapshotState();
    runOneStep();
    expectLimitMessage();
    window.messages.clear();
    runStop();
    expectLimitMessage();
    EXPECT_FALSE(evolutionState.flags.isRunning);
    EXPECT_TRUE(window.timers.empty());
    EXPECT_EQ(window.redisplays, 0);
    expectStateUnchanged(before);
}

TEST_F(RunControl, RunningIntoTheLimitStopsSilently) {
    jumpToGeneration(9998);
    runStop();
    EXPECT_TRUE(evolutionState.flags.isRunning);
    EXPECT_EQ(evolutionState.generation, 9999);
    evolutionState.flags.renderOffline = true;
    fireTimers();
    EXPECT_EQ(evolutionState.generation, 10000);
    EXPECT_EQ(window.timers.size(), 1u); // still running: re-armed once more
    fireTimers();
    EXPECT_EQ(evolutionState.generation, 10000);
    EXPECT_FALSE(evolutionState.flags.isRunning);
    EXPECT_FALSE(evolutionState.flags.renderOffline);
    EXPECT_EQ(window.immediateDraws, 1);
    EXPECT_TRUE(window.timers.empty());
    EXPECT_TRUE(window.messages.empty());
}

TEST_F(RunControl, TheOfflineSwitchRunsOfflineAndRefusesAtTheLimit) {
    toggleOfflineRun();
    EXPECT_TRUE(evolutionState.flags.isRunning);
    EXPECT_TRUE(evolutionState.flags.renderOffline);
    EXPECT_EQ(evolutionState.generation, 1); // the first generation at once
    toggleOfflineRun();
    EXPECT_FALSE(evolutionState.flags.isRunning);
    EXPECT_FALSE(evolutionState.flags.renderOffline);

    jumpToGeneration(10000);
    evolutionState.flags.isRunning = true; // a run that reached the limit
    evolutionState.flags.renderOffline = true;
    window.forget();
    toggleOfflineRun();
    expectLimitMessage();
    EXPECT_FALSE(evolutionState.flags.isRunning);
    EXPECT_FALSE(evolutionState.flags.renderOffline);
    EXPECT_EQ(evolutionState.generation, 10000);
    EXPECT_TRUE(window.timers.empty());
}

TEST_F(RunControl, AnOfflineTickBreedsManyGenerationsAsTheRunTimerWould) {
    toggleOfflineRun();
    ASSERT_EQ(evolutionState.generation, 1);
    ASSERT_EQ(window.timers.size(), 1u);
    EXPECT_EQ(window.timers[0].milliseconds, 0); // input is handled between ticks
    fireTimers();
    const int bred = evolutionState.generation;
    EXPECT_GT(bred, 2) << "a tick breeds for its whole budget";
    ASSERT_EQ(window.timers.size(), 1u);
    const std::vector<int32_t> offline = evolutionState.fossilRecord;
    const std::vector<int> angles = evolutionState.preyAngles;
    const std::vector<uint32_t> next = evolutionState.random.words();
    toggleOfflineRun();
    fireTimers(); // the stopped run's tick breeds nothing
    EXPECT_EQ(evolutionState.generation, bred);
    EXPECT_EQ(evolutionState.flags.unsavedWork.generations, bred);

    // The same generations, and the same random numbers drawn, one timer
    // call at a time.
    resetEvolution();
    usePanelDefaults();
    evolutionState.numPrey = 20;
    newPopulation(6);
    for (int g = 0; g < bred; ++g)
        runTimer(TIMER_VALUE);
    EXPECT_EQ(evolutionState.fossilRecord, offline);
    EXPECT_EQ(evolutionState.preyAngles, angles);
    EXPECT_EQ(evolutionState.random.words(), next);
}

TEST_F(RunControl, OfflineRunStopsAtTheLimit) {
    jumpToGeneration(9998);
    toggleOfflineRun();
    fireTimers();
    EXPECT_EQ(evolutionState.generation, 10000);
    EXPECT_FALSE(evolutionState.flags.isRunning);
    EXPECT_FALSE(evolutionState.flags.renderOffline);
    EXPECT_TRUE(window.timers.empty());
    EXPECT_TRUE(window.messages.empty());
}

TEST_F(RunControl, BreedingFromAnEarlierGenerationAsksBeforeCuttingTheLaterOnes) {
    EvolutionState& es = evolutionState;
    for (int k = 0; k < 3; ++k)
        runOneStep();
    timeStepBackward();
    timeStepBackward();
    ASSERT_EQ(es.generation, 1);
    const std::vector<int32_t> history = es.fossilRecord;
    window.forget();

    // Every way of breeding asks; the default answer keeps the history.
    runOneStep();
    runStop();
    toggleOfflineRun();
    fireTimers();
    ASSERT_EQ(window.questions.size(), 3u);
    EXPECT_EQ(window.questions[0],
              "Arachnovix: Generation 1 of 3 is shown. Breeding from it cuts the 2 later "
              "generations (2 to 3) from the run. Breed from generation 1 anyway?");
    EXPECT_EQ(es.generation, 1);
    EXPECT_EQ(es.fossilRecord, history);
    EXPECT_FALSE(evolutionState.flags.isRunning);
    EXPECT_EQ(evolutionState.flags.unsavedWork.generations, 3);

    window.answers = {true};
    runOneStep();
    EXPECT_EQ(es.generation, 2);
    EXPECT_EQ(es.recordedGenerations(), 3);
    EXPECT_EQ(evolutionState.flags.unsavedWork.generations, 2); // generations 1 and 2 of the run
    runOneStep(); // at the last generation: nothing to cut, no question
    EXPECT_EQ(window.questions.size(), 4u);

    // Saved at generation 3, back to 0 and bred: only the new one is unsaved.
    markRunSaved();
    for (int k = 0; k < 3; ++k)
        timeStepBackward();
    EXPECT_EQ(cutQuestion(0, 1), "Generation 0 of 1 is shown. Breeding from it cuts the later "
                                 "generation (1) from the run. Breed from generation 0 anyway?");
    window.answers = {true};
    runStop();
    runStop();
    EXPECT_EQ(es.generation, 1);
    EXPECT_EQ(evolutionState.flags.unsavedWork.generations, 1);
}

TEST_F(RunControl, ACounterBeyondTheLimitIsNotCaught) {
    jumpToGeneration(10003);
    runOneStep();
    EXPECT_EQ(evolutionState.generation, 10004);
    EXPECT_TRUE(window.messages.empty());
}

TEST_F(RunControl, OfflineRenderingRedrawsEveryFifthGeneration) {
    evolutionState.flags.isRunning = true;
    evolutionState.flags.renderOffline = true;
    std::vector<int> redrawn;
    for (int g = 1; g <= 10; ++g) {
        const int before = window.redisplays;
        runTimer(10);
        EXPECT_EQ(evolutionState.generation, g);
        if (window.redisplays > before)
            redrawn.push_back(g);
        ASSERT_EQ(window.timers.size(), static_cast<size_t>(g));
        EXPECT_EQ(window.timers.back().milliseconds, 30);
        EXPECT_EQ(window.timers.back().callback, &runTick);
        EXPECT_TRUE(evolutionState.flags.freshGeneration);
        EXPECT_EQ(evolutionState.selectedSpider, evolutionState.bestSpider);
    }
    EXPECT_EQ(redrawn, (std::vector<int>{5, 10}));
}

TEST_F(RunControl, AQueuedTickOfAStoppedRunBreedsNothing) {
    EvolutionState& es = evolutionState;
    runStop();
    EXPECT_EQ(es.generation, 1); // the first generation at once
    for (int k = 0; k < 4; ++k)
        fireTimers();
    ASSERT_EQ(es.generation, 5);
    const std::vector<int32_t> bred = es.fossilRecord;

    timeStepBackward(); // F7 during the run
    fireTimers();
    EXPECT_EQ(es.generation, 4);
    EXPECT_EQ(es.fossilRecord, bred); // generation 5 is still the one bred
    EXPECT_TRUE(window.timers.empty());

    window.answers = {true}; // breeding from generation 4 cuts generation 5
    runStop();
    runStop();
    runStop(); // stopped and started again before the tick came
    ASSERT_EQ(window.timers.size(), 2u);
    EXPECT_EQ(es.generation, 6);
    fireTimers(); // only the new run's tick breeds
    EXPECT_EQ(es.generation, 7);
    EXPECT_EQ(window.timers.size(), 1u);

    evolutionState.flags.renderOffline = true;
    newPopulation(0); // New during the run
    fireTimers();
    EXPECT_EQ(es.generation, 0);
    EXPECT_FALSE(evolutionState.flags.renderOffline);
    EXPECT_FALSE(evolutionState.flags.freshGeneration);

    runStop();
    const std::string file = makeTempFolder("queued-tick") + "/run.axv";
    ASSERT_TRUE(savePopulation(file));
    fireTimers();
    ASSERT_TRUE(openRunFile(file)); // Open during the run
    fireTimers();
    EXPECT_EQ(es.generation, 1); // the file's last generation
    EXPECT_EQ(es.recordedGenerations(), 2);
    EXPECT_TRUE(window.timers.empty());

    // The command-line tool breeds by calling the run timer itself.
    evolutionState.flags.isRunning = false;
    runTimer(TIMER_VALUE);
    EXPECT_EQ(es.generation, 2);
}

TEST_F(RunControl, RunAndStopBothEndOfflineDrawing) {
    evolutionState.flags.renderOffline = true;
    runStop();
    EXPECT_TRUE(evolutionState.flags.isRunning);
    EXPECT_FALSE(evolutionState.flags.renderOffline);
    evolutionState.flags.renderOffline = true;
    runStop();
    EXPECT_FALSE(evolutionState.flags.isRunning);
    EXPECT_FALSE(evolutionState.flags.renderOffline);
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
    evolutionState.flags.isRunning = true;
    const double x0 = evolutionState.problem.prey[0].x;
    evaluateNow();
    EXPECT_FALSE(evolutionState.flags.isRunning);
    EXPECT_TRUE(evolutionState.flags.freshGeneration);
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
    evolutionState.flags.isRunning = true;
    evolutionState.flags.freshGeneration = true;
    timeStepBackward();
    EXPECT_EQ(es.generation, 0);
    EXPECT_FALSE(evolutionState.flags.isRunning);
    EXPECT_FALSE(evolutionState.flags.freshGeneration);
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

// The elite of the next step is the spider the user sees as best: the best
// restored one after moving in time or opening a file.
TEST_F(RunControl, TheBestRestoredSpiderIsTheEliteOfTheNextStep) {
    resetEvolution(7);
    usePanelDefaults();
    newPopulation(6);
    EvolutionState& es = evolutionState;
    for (int k = 0; k < 5; ++k)
        runTimer(TIMER_VALUE);
    const int lastElite = es.bestSpider;
    // Back to a generation whose best spider sits in another slot.
    do
        timeStepBackward();
    while (es.selectedSpider == lastElite && es.generation > 0);
    ASSERT_NE(es.selectedSpider, lastElite);
    const int g = es.generation;
    const int best = es.selectedSpider;
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(es.spiders[i].individual.isElite, i == best) << i;
    const size_t entry = static_cast<size_t>((g * 6 + best) * FOSSIL_ENTRY_SIZE);
    const std::vector<int32_t> bestRules(&es.fossilRecord[entry],
                                         &es.fossilRecord[entry] + NUM_RULES);
    window.answers = {true}; // cut the later generations
    runOneStep();
    for (int k = 0; k < NUM_RULES; ++k)
        EXPECT_EQ(es.spiders[best].rule(k), bestRules[static_cast<size_t>(k)]) << k;
    EXPECT_EQ(es.spiders[best].origin, "SEL");

    // A 15-spider run (the published fields alone) opened into a 40-spider session.
    newPopulation(15);
    const std::string file = makeTempFolder("elite-after-open") + "/run.axv";
    ASSERT_EQ(writePopulation(es, file, FileLayout::Plain), "");
    newPopulation(40);
    ASSERT_TRUE(openRunFile(file));
    ASSERT_EQ(es.populationSize, 15);
    EXPECT_EQ(es.bestSpider, es.selectedSpider);
    int elites = 0;
    for (int i = 0; i < 15; ++i)
        elites += es.spiders[i].individual.isElite ? 1 : 0;
    EXPECT_EQ(elites, 1);
    EXPECT_TRUE(es.spiders[es.selectedSpider].individual.isElite);
}

// The mark, the band and the commands all follow selectedSpider.
TEST_F(RunControl, TheSelectionMarkIsOnTheSelectedSpider) {
    EvolutionState& es = evolutionState;
    auto expectOneMark = [&es](const char* when) {
        for (int i = 0; i < es.populationSize; ++i)
            EXPECT_EQ(es.spiders[i].web.isHighlighted, i == es.selectedSpider) << when << " " << i;
    };
    es.silkCostFactor = 0.0; // fitness above 0, so that the best need not be spider 0
    newPopulation(15);
    for (int tries = 0; es.bestSpider == 0 && tries < 10; ++tries)
        newPopulation(15);
    ASSERT_NE(es.bestSpider, 0);
    EXPECT_EQ(es.selectedSpider, 0);
    expectOneMark("new");
    runOneStep();
    expectOneMark("step");
}

TEST_F(RunControl, UnsavedWorkIsCountedAndAskedAbout) {
    EXPECT_FALSE(evolutionState.flags.unsavedWork.any()); // a new run loses nothing
    EXPECT_TRUE(mayDiscardRun("start a new run"));
    EXPECT_TRUE(window.questions.empty());

    runOneStep();
    runOneStep();
    EXPECT_FALSE(mayDiscardRun("start a new run")); // the default answer keeps the run
    ASSERT_EQ(window.questions.size(), 1u);
    EXPECT_EQ(window.questions[0],
              "Arachnovix: The run has 2 generations bred since it was last saved or opened. "
              "They will be lost if you start a new run. Discard the run?");
    window.answers = {true};
    EXPECT_TRUE(mayDiscardRun("quit"));

    evolutionState.flags.unsavedWork.generations = 1;
    evolutionState.flags.unsavedWork.edited = true;
    EXPECT_EQ(discardQuestion(evolutionState.flags.unsavedWork, "quit"),
              "The run has 1 generation bred and edited rules since it was last saved or "
              "opened. They will be lost if you quit. Discard the run?");
    markRunSaved();
    EXPECT_FALSE(evolutionState.flags.unsavedWork.any());

    // Generations bred by a run count as well: F5 and "o" each breed one at once.
    runStop();
    runStop();
    toggleOfflineRun();
    toggleOfflineRun();
    EXPECT_EQ(evolutionState.flags.unsavedWork.generations, 2);
    markRunSaved();
}

} // namespace
