#include "tools/cli/Evolve.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <random>
#include <unistd.h>

#include "evolution/FossilView.h"
#include "evolution/RunControl.h"
#include "evolution/ThreadPool.h"
#include "tools/cli/Args.h"
#include "tools/cli/CliError.h"
#include "tools/cli/OutputCheck.h"
#include "tools/cli/Progress.h"
#include "tools/cli/RunFile.h"
#include "tools/cli/StopSignals.h"

namespace {

const std::vector<OptionRule> EVOLVE_OPTIONS = {
    {"population", true},       {"generations", true}, {"prey", true},
    {"prey-size", true},        {"prey-value", true},  {"attack", true},
    {"silk-cost", true},        {"silk-limit", true},  {"time-penalty", true},
    {"crossover", true},        {"mutation", true},    {"seed", true},
    {"resume", true},           {"out", true},         {"stats", true},
    {"quiet", false},           {"threads", true},     {"plain", false},
    {"checkpoint-every", true},
};

// Whole numbers and reals are read here; their ranges are the run options'.
std::optional<int> intOption(const Args& a, const char* name) {
    if (!a.has(name))
        return std::nullopt;
    return static_cast<int>(
        parseInteger(std::string("--") + name, a.value(name), INT32_MIN, INT32_MAX));
}

std::optional<double> realOption(const Args& a, const char* name) {
    if (!a.has(name))
        return std::nullopt;
    return parseReal(std::string("--") + name, a.value(name), -HUGE_VAL, HUGE_VAL);
}

std::string fileOption(const Args& a, const char* name) {
    const std::string& path = a.value(name);
    if (path.empty())
        throw usageError(std::string("--") + name + ": the file name is empty");
    return path;
}

RunOptions parseRunOptions(const Args& a) {
    RunOptions o;
    o.population = intOption(a, "population");
    o.generations = intOption(a, "generations").value_or(DEFAULT_GENERATIONS);
    if (a.has("seed"))
        o.seed = parseSeed("--seed", a.value("seed"));
    o.threads = intOption(a, "threads").value_or(0);
    o.prey = intOption(a, "prey");
    o.preySize = realOption(a, "prey-size");
    o.preyValue = realOption(a, "prey-value");
    if (a.has("attack")) {
        o.attack = parseAttackWord(a.value("attack"));
        if (!o.attack)
            throw usageError("--attack: '" + a.value("attack") +
                             "' is not one of off, dist, dist+grav");
    }
    o.silkCost = realOption(a, "silk-cost");
    o.silkLimit = intOption(a, "silk-limit");
    o.timePenalty = realOption(a, "time-penalty");
    o.crossover = intOption(a, "crossover");
    o.mutation = intOption(a, "mutation");
    return o;
}

uint32_t systemSeed() {
    std::random_device device;
    return static_cast<uint32_t>(device());
}

// The run API's refusals as the tool's, led by the option's flag.
template <class F> auto asCliErrors(F&& work) -> decltype(work()) {
    try {
        return work();
    } catch (const RunOptionError& e) {
        std::string flag = "--" + e.setting();
        std::replace(flag.begin(), flag.end(), '_', '-');
        throw usageError(flag + ": " + e.what());
    } catch (const RunFileError& e) {
        throw fileError(e.what());
    }
}

std::string summaryLine(const EvolveOptions& o, const Run& run, const Run::BreedReport& r,
                        double seconds) {
    const EvolutionState& es = run.state();
    const FossilView fossils(es.fossilRecord, es.populationSize);
    const GenerationStats last = generationStats(fossils, fossils.generations() - 1);
    // The evaluator's count: the one asked for, else the CPUs the process may use.
    const int threads = o.run.threads > 0 ? o.run.threads : ThreadPool::machineThreads();
    char buf[512];
    std::snprintf(buf, sizeof buf,
                  "generation %d: best fitness %d (spider %d), mean %.1f; bred %d generation%s "
                  "in %.1f s (%.1f generations/s) on %d thread%s; saved %s",
                  es.generation, last.best, fossils.bestOf(fossils.generations() - 1) + 1,
                  last.mean, r.bred, r.bred == 1 ? "" : "s", seconds,
                  seconds > 0 ? r.bred / seconds : 0.0, threads, threads == 1 ? "" : "s",
                  o.out.c_str());
    return buf;
}

} // namespace

