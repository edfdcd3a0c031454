#include "evolution/RunControl.h"

#include <algorithm>
#include <chrono>

#include "core/LRandom.h"
#include "evolution/EvolutionState.h"
#include "evolution/PopulationFile.h"
#include "evolution/WindowPort.h"

bool isRunning = false;
bool renderOffline = false;
bool freshGeneration = false;
std::vector<int> preyAngles;
UnsavedWork unsavedWork;

const char* const GENERATION_LIMIT_MESSAGE = "Cannot evolve more than 10,000 generations.";
const char* const MESSAGE_CAPTION = "Arachnovix";

namespace {

constexpr int FULL_TURN_DEGREES = 360;

// The number of the run that goes on (or went on last); every start takes
// a new number, so that a tick queued by an earlier run can be told apart.
int currentRun = 0;

using Clock = std::chrono::steady_clock;
// When an offline run last asked for a redraw.
Clock::time_point lastOfflineRedraw;

// The counter test is equality: a larger counter from a loaded file goes on.
bool atGenerationLimit() {
    return evolutionState.generation == GENERATION_LIMIT;
}

void showGenerationLimit() {
    windowPort().showMessage(GENERATION_LIMIT_MESSAGE, MESSAGE_CAPTION, MessageIcon::Warning);
}

// Counts a generation just bred. Breeding cut `cut` later generations: those
// of them that were unsaved are no longer there to lose.
void countBredGeneration(int cut) {
    unsavedWork.generations = std::max(0, unsavedWork.generations - cut) + 1;
}

void rebuildAllWebs() {
    for (int i = 0; i < evolutionState.populationSize; ++i) {
        Spider& s = evolutionState.spiders[i];
        s.clearWeb();
        s.buildWeb();
    }
}

void moveInTime(int step) {
    stopRun();
    evolutionState.goToGeneration(evolutionState.generation + step);
    rebuildAllWebs();
    evolutionState.highlightBestRestored();
    evolutionState.markSelectedElite();
    freshGeneration = false;
    windowPort().postRedisplay();
}

} // namespace

bool populationEvaluated() {
    return evolutionState.spiders[0].individual.isEvaluated;
}

void rollPreyAngles() {
    preyAngles.clear();
    preyAngles.resize(evolutionState.problem.prey.size());
    for (int& angle : preyAngles)
        angle = LRandom::getUniformRandInt(0, FULL_TURN_DEGREES);
}

void newPopulation(int size) {
    EvolutionState& es = evolutionState;
    if (size > 0)
        es.populationSize = std::min(size, MAX_POPULATION);
    stopRun();
    for (int i = 0; i < es.populationSize; ++i)
        es.spiders[i].clearWeb();
    // Emptied with its memory: a long run's history is given back, and the
    // new run reserves room for its own size.
    std::vector<int32_t>().swap(es.fossilRecord);
    es.generation = 0;
    for (int i = 0; i < es.populationSize; ++i) {
        Spider& s = es.spiders[i];
        es.problem.createRandomGenotype(s.individual);
        s.origin = ORIGIN_INITIAL;
        s.parentA = i;
        s.parentB = i;
    }
    es.decodeRules();
    es.evaluatePopulation(true);
    es.selectSpider(0);
    unsavedWork = UnsavedWork();
    freshGeneration = false;
    rollPreyAngles();
    windowPort().layoutGrid();
    windowPort().postRedisplay();
}

void evaluateNow() {
    stopRun();
    evolutionState.evaluatePopulation(true);
    rollPreyAngles();
    windowPort().layoutGrid();
    evolutionState.selectSpider(evolutionState.bestSpider);
    freshGeneration = true;
    windowPort().postRedisplay();
}

void runTimer(int /*value*/) {
    if (atGenerationLimit()) {
        isRunning = false;
        renderOffline = false;
        windowPort().drawNow();
        return;
    }
    // The next tick is armed before this one's work, so that breeding and
    // drawing a generation overlap the wait: the run keeps the timer's pace
    // as long as a generation takes less than the interval.
    if (isRunning)
        windowPort().startTimer(RUN_TIMER_MS, runTick, currentRun);
    breedGeneration();
    const int g = evolutionState.generation;
    const bool skipRedraw = renderOffline && g != 0 && g % OFFLINE_REDRAW_INTERVAL != 0;
    if (!skipRedraw)
        windowPort().postRedisplay();
}

