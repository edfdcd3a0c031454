#pragma once
// Run control: the commands by which the user drives evolution (new
// population, evaluate, run / stop, one step, moving in time), the
// 10,000-generation limit and the display angles of the prey. The commands
// drive the program's current run (evolutionState) on the window's event
// thread; timers and redraws go through windowPort(). The engine part of
// each command also takes any run, with no window: the run API breeds
// through those.

#include <string>
#include <vector>

#include "evolution/EvolutionState.h"

// Milliseconds between generations of a run, and the showing of a fresh
// generation after a single step.
constexpr int RUN_TIMER_MS = 30;
constexpr int FRESH_TIMER_MS = 500;
// The value handed to every timer callback (not used).
constexpr int TIMER_VALUE = 10;
// Redraw every this many generations while rendering offline.
constexpr int OFFLINE_REDRAW_INTERVAL = 5;
// An offline run ("o") breeds for this long per tick of the event loop,
// and asks for a redraw at most this often.
constexpr int OFFLINE_TICK_BUDGET_MS = 15;
constexpr int OFFLINE_REDRAW_MS = 200;

// The refusal shown when the generation limit is reached.
extern const char* const GENERATION_LIMIT_MESSAGE;
// Caption of every message box of the program.
extern const char* const MESSAGE_CAPTION;

// --- the engine part, for any run ---

// A random population of `size` spiders (0 keeps the current size; sizes
// above the 200 slots are taken as 200), evaluated as generation 0, spider 0
// selected, new prey angles, nothing unsaved.
void startPopulation(EvolutionState& run, int size);
// One generation bred and evaluated as the run timer breeds it: the best
// spider selected and new prey angles rolled.
void breedGeneration(EvolutionState& run);
// Opens the run file at `path` into `run` (see showOpened). A refused file
// leaves `run` as it was; the reason is returned (empty on success).
std::string openRunFile(EvolutionState& run, const std::string& path);
// A run just taken from a file or a record, made as File / Open leaves it:
// its last recorded generation with every web rebuilt, its best spider
// selected and elite (as it would have been had the run gone on unsaved),
// new prey angles, nothing unsaved.
void showOpened(EvolutionState& run);
// New display angles for the prey of the run's swarm.
void rollPreyAngles(EvolutionState& run);
// Whether the run is at the generation limit (breeding is refused).
bool atGenerationLimit(const EvolutionState& run);

// --- the program's commands, on its current run ---

// A random population of `size` spiders (see startPopulation).
void newPopulation(int size);
// New prey, every spider evaluated, the best one selected and shown.
void evaluateNow();
// Starts or stops continuous evolution.
void runStop();
// One generation bred and evaluated; while running, queues the next tick.
void runTimer(int value);
// A queued tick of the run numbered `run`: breeds only while that run goes
// on, so a tick queued before a stop (by any command) does nothing.
void runTick(int run);
// Starts a run: clears the offline switch unless `offline`, breeds the first
// generation at once and queues the next. An offline run then breeds in
// ticks of offlineTick.
void startRun(bool offline);
// One generation bred and evaluated, exactly as a tick of a run breeds it.
void breedGeneration();
// A tick of the offline run numbered `run`: breeds generation after
// generation for OFFLINE_TICK_BUDGET_MS (at least one), asks for a redraw
// every OFFLINE_REDRAW_MS, and queues the next tick at once, so that input
// is handled between ticks.
void offlineTick(int run);
// Stops a run (if one goes on): its queued tick will do nothing.
void stopRun();
// The offline switch ("o"): at the generation limit it says so and stops
// any run; else starts a run that redraws only every fifth generation, or
// stops the one going on.
void toggleOfflineRun();
// Evaluates first if needed, breeds one generation and evaluates it.
void runOneStep();
// Ends the showing of a freshly bred generation.
void freshTimer(int value);
// Stops any run and shows recorded generation g (nothing bred) with every
// web rebuilt; a generation not recorded leaves the population as it is.
void showGeneration(int g);
// Shows the previous / next recorded generation (see showGeneration).
void timeStepBackward();
void timeStepForward();
// Open: stops any run and loads the run file at `path` (see openRun). A
// refused file leaves everything as it was (the loader said why, also in
// *why when given) and gives false. A file whose continuation record is
// damaged opens with one warning (its run goes on with new streams).
bool openRunFile(const std::string& path, std::string* why = nullptr);
// New display angles for the prey of the current swarm.
void rollPreyAngles();
// Whether spider 0 (and so the population) is evaluated.
bool populationEvaluated();

// The run now matches a file (saved or opened) or is new: nothing to lose.
void markRunSaved();
// Whether the run may be discarded to `action` (e.g. "start a new run"):
// true when nothing would be lost, else the user's answer to a question
// whose default keeps the run.
bool mayDiscardRun(const std::string& action);
// The question mayDiscardRun asks.
std::string discardQuestion(const UnsavedWork& work, const std::string& action);

// Generations recorded after the one shown: breeding from it cuts them off.
int laterGenerations();
// Whether breeding may go on from the generation shown: true when no later
// generation would be cut, else the user's answer to a question whose
// default keeps them (and breeds nothing).
bool mayCutLaterGenerations();
// The question mayCutLaterGenerations asks at generation `shown` with
// `later` generations after it.
std::string cutQuestion(int shown, int later);
