#include "evolution/RunControl.h"

#include <algorithm>

#include "core/LRandom.h"
#include "evolution/EvolutionState.h"
#include "evolution/PopulationFile.h"
#include "evolution/WindowPort.h"

const char* const GENERATION_LIMIT_MESSAGE = "Cannot evolve more than 10,000 generations.";
const char* const MESSAGE_CAPTION = "Arachnovix";

namespace {

constexpr int FULL_TURN_DEGREES = 360;

RunFlags& flags() {
    return evolutionState.flags;
}

void showGenerationLimit() {
    windowPort().showMessage(GENERATION_LIMIT_MESSAGE, MESSAGE_CAPTION, MessageIcon::Warning);
}

// Every web built again on this thread; the run's twin of rand() follows.
void rebuildAllWebs(EvolutionState& run) {
    for (int i = 0; i < run.populationSize; ++i) {
        Spider& s = run.spiders[i];
        s.clearWeb();
        s.constructWeb(STAGE_MAIN_CAP_SPIRAL, run.silkLimit);
    }
    run.followWebBuild();
}

// A run just restored from the record: webs rebuilt, its best spider
// selected and made the elite, new prey angles.
void showRestored(EvolutionState& run) {
    rebuildAllWebs(run);
    run.highlightBestRestored();
    run.markSelectedElite();
}

void moveInTime(int step) {
    stopRun();
    evolutionState.goToGeneration(evolutionState.generation + step);
    showRestored(evolutionState);
    flags().freshGeneration = false;
    windowPort().postRedisplay();
}

} // namespace

bool atGenerationLimit(const EvolutionState& run) {
    // The counter test is equality: a larger counter from a loaded file goes on.
    return run.generation == GENERATION_LIMIT;
}

bool populationEvaluated() {
    return evolutionState.spiders[0].individual.isEvaluated;
}

void rollPreyAngles(EvolutionState& run) {
    run.preyAngles.clear();
    run.preyAngles.resize(run.problem.prey.size());
    for (int& angle : run.preyAngles)
        angle = LRandom::getUniformRandInt(run.random.twister, 0, FULL_TURN_DEGREES);
}

void rollPreyAngles() {
    rollPreyAngles(evolutionState);
}

void startPopulation(EvolutionState& es, int size) {
    if (size > 0)
        es.populationSize = std::min(size, MAX_POPULATION);
    for (int i = 0; i < es.populationSize; ++i)
        es.spiders[i].clearWeb();
    // Emptied with its memory: a long run's history is given back, and the
    // new run reserves room for its own size.
    std::vector<int32_t>().swap(es.fossilRecord);
    es.generation = 0;
    for (int i = 0; i < es.populationSize; ++i) {
        Spider& s = es.spiders[i];
        es.problem.createRandomGenotype(s.individual, es.random.twister);
        s.origin = ORIGIN_INITIAL;
        s.parentA = i;
        s.parentB = i;
    }
    es.decodeRules();
    es.evaluatePopulation(true);
    es.selectSpider(0);
    es.flags.unsavedWork = UnsavedWork();
    es.flags.freshGeneration = false;
    rollPreyAngles(es);
}

void breedGeneration(EvolutionState& es) {
    es.stepGeneration();
    es.evaluatePopulation(true);
    ++es.flags.unsavedWork.generations;
    rollPreyAngles(es);
    es.selectSpider(es.bestSpider);
}

void showOpened(EvolutionState& run) {
    run.goToGeneration(run.generation);
    showRestored(run);
    run.flags.unsavedWork = UnsavedWork();
    rollPreyAngles(run);
}

std::string openRunFile(EvolutionState& run, const std::string& path) {
    const std::string reason = readPopulation(run, path);
    if (reason.empty())
        showOpened(run);
    return reason;
}

void newPopulation(int size) {
    stopRun();
    startPopulation(evolutionState, size);
    windowPort().layoutGrid();
    windowPort().postRedisplay();
}