EvolveOptions parseEvolveOptions(const std::vector<std::string>& words) {
    const Args a(words, EVOLVE_OPTIONS);
    if (!a.positional().empty())
        throw usageError("evolve: unexpected argument '" + a.positional().front() + "'");
    EvolveOptions o;
    o.run = parseRunOptions(a);
    asCliErrors([&] { validate(o.run); });
    if (a.has("resume"))
        o.resume = fileOption(a, "resume");
    if (a.has("stats"))
        o.stats = fileOption(a, "stats");
    o.quiet = a.has("quiet");
    o.plain = a.has("plain");
    if (a.has("checkpoint-every"))
        o.checkpointEvery = static_cast<int>(
            parseInteger("--checkpoint-every", a.value("checkpoint-every"), 1, GENERATION_LIMIT));
    if (!a.has("out"))
        throw usageError("evolve: --out RUN.axv is required");
    o.out = fileOption(a, "out");
    if (o.run.population && !o.resume.empty())
        throw usageError("--population cannot be used with --resume (the run keeps its size)");
    if (!o.stats.empty())
        refuseSameFile({"--stats", o.stats}, {{"--out", o.out}, {"--resume", o.resume}});
    if (o.resume.empty())
        asCliErrors([&] { checkFitnessFitsTheRecord(overridden(RunSettings{}, o.run)); });
    return o;
}

Run startEvolution(const EvolveOptions& o, uint32_t seed) {
    return asCliErrors([&] {
        return o.resume.empty() ? Run::start(o.run, seed) : Run::resume(o.resume, o.run, seed);
    });
}

int evolveCommand(const std::vector<std::string>& words) {
    const EvolveOptions o = parseEvolveOptions(words);
    checkWritable(o.out); // it may replace the run it continues
    if (!o.stats.empty())
        checkWritable(o.stats);
    const uint32_t seed = o.run.seed ? *o.run.seed : systemSeed();
    const auto start = std::chrono::steady_clock::now();
    // A refused run file or limit is the only line printed.
    Run run = startEvolution(o, seed);
    if (!o.resume.empty())
        warnOfDamagedContinuation(run.state(), o.resume);
    if (!o.run.seed && run.fileContinuation() != FileContinuation::Exact)
        std::cerr << "seed: " << seed << std::endl;
    const FileLayout layout = o.plain ? FileLayout::Plain : FileLayout::WithContinuation;

    auto elapsed = [&start] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };
    Progress progress(std::cerr, isatty(STDERR_FILENO) != 0, o.run.generations);
    Run::Progress report = [&](const Run& r, int bred) {
        if (o.checkpointEvery > 0 && bred % o.checkpointEvery == 0)
            asCliErrors([&] { r.save(o.out, layout); });
        if (!o.quiet) {
            const FossilView f(r.state().fossilRecord, r.populationSize());
            progress.update(bred, r.generation(),
                            f.fitness(f.generations() - 1, f.bestOf(f.generations() - 1)),
                            elapsed());
        }
        return true;
    };
    const StopSignals stop({SIGTERM, SIGINT, SIGUSR1});
    const Run::BreedReport r = run.breed(o.run.generations, report, &StopSignals::flag());
    progress.finish();
    const double seconds = elapsed();
    if (r.stoppedAtLimit)
        std::cerr << "arachnovix-cli: stopped at generation " << run.generation() << ": "
                  << GENERATION_LIMIT_MESSAGE << std::endl;

    asCliErrors([&] { run.save(o.out, layout); });
    if (!o.stats.empty())
        writeTextFile(o.stats, statsCsv(run.statistics()));
    if (r.cancelled) {
        std::cerr << "arachnovix-cli: stopped by signal " << StopSignals::signal()
                  << " at generation " << run.generation() << "; the run is saved in " << o.out
                  << (run.continuesExactly() && !o.plain ? " and continues exactly with --resume"
                                                         : "")
                  << std::endl;
        return EXIT_INTERRUPTED;
    }
    if (!o.quiet)
        std::cerr << summaryLine(o, run, r, seconds) << std::endl;
    evolutionState = std::move(run.state());
    return 0;
}
