#pragma once
// A run as a value: it owns its population, record, settings, run flags,
// random streams and evaluation threads, so that a front end may hold as many
// runs as it likes and breed them on different threads at once. A run is
// started from options and a seed, or opened from a file, and bred
// generation by generation exactly as the program's Run command breeds its
// current run (evolutionState): the same random draws in the same order, so
// every front end gets the same bytes.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "evolution/EvolutionState.h"
#include "evolution/PopulationFile.h"
#include "evolution/PopulationFormat.h"
#include "evolution/RunOptions.h"
#include "evolution/RunStatistics.h"

// A run file that cannot be read or written; the message says why.
class RunFileError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class Run {
  public:
    // Called after every bred generation with the run and the number bred so
    // far in this call; returning false stops the breeding there.
    using Progress = std::function<bool(const Run& run, int bred)>;

    struct BreedReport {
        int startGeneration = 0; // the generation bred from
        int bred = 0;            // generations bred
        bool stoppedAtLimit = false;
        bool cancelled = false; // by the progress callback or the cancel flag
    };

    // A new run with the defaults of a new run (the program panel's).
    Run();
    Run(const Run& other);
    Run& operator=(const Run& other);
    Run(Run&&) noexcept;
    Run& operator=(Run&&) noexcept;
    ~Run();

    // A new run: the options are validated (RunOptionError), the twister is
    // seeded with `seed`, the settings are the defaults with the options over
    // them, and a random population is made and evaluated as generation 0.
    static Run start(const RunOptions& options, uint32_t seed);
    // A saved run as File / Open leaves it (RunFileError when refused).
    static Run open(const std::string& path);
    // A saved run to breed on as "evolve --resume" does: the twister seeded
    // with `seed` before the file is opened, then the options' settings over
    // the file's. A file with a continuation record goes on exactly as the
    // run that wrote it (its streams replace the seeded ones). A population
    // in the options is refused.
    static Run resume(const std::string& path, const RunOptions& options, uint32_t seed);
    // The same from a run in memory, as if it had been saved and resumed
    // (with its continuation when it continues exactly).
    static Run resume(const Run& from, const RunOptions& options, uint32_t seed);
    // A run made from a record as opening a file that holds it makes it, the
    // twister seeded with `seed` first (std::invalid_argument for a record
    // that is not whole generations of 1 ... 200 spiders).
    static Run fromRecord(int populationSize, std::vector<int32_t> record,
                          const population_format::Settings& settings, uint32_t seed);
    // The record and settings a file of this run holds.
    std::vector<int32_t> wholeRecord() const;
    population_format::Settings fileSettings() const;

    // Breeds up to `generations` more generations; stops early at the
    // generation limit, when `progress` returns false or when `cancel` is
    // set (both checked after whole generations). A run bred in two calls
    // equals one bred in one call. An exception from `progress` leaves the
    // run whole at its last generation.
    BreedReport breed(int generations, const Progress& progress = {},
                      const std::atomic<bool>* cancel = nullptr);

    // Writes the run file (RunFileError on failure; an existing file is
    // replaced whole or left as it was), with the continuation record unless
    // `layout` is Plain or the run cannot be continued exactly.
    void save(const std::string& path, FileLayout layout = FileLayout::WithContinuation) const;
    // Whether a file of the run now would continue exactly (it shows its last
    // recorded generation).
    bool continuesExactly() const;
    // Where the run came from, and what its file carried after its settings.
    const RunProvenance& provenance() const { return state_->provenance; }
    FileContinuation fileContinuation() const { return state_->fileContinuation; }

    // Evaluation threads (0: every core); any number gives the same run.
    void setThreads(int threads);

    RunSettings settings() const;
    // Recorded generations (0 ... generations() - 1) and the current one.
    int generations() const;
    int generation() const { return state_->generation; }
    int populationSize() const { return state_->populationSize; }
    // The statistics of every recorded generation.
    std::vector<GenerationStats> statistics() const;
    // Recorded spider i of generation g with its web built under the run's
    // silk limit (std::out_of_range for an entry the record does not hold).
    Spider web(int g, int i) const;

    // The record itself, and the run's random streams (to read and set whole).
    const EvolutionState& state() const { return *state_; }
    EvolutionState& state() { return *state_; }
    RunRandom& random() { return state_->random; }
    const RunRandom& random() const { return state_->random; }

  private:
    std::unique_ptr<EvolutionState> state_;
};