void breedGeneration() {
    const int cut = laterGenerations();
    evolutionState.stepGeneration();
    evolutionState.evaluatePopulation(true);
    countBredGeneration(cut);
    freshGeneration = isRunning;
    rollPreyAngles();
    windowPort().layoutGrid();
    evolutionState.selectSpider(evolutionState.bestSpider);
}

void runTick(int run) {
    if (isRunning && run == currentRun)
        runTimer(TIMER_VALUE);
}

void startRun(bool offline) {
    ++currentRun;
    isRunning = true;
    renderOffline = offline;
    if (!offline) {
        runTimer(TIMER_VALUE);
        return;
    }
    breedGeneration();
    lastOfflineRedraw = Clock::now();
    windowPort().postRedisplay();
    windowPort().startTimer(0, offlineTick, currentRun);
}

void offlineTick(int run) {
    if (!isRunning || run != currentRun)
        return;
    const Clock::time_point start = Clock::now();
    do {
        if (atGenerationLimit()) {
            runTimer(TIMER_VALUE); // stops the run and shows where it stopped
            return;
        }
        breedGeneration();
    } while (Clock::now() - start < std::chrono::milliseconds(OFFLINE_TICK_BUDGET_MS));
    if (Clock::now() - lastOfflineRedraw >= std::chrono::milliseconds(OFFLINE_REDRAW_MS)) {
        lastOfflineRedraw = Clock::now();
        windowPort().postRedisplay();
    }
    windowPort().startTimer(0, offlineTick, currentRun);
}

void stopRun() {
    if (!isRunning && !renderOffline)
        return;
    isRunning = false;
    // The offline message says the run goes on; it must not outlive it.
    renderOffline = false;
    freshGeneration = false;
}

void runStop() {
    if (atGenerationLimit()) {
        showGenerationLimit();
        return;
    }
    if (!populationEvaluated()) {
        evolutionState.evaluatePopulation(true);
        evolutionState.selectSpider(evolutionState.selectedSpider);
        rollPreyAngles();
    }
    if (isRunning)
        stopRun();
    else if (mayCutLaterGenerations())
        startRun(false);
}

void toggleOfflineRun() {
    if (atGenerationLimit()) {
        showGenerationLimit();
        stopRun();
        return;
    }
    if (isRunning)
        stopRun();
    else if (mayCutLaterGenerations())
        startRun(true);
}

void runOneStep() {
    if (atGenerationLimit()) {
        showGenerationLimit();
        return;
    }
    stopRun();
    if (!mayCutLaterGenerations())
        return;
    if (!populationEvaluated())
        evaluateNow();
    const int cut = laterGenerations();
    evolutionState.stepGeneration();
    windowPort().layoutGrid();
    evolutionState.selectSpider(evolutionState.bestSpider);
    windowPort().postRedisplay();
    evaluateNow();
    countBredGeneration(cut);
    windowPort().startTimer(FRESH_TIMER_MS, freshTimer, TIMER_VALUE);
}

void freshTimer(int /*value*/) {
    freshGeneration = false;
    windowPort().postRedisplay();
}

bool openRunFile(const std::string& path, std::string* why) {
    stopRun();
    if (!loadPopulation(path, why))
        return false;
    evolutionState.goToGeneration(evolutionState.generation);
    rebuildAllWebs();
    evolutionState.highlightBestRestored();
    evolutionState.markSelectedElite();
    markRunSaved();
    rollPreyAngles();
    return true;
}

void timeStepBackward() {
    moveInTime(-1);
}

void timeStepForward() {
    moveInTime(+1);
}

void markRunSaved() {
    unsavedWork = UnsavedWork();
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
    if (!unsavedWork.any())
        return true;
    return windowPort().askYesNo(discardQuestion(unsavedWork, action), MESSAGE_CAPTION);
}

int laterGenerations() {
    return std::max(0, evolutionState.recordedGenerations() - 1 - evolutionState.generation);
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
