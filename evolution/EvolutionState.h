#pragma once
// The record of a run: its settings, the 200 population slots, the
// generation counter, the web-building problem, the fossil record of every
// generation bred so far, and the run's own random streams and evaluation
// threads. The generation step and the fossil record are member functions;
// run control (RunControl.h) decides when they run. A record is a value:
// several runs may live, and breed on different threads, at once. The
// program's current run is the global `evolutionState`.

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/MTRand.h"
#include "evolution/ParallelEvaluation.h"
#include "evolution/RunSettings.h"
#include "web/BuildRandom.h"
#include "web/EAPGossamerix.h"
#include "web/Spider.h"

// Capacity of the population: nothing may set populationSize above this.
constexpr int MAX_POPULATION = 200;
// Run control refuses to breed once the generation counter equals this.
constexpr int GENERATION_LIMIT = 10000;
// Integers per spider per generation in the fossil record: 19 rule values,
// fitness, origin code, parentA, parentB.
constexpr int FOSSIL_ENTRY_SIZE = 23;
constexpr int FOSSIL_FITNESS = NUM_RULES;
constexpr int FOSSIL_ORIGIN = NUM_RULES + 1;
constexpr int FOSSIL_PARENT_A = NUM_RULES + 2;
constexpr int FOSSIL_PARENT_B = NUM_RULES + 3;

// numCaught of a spider restored from the record, which keeps the fitness
// but not the prey caught.
constexpr int32_t CAUGHT_NOT_RECORDED = -1;

// How a spider was made, and the codes under which the record stores it.
extern const char* const ORIGIN_INITIAL;          // "I"
extern const char* const ORIGIN_SELECTED;         // "SEL"
extern const char* const ORIGIN_CROSSED;          // "CROSS"
extern const char* const ORIGIN_SELECTED_MUTATED; // "SEL+MUT"
extern const char* const ORIGIN_CROSSED_MUTATED;  // "CROSS+MUT"
constexpr int NUM_ORIGIN_CODES = 5;
constexpr int32_t ORIGIN_CODE_UNKNOWN = -1;

// 0 "I", 1 "SEL", 2 "CROSS", 3 "SEL+MUT", 4 "CROSS+MUT"; -1 for any other label.
int32_t originCode(const std::string& label);
// The label of a code; the empty string for any code outside 0 ... 4.
std::string originLabel(int32_t code);

// A double truncated toward zero to a 32-bit integer; values beyond the
// range saturate and NaN gives 0 (a plain cast would be undefined there).
int32_t truncToInt32(double value);

// The two random streams of a run. The Mersenne Twister gives genotypes,
// crossover tests and cut points, bit flips, prey, attack draws and prey
// display angles. `library` is the run's twin of the C library's rand(): it
// is where the run's last web construction left rand() (every build reseeds
// it), and selection and crossover draw rival and partner indices from it.
// Both are plain values, so a run's streams can be read and set whole.
struct RunRandom {
    MTRand twister;
    // rand() before any srand() is seeded with 1.
    BuildRandom library{1};

    // Seeds the twister; `library` is left where it is.
    void seed(uint32_t seed) { twister.seed(seed); }

    // Both streams as words: the twister's saved state (MTRand::SAVE words),
    // then the library twin's (BuildRandom::STATE_WORDS).
    static constexpr int WORDS = MTRand::SAVE + BuildRandom::STATE_WORDS;
    std::vector<uint32_t> words() const;
    // Puts words() back; false (and nothing changed) for words of the wrong
    // length or a state no generator can be in.
    bool setWords(const std::vector<uint32_t>& words);
};

// The working copy every genetic step reads from. A copied run starts with
// an empty one: it holds nothing between steps.
struct ScratchPopulation {
    std::vector<Spider> spiders;
    ScratchPopulation() = default;
    ScratchPopulation(const ScratchPopulation&) {}
    ScratchPopulation& operator=(const ScratchPopulation&) { return *this; }
};

// Work that saving would keep: generations bred and rules edited since the
// run was created, opened or saved.
struct UnsavedWork {
    int generations = 0;
    bool edited = false;
    bool any() const { return generations > 0 || edited; }
};

// The run-control state of a run.
struct RunFlags {
    // The run timer keeps re-arming itself while this is set.
    bool isRunning = false;
    // While running, redraw only every fifth generation.
    bool renderOffline = false;
    // A newly evaluated generation is being shown (the view draws its prey).
    bool freshGeneration = false;
    UnsavedWork unsavedWork;
    // The number of the run that goes on (or went on last); every start
    // takes a new number, so that a tick queued by an earlier run can be
    // told apart.
    int tick = 0;
    // When an offline run last asked for a redraw.
    std::chrono::steady_clock::time_point offlineRedrawAt;
};

