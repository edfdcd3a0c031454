#include "evolution/RunControl.h"

#include <algorithm>

#include "core/LRandom.h"
#include "evolution/EvolutionState.h"
#include "evolution/WindowPort.h"

bool isRunning = false;
bool renderOffline = false;
bool freshGeneration = false;
std::vector<int> preyAngles;

const char* const GENERATION_LIMIT_MESSAGE = "Cannot evolve more than 10,000 generations.";
const char* const MESSAGE_CAPTION = "Arachnovix";

namespace {

constexpr int FULL_TURN_DEGREES = 360;

// The counter test is equality: a larger counter from a loaded file goes on.
bool atGenerationLimit() {
    return evolutionState.generation == GENERATION_LIMIT;
}

void showGenerationLimit() {
    windowPort().showMessage(GENERATION_LIMIT_MESSAGE, MESSAGE_CAPTION, MessageIcon::Warning);
}

void rebuildAllWebs() {
    for (int i = 0; i < evolutionState.populationSize; ++i) {
        Spider& s = evolutionState.spiders[i];
        s.clearWeb();
        s.buildWeb();
    }
}

void moveInTime(int step) {
    isRunning = false;
    evolutionState.goToGeneration(evolutionState.generation + step);
    rebuildAllWebs();
    evolutionState.highlightBestRestored();
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
    isRunning = false;
    for (int i = 0; i < es.populationSize; ++i)
        es.spiders[i].clearWeb();
    // Emptied with its memory: a long run's history is given back, and the
    // new run reserves room for its own size.
    std::vector<int32_t>().swap(es.fossilRecord);
    es.generation = 0;
    es.selectedSpider = 0;
    for (int i = 0; i < es.populationSize; ++i) {
        Spider& s = es.spiders[i];
        es.problem.createRandomGenotype(s.individual);
        s.origin = ORIGIN_INITIAL;
        s.parentA = i;
        s.parentB = i;
    }
    es.decodeRules();
    es.evaluatePopulation(true);
    freshGeneration = false;
    rollPreyAngles();
    windowPort().layoutGrid();
    windowPort().postRedisplay();
}

void evaluateNow() {
    isRunning = false;
    evolutionState.evaluatePopulation(true);
    rollPreyAngles();
    windowPort().layoutGrid();
    evolutionState.selectedSpider = evolutionState.bestSpider;
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
        windowPort().startTimer(RUN_TIMER_MS, runTimer, TIMER_VALUE);
    evolutionState.stepGeneration();
    evolutionState.evaluatePopulation(true);
    freshGeneration = isRunning;
    rollPreyAngles();
    windowPort().layoutGrid();
    evolutionState.selectedSpider = evolutionState.bestSpider;
    const int g = evolutionState.generation;
    const bool skipRedraw = renderOffline && g != 0 && g % OFFLINE_REDRAW_INTERVAL != 0;
    if (!skipRedraw)
        windowPort().postRedisplay();
}

void runStop() {
    if (atGenerationLimit()) {
        showGenerationLimit();
        return;
    }
    if (!populationEvaluated()) {
        evolutionState.evaluatePopulation(true);
        rollPreyAngles();
    }
    renderOffline = false;
    isRunning = !isRunning;
    if (isRunning)
        runTimer(TIMER_VALUE);
}

void runOneStep() {
    if (atGenerationLimit()) {
        showGenerationLimit();
        return;
    }
    isRunning = false;
    if (!populationEvaluated())
        evaluateNow();
    evolutionState.stepGeneration();
    windowPort().layoutGrid();
    evolutionState.selectedSpider = evolutionState.bestSpider;
    windowPort().postRedisplay();
    evaluateNow();
    windowPort().startTimer(FRESH_TIMER_MS, freshTimer, TIMER_VALUE);
}

void freshTimer(int /*value*/) {
    freshGeneration = false;
    windowPort().postRedisplay();
}

void timeStepBackward() {
    moveInTime(-1);
}

void timeStepForward() {
    moveInTime(+1);
}
