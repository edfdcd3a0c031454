#include "evolution/RunControl.h"

#include <algorithm>
#include <chrono>

#include "core/LRandom.h"
#include "evolution/Continuation.h"
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

using Clock = std::chrono::steady_clock;

void showGenerationLimit() {
    windowPort().showMessage(GENERATION_LIMIT_MESSAGE, MESSAGE_CAPTION, MessageIcon::Warning);
}

// Generations recorded after the one the run shows.
int laterGenerationsOf(const EvolutionState& run) {
    return std::max(0, run.recordedGenerations() - 1 - run.generation);
}

// Counts a generation just bred. Breeding cut `cut` later generations: those
// of them that were unsaved are no longer there to lose.
void countBredGeneration(EvolutionState& run, int cut) {
    UnsavedWork& work = run.flags.unsavedWork;
    work.generations = std::max(0, work.generations - cut) + 1;
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
    ++es.recordRevision;
    es.evaluator.forgetWebs();
    es.generation = 0;
    es.provenance = RunProvenance();
    es.fileContinuation = FileContinuation::Absent;
    es.pendingContinuation = nullptr;
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
    es.provenance.lastBred = currentRunSettings(es);
    const int cut = laterGenerationsOf(es);
    es.stepGeneration();
    es.evaluatePopulation(true);
    countBredGeneration(es, cut);
    rollPreyAngles(es);
    es.selectSpider(es.bestSpider);
}

void showOpened(EvolutionState& run) {
    run.evaluator.forgetWebs();
    run.goToGeneration(run.generation);
    showRestored(run);
    run.flags.unsavedWork = UnsavedWork();
    rollPreyAngles(run);
    // The file's continuation last: it sets the streams the steps above drew from.
    if (run.pendingContinuation)
        continuation::apply(run, *run.pendingContinuation);
    run.pendingContinuation = nullptr;
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
    breedGeneration();
    const int g = evolutionState.generation;
    const bool skipRedraw = f.renderOffline && g != 0 && g % OFFLINE_REDRAW_INTERVAL != 0;
    if (!skipRedraw)
        windowPort().postRedisplay();
}

void breedGeneration() {
    breedGeneration(evolutionState);
    flags().freshGeneration = flags().isRunning;
    windowPort().layoutGrid();
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
    if (!offline) {
        runTimer(TIMER_VALUE);
        return;
    }
    breedGeneration();
    f.offlineRedrawAt = Clock::now();
    windowPort().postRedisplay();
    windowPort().startTimer(0, offlineTick, f.tick);
}

void offlineTick(int run) {
    RunFlags& f = flags();
    if (!f.isRunning || run != f.tick)
        return;
    const Clock::time_point start = Clock::now();
    do {
        if (atGenerationLimit(evolutionState)) {
            runTimer(TIMER_VALUE); // stops the run and shows where it stopped
            return;
        }
        breedGeneration();
    } while (Clock::now() - start < std::chrono::milliseconds(OFFLINE_TICK_BUDGET_MS));
    if (Clock::now() - f.offlineRedrawAt >= std::chrono::milliseconds(OFFLINE_REDRAW_MS)) {
        f.offlineRedrawAt = Clock::now();
        windowPort().postRedisplay();
    }
    windowPort().startTimer(0, offlineTick, f.tick);
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
    else if (mayCutLaterGenerations())
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
    else if (mayCutLaterGenerations())
        startRun(true);
}

void runOneStep() {
    if (atGenerationLimit(evolutionState)) {
        showGenerationLimit();
        return;
    }
    stopRun();
    if (!mayCutLaterGenerations())
        return;
    if (!populationEvaluated())
        evaluateNow();
    const int cut = laterGenerations();
    evolutionState.provenance.lastBred = currentRunSettings(evolutionState);
    evolutionState.stepGeneration();
    windowPort().layoutGrid();
    evolutionState.selectSpider(evolutionState.bestSpider);
    windowPort().postRedisplay();
    evaluateNow();
    countBredGeneration(evolutionState, cut);
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
    if (evolutionState.fileContinuation == FileContinuation::Damaged)
        windowPort().showMessage("\"" + path + "\": " + DAMAGED_CONTINUATION_WARNING + ".",
                                 MESSAGE_CAPTION, MessageIcon::Warning);
    return true;
}

void showGeneration(int g) {
    stopRun();
    evolutionState.goToGeneration(g);
    showRestored(evolutionState);
    flags().freshGeneration = false;
    windowPort().postRedisplay();
}

void timeStepBackward() {
    showGeneration(evolutionState.generation - 1);
}

void timeStepForward() {
    showGeneration(evolutionState.generation + 1);
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

int laterGenerations() {
    return laterGenerationsOf(evolutionState);
}

std::string cutQuestion(int shown, int later) {
    const std::string count =
        later == 1 ? "the later generation" : "the " + std::to_string(later) + " later generations";
    const std::string range =
        later == 1 ? std::to_string(shown + 1)
                   : std::to_string(shown + 1) + " to " + std::to_string(shown + later);
    return "Generation " + std::to_string(shown) + " of " + std::to_string(shown + later) +
           " is shown. Breeding from it cuts " + count + " (" + range +
           ") from the run. Breed from generation " + std::to_string(shown) + " anyway?";
}

bool mayCutLaterGenerations() {
    const int later = laterGenerations();
    if (later == 0)
        return true;
    return windowPort().askYesNo(cutQuestion(evolutionState.generation, later), MESSAGE_CAPTION);
}
