#include "tools/cli/Evolve.h"

#include <chrono>
#include <cstdio>
#include <iostream>
#include <random>
#include <unistd.h>

#include "core/LRandom.h"
#include "evolution/EvolutionState.h"
#include "evolution/FossilView.h"
#include "evolution/ParallelEvaluation.h"
#include "evolution/RunControl.h"
#include "tools/cli/Args.h"
#include "tools/cli/CliError.h"
#include "tools/cli/OutputCheck.h"
#include "tools/cli/Progress.h"
#include "tools/cli/RunFile.h"
#include "tools/cli/Statistics.h"

namespace {

constexpr int MAX_PREY = 10000;
constexpr double MAX_PREY_SIZE = 200.0;
constexpr double MAX_FACTOR = 1e6;
constexpr int MAX_SILK_LIMIT = 10000000;
constexpr double MAX_RECORDED_FITNESS = 2147483647.0;

const std::vector<OptionRule> EVOLVE_OPTIONS = {
    {"population", true},   {"generations", true}, {"prey", true},      {"prey-size", true},
    {"prey-value", true},   {"attack", true},      {"silk-cost", true}, {"silk-limit", true},
    {"time-penalty", true}, {"crossover", true},   {"mutation", true},  {"seed", true},
    {"resume", true},       {"out", true},         {"stats", true},     {"quiet", false},
    {"threads", true},
};

int intOption(const Args& a, const char* name, long long lo, long long hi) {
    return static_cast<int>(parseInteger(std::string("--") + name, a.value(name), lo, hi));
}

double realOption(const Args& a, const char* name, double lo, double hi) {
    return parseReal(std::string("--") + name, a.value(name), lo, hi);
}

std::string fileOption(const Args& a, const char* name) {
    const std::string& path = a.value(name);
    if (path.empty())
        throw usageError(std::string("--") + name + ": the file name is empty");
    return path;
}

SettingOverrides parseSettings(const Args& a) {
    SettingOverrides s;
    if (a.has("prey"))
        s.numPrey = intOption(a, "prey", 0, MAX_PREY);
    if (a.has("prey-size"))
        s.preySize = realOption(a, "prey-size", 0.0, MAX_PREY_SIZE);
    if (a.has("prey-value"))
        s.preyValue = realOption(a, "prey-value", 0.0, MAX_FACTOR);
    if (a.has("attack")) {
        s.attack = parseAttackWord(a.value("attack"));
        if (!s.attack)
            throw usageError("--attack: '" + a.value("attack") +
                             "' is not one of off, dist, dist+grav");
    }
    if (a.has("silk-cost"))
        s.silkCost = realOption(a, "silk-cost", 0.0, MAX_FACTOR);
    if (a.has("silk-limit"))
        s.silkLimit = intOption(a, "silk-limit", -1, MAX_SILK_LIMIT);
    if (a.has("time-penalty"))
        s.timePenalty = realOption(a, "time-penalty", 0.0, MAX_FACTOR);
    if (a.has("crossover"))
        s.crossoverPercent = intOption(a, "crossover", 0, 100);
    if (a.has("mutation"))
        s.mutationTenths = intOption(a, "mutation", 0, 1000);
    return s;
}

uint32_t systemSeed() {
    std::random_device device;
    return static_cast<uint32_t>(device());
}

// Breeds one generation as the program's run timer does; false at the limit.
bool breedOne() {
    if (evolutionState.generation >= GENERATION_LIMIT)
        return false;
    isRunning = false;
    runTimer(TIMER_VALUE);
    return true;
}

std::string summaryLine(const EvolveOptions& o, const EvolveReport& r, double seconds) {
    const EvolutionState& es = evolutionState;
    const FossilView fossils(es.fossilRecord, es.populationSize);
    const GenerationStats last = generationStats(fossils, fossils.generations() - 1);
    char buf[512];
    std::snprintf(buf, sizeof buf,
                  "generation %d: best fitness %d (spider %d), mean %.1f; bred %d generation%s "
                  "in %.1f s (%.1f generations/s) on %d thread%s; saved %s",
                  es.generation, last.best, fossils.bestOf(fossils.generations() - 1) + 1,
                  last.mean, r.bred, r.bred == 1 ? "" : "s", seconds,
                  seconds > 0 ? r.bred / seconds : 0.0, evaluationThreads(),
                  evaluationThreads() == 1 ? "" : "s", o.out.c_str());
    return buf;
}

// The record keeps fitness as a 32-bit integer: the most a spider can earn
// (every prey caught) must fit.
void checkFitnessFitsTheRecord(int numPrey, double preyValue) {
    if (numPrey * preyValue > MAX_RECORDED_FITNESS)
        throw usageError("--prey x --prey-value must not exceed 2147483647 (the record keeps "
                         "fitness as a 32-bit integer)");
}

} // namespace

