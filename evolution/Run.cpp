#include "evolution/Run.h"

#include "evolution/Continuation.h"
#include "evolution/FossilView.h"
#include "evolution/PopulationFile.h"
#include "evolution/PopulationFormat.h"
#include "evolution/RunControl.h"

namespace {

RunFileError refusedFile(const std::string& path, const std::string& why) {
    return RunFileError(std::string(NOT_A_POPULATION_FILE_MESSAGE) + " (" + path + ": " + why +
                        ")");
}

// The options' settings over the run's own (a resumed run keeps its size).
void applyResumeOptions(EvolutionState& es, const RunOptions& o) {
    validate(o);
    if (o.population)
        throw RunOptionError(
            "population", "population cannot be given to a resumed run (the run keeps its size)");
    const RunSettings s = overridden(currentRunSettings(es), o);
    checkFitnessFitsTheRecord(s);
    applyRunSettings(es, s);
    es.evaluator.setThreads(o.threads);
}

} // namespace

Run::Run() : state_(std::make_unique<EvolutionState>()) {}
Run::Run(const Run& other) : state_(std::make_unique<EvolutionState>(*other.state_)) {}
Run& Run::operator=(const Run& other) {
    if (this != &other)
        *state_ = *other.state_;
    return *this;
}
Run::Run(Run&&) noexcept = default;
Run& Run::operator=(Run&&) noexcept = default;
Run::~Run() = default;

Run Run::start(const RunOptions& o, uint32_t seed) {
    validate(o);
    const RunSettings s = overridden(RunSettings{}, o);
    checkFitnessFitsTheRecord(s);
    Run run;
    EvolutionState& es = run.state();
    es.evaluator.setThreads(o.threads);
    es.random.seed(seed);
    applyRunSettings(es, s);
    startPopulation(es, o.population.value_or(DEFAULT_POPULATION));
    es.provenance.firstSeed = seed;
    return run;
}

Run Run::open(const std::string& path) {
    Run run;
    const std::string why = openRunFile(run.state(), path);
    if (!why.empty())
        throw refusedFile(path, why);
    return run;
}

Run Run::resume(const std::string& path, const RunOptions& o, uint32_t seed) {
    validate(o);
    Run run;
    run.random().seed(seed);
    const std::string why = openRunFile(run.state(), path);
    if (!why.empty())
        throw refusedFile(path, why);
    applyResumeOptions(run.state(), o);
    return run;
}

Run Run::resume(const Run& from, const RunOptions& o, uint32_t seed) {
    validate(o);
    // Saved with its continuation, the run would open as itself.
    Run run = from.continuesExactly() ? Run(from)
                                      : fromRecord(from.populationSize(), from.wholeRecord(),
                                                   from.fileSettings(), seed);
    applyResumeOptions(run.state(), o);
    return run;
}

Run Run::fromRecord(int populationSize, std::vector<int32_t> record,
                    const population_format::Settings& settings, uint32_t seed) {
    const size_t perGeneration = static_cast<size_t>(populationSize) * FOSSIL_ENTRY_SIZE;
    if (populationSize < 1 || populationSize > MAX_POPULATION || record.empty() ||
        record.size() % perGeneration != 0 ||
        record.size() / perGeneration > static_cast<size_t>(GENERATION_LIMIT) + 1)
        throw std::invalid_argument("a record must hold whole generations of 1 ... 200 spiders");
    Run run;
    EvolutionState& es = run.state();
    es.random.seed(seed);
    es.populationSize = populationSize;
    es.generation = static_cast<int>(record.size() / perGeneration) - 1;
    es.fossilRecord = std::move(record);
    ++es.recordRevision;
    population_format::applySettings(es, settings);
    showOpened(es);
    return run;
}

std::vector<int32_t> Run::wholeRecord() const {
    const size_t size =
        static_cast<size_t>(generations()) * state_->populationSize * FOSSIL_ENTRY_SIZE;
    return std::vector<int32_t>(state_->fossilRecord.begin(),
                                state_->fossilRecord.begin() + static_cast<ptrdiff_t>(size));
}

population_format::Settings Run::fileSettings() const {
    return population_format::currentSettings(*state_);
}

Run::BreedReport Run::breed(int generations, const Progress& progress,
                            const std::atomic<bool>* cancel) {
    BreedReport report;
    EvolutionState& es = *state_;
    report.startGeneration = es.generation;
    for (int k = 0; k < generations; ++k) {
        if (cancel && cancel->load()) {
            report.cancelled = true;
            break;
        }
        if (es.generation >= GENERATION_LIMIT) {
            report.stoppedAtLimit = true;
            break;
        }
        breedGeneration(es);
        ++report.bred;
        if (progress && !progress(*this, report.bred)) {
            report.cancelled = k + 1 < generations;
            break;
        }
    }
    return report;
}

bool Run::continuesExactly() const {
    return continuation::continuesExactly(*state_);
}

void Run::save(const std::string& path, FileLayout layout) const {
    const std::string why = writePopulation(*state_, path, layout);
    if (!why.empty())
        throw RunFileError("cannot write " + path + ": " + why);
}

void Run::setThreads(int threads) {
    RunOptions o;
    o.threads = threads;
    validate(o);
    state_->evaluator.setThreads(threads);
}

RunSettings Run::settings() const {
    return currentRunSettings(*state_);
}

int Run::generations() const {
    return state_->recordedGenerations();
}

std::vector<GenerationStats> Run::statistics() const {
    return allGenerationStats(FossilView(state_->fossilRecord, state_->populationSize));
}

Spider Run::web(int g, int i) const {
    if (!state_->hasFossil(g, i) || g >= generations())
        throw std::out_of_range("the record holds no spider " + std::to_string(i) +
                                " of generation " + std::to_string(g));
    Spider s;
    state_->restoreSpiderInto(s, g, i);
    s.clearWeb();
    s.constructWeb(STAGE_MAIN_CAP_SPIRAL, state_->silkLimit);
    return s;
}