struct ContinuationRecord;

// Where a run came from: what its file's continuation record tells, or what
// this process knows of the run it made.
struct RunProvenance {
    // The product version that wrote the continuation (empty when none did).
    std::string version;
    // The twister's seed when the run was started (absent when unknown).
    std::optional<uint32_t> firstSeed;
    // The settings in force when the last generation was bred (absent when
    // none was bred since the run started).
    std::optional<RunSettings> lastBred;
};

// What the file a run was read from carried after its settings.
enum class FileContinuation { Absent, Exact, Damaged };

struct EvolutionState {
    bool elitism = true;
    int numElite = 1;
    double mutationRate = 0.002;
    double crossoverRate = 0.8;
    int populationSize = 16;
    int numPrey = 30;
    double preySize = 2.0;
    double preyValue = 20.0;
    double silkCostFactor = 1.0;
    double timePenaltyFactor = 0.0;
    Spider spiders[MAX_POPULATION];
    int bestSpider = 0;
    int generation = 0;
    EAPGossamerix problem;
    int selectedSpider = -1;
    std::vector<int32_t> fossilRecord;
    // Counts the changes to the record other than to its last generation
    // (written, or written again): an earlier generation written again,
    // later ones cut, the record replaced. A view of the record that knows
    // the count and the last generation knows when to read it again.
    int recordRevision = 0;
    // Limit on a web's total silk in web units; NO_SILK_LIMIT for none.
    int32_t silkLimit = NO_SILK_LIMIT;
    RunRandom random;
    // One display angle in whole degrees (0 ... 360) per prey of the swarm,
    // rolled from the run's twister after every evaluation run control makes.
    std::vector<int> preyAngles;
    PopulationEvaluator evaluator;
    RunFlags flags;
    RunProvenance provenance;
    FileContinuation fileContinuation = FileContinuation::Absent;
    // A continuation just read with the run's file, put in force once the
    // file is shown as opened (showOpened in run control).
    std::shared_ptr<const ContinuationRecord> pendingContinuation;

    // --- the population and the generation step ---

    // Decodes every spider's genes into its rule values.
    void decodeRules();
    // Evaluates every spider in use (against a new swarm when newPrey), finds
    // the best one, ranks, and records the generation.
    void evaluatePopulation(bool newPrey);
    // Marks the best spider elite and highlighted, and clears the others.
    void rankPopulation();
    // Every non-elite spider meets one random rival and becomes its copy when
    // the rival is strictly better.
    void selectSpiders();
    // Every non-elite spider is replaced by a crossover child with a random
    // partner, with probability crossoverRate.
    void crossSpiders();
    // Every non-elite spider has its bits flipped with mutationRate.
    void mutateSpiders();
    // Select, cross, mutate, advance the counter, decode and record.
    void stepGeneration();

    // --- the fossil record ---

    // Writes all spiders in use as generation `generation`.
    void recordGeneration();
    // Makes recorded generation g the current population (nothing happens
    // for a generation that is not recorded).
    void goToGeneration(int g);
    // Replaces population spider i by recorded spider i of generation g
    // (nothing happens for an entry that is not recorded).
    void restoreSpider(int g, int i);
    // The same, into a separate spider record.
    void restoreSpiderInto(Spider& s, int g, int i);
    // After moving in time: highlights and selects the best restored spider.
    void highlightBestRestored();
    // Makes the selected spider the best and the only elite (after moving in
    // time or loading, where no evaluation ranked the restored spiders), so
    // that the next step spares it.
    void markSelectedElite();
    // Selects spider i and puts the selection mark on it alone.
    void selectSpider(int i);
    // A web was built on this thread outside evaluation (for a browser):
    // builds reseed rand() and selection reads it where the last one left it,
    // so the run's twin follows.
    void followWebBuild();

    // Whether the record holds spider i of generation g.
    bool hasFossil(int g, int i) const;
    // Number of whole generations held by the record.
    int recordedGenerations() const;
    // Whether spider a is strictly better than spider b (reads both fitness
    // values through the evaluated check).
    bool isBetter(const Spider& a, const Spider& b) const;

  private:
    // Index of the first integer of spider i of generation g in the record.
    size_t fossilIndex(size_t g, int i) const;
    // Takes the recorded entry into s without decoding any rules.
    void takeFossil(Spider& s, int g, int i);
    // Gives the record room for a whole run at this population size, so that
    // it grows without being copied step by step.
    void reserveRecord();
    // Copies the spiders in use into the scratch population.
    const std::vector<Spider>& copyToScratch();
    // The rival or partner index, from the run's twin of rand().
    int randomIndex();

    ScratchPopulation scratch_;
};

// The program's current run.
extern EvolutionState evolutionState;