EvolveOptions parseEvolveOptions(const std::vector<std::string>& words) {
    const Args a(words, EVOLVE_OPTIONS);
    if (!a.positional().empty())
        throw usageError("evolve: unexpected argument '" + a.positional().front() + "'");
    EvolveOptions o;
    o.settings = parseSettings(a);
    if (a.has("population"))
        o.population = intOption(a, "population", 1, MAX_POPULATION);
    if (a.has("generations"))
        o.generations = intOption(a, "generations", 0, GENERATION_LIMIT);
    if (a.has("seed"))
        o.seed = parseSeed("--seed", a.value("seed"));
    if (a.has("resume"))
        o.resume = fileOption(a, "resume");
    if (a.has("stats"))
        o.stats = fileOption(a, "stats");
    if (a.has("threads"))
        o.threads = intOption(a, "threads", 1, MAX_THREADS);
    o.quiet = a.has("quiet");
    if (!a.has("out"))
        throw usageError("evolve: --out RUN.axv is required");
    o.out = fileOption(a, "out");
    if (o.population && !o.resume.empty())
        throw usageError("--population cannot be used with --resume (the run keeps its size)");
    if (!o.stats.empty())
        refuseSameFile({"--stats", o.stats}, {{"--out", o.out}, {"--resume", o.resume}});
    if (o.resume.empty()) {
        const RunSettings s = overridden(RunSettings{}, o.settings);
        checkFitnessFitsTheRecord(s.numPrey, s.preyValue);
    }
    return o;
}

void startEvolution(const EvolveOptions& o, uint32_t seed) {
    setEvaluationThreads(o.threads);
    LRandom::random.seed(seed);
    if (o.resume.empty()) {
        applyRunSettings(overridden(RunSettings{}, o.settings));
        // New, as the program does it: random genotypes, evaluation against
        // new prey, generation 0 recorded and the prey display angles rolled
        // (newPopulation ends with that roll; Run adds none before breeding).
        newPopulation(o.population.value_or(DEFAULT_POPULATION));
    } else {
        openRun(o.resume);
        applyRunSettings(overridden(currentRunSettings(), o.settings));
        checkFitnessFitsTheRecord(evolutionState.numPrey, evolutionState.preyValue);
    }
}

EvolveReport breedGenerations(int generations, const GenerationCallback& afterGeneration) {
    EvolveReport report;
    report.startGeneration = evolutionState.generation;
    for (int k = 0; k < generations; ++k) {
        if (!breedOne()) {
            report.stoppedAtLimit = true;
            break;
        }
        ++report.bred;
        if (afterGeneration)
            afterGeneration(report.bred);
    }
    return report;
}

EvolveReport runEvolution(const EvolveOptions& o, uint32_t seed,
                          const GenerationCallback& afterGeneration) {
    startEvolution(o, seed);
    return breedGenerations(o.generations, afterGeneration);
}

int evolveCommand(const std::vector<std::string>& words) {
    const EvolveOptions o = parseEvolveOptions(words);
    checkWritable(o.out); // it may replace the run it continues
    if (!o.stats.empty())
        checkWritable(o.stats);
    const uint32_t seed = o.seed ? *o.seed : systemSeed();
    const auto start = std::chrono::steady_clock::now();
    // A refused run file or limit is the only line printed.
    startEvolution(o, seed);
    if (!o.seed)
        std::cerr << "seed: " << seed << std::endl;

    auto elapsed = [&start] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };
    Progress progress(std::cerr, isatty(STDERR_FILENO) != 0, o.generations);
    GenerationCallback report;
    if (!o.quiet)
        report = [&](int bred) {
            const FossilView f(evolutionState.fossilRecord, evolutionState.populationSize);
            progress.update(bred, evolutionState.generation,
                            f.fitness(f.generations() - 1, f.bestOf(f.generations() - 1)),
                            elapsed());
        };
    const EvolveReport r = breedGenerations(o.generations, report);
    progress.finish();
    const double seconds = elapsed();
    if (r.stoppedAtLimit)
        std::cerr << "arachnovix-cli: stopped at generation " << evolutionState.generation << ": "
                  << GENERATION_LIMIT_MESSAGE << std::endl;

    saveRun(o.out);
    if (!o.stats.empty()) {
        const FossilView fossils(evolutionState.fossilRecord, evolutionState.populationSize);
        writeTextFile(o.stats, statsCsv(allGenerationStats(fossils)));
    }
    if (!o.quiet)
        std::cerr << summaryLine(o, r, seconds) << std::endl;
    return 0;
}