void evaluateNow() {
    stopRun();
    evolutionState.evaluatePopulation(true);
    rollPreyAngles();
    windowPort().layoutGrid();
    evolutionState.selectSpider(evolutionState.bestSpider);
    flags().freshGeneration = true;
    windowPort().postRedisplay();
}

void runTimer(int /*value*/) {
    RunFlags& f = flags();
    if (atGenerationLimit(evolutionState)) {
        f.isRunning = false;
        f.renderOffline = false;
        windowPort().drawNow();
        return;
    }
    // The next tick is armed before this one's work, so that breeding and
    // drawing a generation overlap the wait: the run keeps the timer's pace
    // as long as a generation takes less than the interval.
    if (f.isRunning)
        windowPort().startTimer(RUN_TIMER_MS, runTick, f.tick);
    breedGeneration(evolutionState);
    f.freshGeneration = f.isRunning;
    windowPort().layoutGrid();
    const int g = evolutionState.generation;
    const bool skipRedraw = f.renderOffline && g != 0 && g % OFFLINE_REDRAW_INTERVAL != 0;
    if (!skipRedraw)
        windowPort().postRedisplay();
}

void runTick(int run) {
    if (flags().isRunning && run == flags().tick)
        runTimer(TIMER_VALUE);
}

void startRun(bool offline) {
    RunFlags& f = flags();
    ++f.tick;
    f.isRunning = true;
    f.renderOffline = offline;
    runTimer(TIMER_VALUE);
}

void stopRun() {
    RunFlags& f = flags();
    if (!f.isRunning && !f.renderOffline)
        return;
    f.isRunning = false;
    // The offline message says the run goes on; it must not outlive it.
    f.renderOffline = false;
    f.freshGeneration = false;
}

void runStop() {
    if (atGenerationLimit(evolutionState)) {
        showGenerationLimit();
        return;
    }
    if (!populationEvaluated()) {
        evolutionState.evaluatePopulation(true);
        evolutionState.selectSpider(evolutionState.selectedSpider);
        rollPreyAngles();
    }
    if (flags().isRunning)
        stopRun();
    else
        startRun(false);
}

void toggleOfflineRun() {
    if (atGenerationLimit(evolutionState)) {
        showGenerationLimit();
        stopRun();
        return;
    }
    if (flags().isRunning)
        stopRun();
    else
        startRun(true);
}

void runOneStep() {
    if (atGenerationLimit(evolutionState)) {
        showGenerationLimit();
        return;
    }
    stopRun();
    if (!populationEvaluated())
        evaluateNow();
    evolutionState.stepGeneration();
    windowPort().layoutGrid();
    evolutionState.selectSpider(evolutionState.bestSpider);
    windowPort().postRedisplay();
    evaluateNow();
    ++flags().unsavedWork.generations;
    windowPort().startTimer(FRESH_TIMER_MS, freshTimer, TIMER_VALUE);
}

void freshTimer(int /*value*/) {
    flags().freshGeneration = false;
    windowPort().postRedisplay();
}

bool openRunFile(const std::string& path, std::string* why) {
    stopRun();
    if (!loadPopulation(path, why))
        return false;
    showOpened(evolutionState);
    return true;
}

void timeStepBackward() {
    moveInTime(-1);
}

void timeStepForward() {
    moveInTime(+1);
}

void markRunSaved() {
    flags().unsavedWork = UnsavedWork();
}

std::string discardQuestion(const UnsavedWork& work, const std::string& action) {
    std::string lost;
    if (work.generations > 0)
        lost = std::to_string(work.generations) +
               (work.generations == 1 ? " generation" : " generations") + " bred";
    if (work.edited)
        lost += lost.empty() ? "edited rules" : " and edited rules";
    return "The run has " + lost + " since it was last saved or opened. " +
           "They will be lost if you " + action + ". Discard the run?";
}

bool mayDiscardRun(const std::string& action) {
    const UnsavedWork& work = flags().unsavedWork;
    if (!work.any())
        return true;
    return windowPort().askYesNo(discardQuestion(work, action), MESSAGE_CAPTION);
}
