#include "tools/cli/sweep/SweepCommand.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <iostream>
#include <unistd.h>

#include "evolution/CpuCount.h"
#include "evolution/EvolutionState.h"
#include "tools/cli/Args.h"
#include "tools/cli/CliError.h"
#include "tools/cli/Evolve.h"
#include "tools/cli/sweep/SweepCase.h"
#include "tools/cli/sweep/SweepPool.h"
#include "tools/cli/sweep/SweepReplicates.h"
#include "tools/cli/sweep/SweepReport.h"
#include "tools/cli/sweep/SweepSlurm.h"

namespace {

constexpr int EXIT_INTERRUPTED = 130;
constexpr int MAX_JOBS = 1024;
constexpr long long SLURM_DEFAULT_MAX_ARRAY = 1001;
constexpr size_t FAILURES_SHOWN = 10;

// The single positional argument of a sweep command.
std::string onePositional(const Args& a, const char* what, const char* command) {
    if (a.positional().size() != 1)
        throw usageError(std::string("sweep ") + command + ": " + what +
                         (a.positional().empty() ? " is missing" : " must be the only argument"));
    return a.positional().front();
}

std::string requiredOut(const Args& a, const char* command) {
    if (!a.has("out"))
        throw usageError(std::string("sweep ") + command + ": --out DIR is required");
    return a.value("out");
}

// Lists the cases that are not finished; true when there are none.
bool reportUnfinished(const SweepFolder& folder, const CollectResult& r, std::ostream& out) {
    const long long total = folder.caseCount();
    out << "sweep: " << r.done << " of " << total << " cases finished; " << folder.resultsPath()
        << " holds them\n";
    if (!r.failed.empty()) {
        out << "failed cases: " << numberRanges(r.failed) << "\n";
        for (size_t k = 0; k < r.reasons.size() && k < FAILURES_SHOWN; ++k)
            out << "  " << r.reasons[k] << "\n";
    }
    if (!r.missing.empty())
        out << "missing cases: " << numberRanges(r.missing) << "\n";
    return r.complete();
}

int runCommand(const std::vector<std::string>& words) {
    const Args a(words, {{"out", true}, {"jobs", true}, {"force", false}});
    const std::string design = onePositional(a, "the design file", "run");
    const std::string out = requiredOut(a, "run");
    const int jobs = a.has("jobs")
                         ? static_cast<int>(parseInteger("--jobs", a.value("jobs"), 1, MAX_JOBS))
                         : usableCpus();
    const SweepFolder folder = SweepFolder::create(design, out, a.has("force"));
    folder.removeLeftovers();
    const PoolResult p = runPool(folder, jobs, std::cerr, isatty(STDERR_FILENO) != 0);
    const CollectResult r = collectResults(folder);
    char timing[160];
    std::snprintf(timing, sizeof timing,
                  "sweep: %lld cases run in %.1f s with %d job%s (%lld finished before)\n",
                  p.done + p.failed, p.seconds, jobs, jobs == 1 ? "" : "s", p.before);
    std::cerr << timing;
    const bool complete = reportUnfinished(folder, r, std::cerr);
    if (p.interrupted) {
        std::cerr << "sweep: interrupted; the same command goes on from here" << std::endl;
        return EXIT_INTERRUPTED;
    }
    return complete ? 0 : EXIT_FILE;
}

int runCaseCommand(const std::vector<std::string>& words) {
    const Args a(words, {{"threads", true}});
    if (a.positional().size() != 2)
        throw usageError("sweep run-case: give the sweep folder and a case number");
    const SweepFolder folder(a.positional()[0]);
    const long long k = parseInteger("case", a.positional()[1], 1, folder.caseCount());
    const int threads =
        a.has("threads")
            ? static_cast<int>(parseInteger("--threads", a.value("threads"), 1, MAX_THREADS))
            : 0;
    return runSweepCase(folder, k, threads);
}

int casesCommand(const std::vector<std::string>& words) {
    const Args a(words, {{"out", true}, {"force", false}});
    const std::string design = onePositional(a, "the design file", "cases");
    const SweepFolder folder = SweepFolder::plan(design, requiredOut(a, "cases"), a.has("force"));
    for (long long k = 1; k <= folder.caseCount(); ++k)
        std::cout << folder.caseCommand(k) << '\n';
    return 0;
}

std::string absolutePath(const std::string& path) {
    char buf[PATH_MAX];
    if (!::realpath(path.c_str(), buf))
        throw fileError("cannot resolve " + path);
    return buf;
}

// Submits the array and, when asked, the report job that waits for it.
int submit(const SweepFolder& folder, const SlurmPlan& plan, bool thenReport) {
    const std::string array = sbatch({slurmScriptPath(folder)});
    std::cout << "Submitted batch job " << array << std::endl;
    if (!thenReport)
        return 0;
    const std::string script = reportScriptPath(folder);
    writeSweepFile(script, reportScript(plan));
    const std::string report = sbatch({"--dependency=afterany:" + array, script});
    std::cout << "Submitted batch job " << report << " (collect and report after job " << array
              << ")" << std::endl;
    return 0;
}

int slurmCommand(const std::vector<std::string>& allWords) {
    const auto dashes = std::find(allWords.begin(), allWords.end(), "--");
    const std::vector<std::string> words(allWords.begin(), dashes);
    SlurmPlan plan;
    if (dashes != allWords.end())
        plan.options.assign(dashes + 1, allWords.end());
    const Args a(words, {{"out", true},
                         {"cases-per-task", true},
                         {"cpus-per-task", true},
                         {"signal-before", true},
                         {"submit", false},
                         {"then-report", false},
                         {"force", false}});
    const std::string design = onePositional(a, "the design file", "slurm");
    if (a.has("then-report") && !a.has("submit"))
        throw usageError("sweep slurm: --then-report needs --submit");
    plan.cli = programPath();
    plan.dir = requiredOut(a, "slurm");
    checkSlurmPlan(plan); // before anything is made
    const SweepFolder folder = SweepFolder::create(design, plan.dir, a.has("force"));
    if (a.has("cases-per-task"))
        plan.casesPerTask =
            parseInteger("--cases-per-task", a.value("cases-per-task"), 1, folder.caseCount());
    if (a.has("cpus-per-task"))
        plan.cpusPerTask =
            parseInteger("--cpus-per-task", a.value("cpus-per-task"), 1, MAX_THREADS);
    if (a.has("signal-before"))
        plan.signalBefore =
            parseInteger("--signal-before", a.value("signal-before"), 0, SLURM_MAX_SIGNAL_BEFORE);
    plan.dir = absolutePath(folder.dir());
    const std::string script = slurmScriptPath(folder);
    writeSweepFile(script, slurmScript(folder, plan));
    const long long tasks = slurmTasks(folder.caseCount(), plan.casesPerTask);
    std::cout << "wrote " << script << ": " << folder.caseCount() << " cases in " << tasks
              << " array tasks\n";
    if (tasks > SLURM_DEFAULT_MAX_ARRAY)
        std::cout << "note: many clusters allow at most " << SLURM_DEFAULT_MAX_ARRAY
                  << " array tasks (MaxArraySize); raise --cases-per-task if sbatch refuses\n";
    if (!a.has("submit")) {
        std::cout << "submit with: sbatch " << shellCommand({script}) << std::endl;
        return 0;
    }
    std::cout << std::flush;
    return submit(folder, plan, a.has("then-report"));
}

int collectCommand(const std::vector<std::string>& words) {
    const Args a(words, {});
    const SweepFolder folder(onePositional(a, "the sweep folder", "collect"));
    const CollectResult r = collectResults(folder);
    if (reportUnfinished(folder, r, std::cout))
        return 0;
    const long long perTask = scriptCasesPerTask(folder);
    std::vector<long long> unfinished = r.failed;
    unfinished.insert(unfinished.end(), r.missing.begin(), r.missing.end());
    std::sort(unfinished.begin(), unfinished.end());
    if (perTask > 0)
        std::cout << "resubmit them with: sbatch --array="
                  << numberRanges(tasksOfCases(unfinished, perTask)) << " "
                  << shellCommand({slurmScriptPath(folder)}) << "\n";
    std::cout << "or run them here with: arachnovix-cli sweep run "
              << shellCommand({joinPath(folder.dir(), "design.toml"), "--out", folder.dir()})
              << std::endl;
    return EXIT_FILE;
}

ReportOptions reportOptions(const Args& a) {
    ReportOptions o;
    if (a.has("measure"))
        o.measure = a.value("measure");
    if (a.has("generation") && a.value("generation") != "last")
        o.generation = static_cast<int>(
            parseInteger("--generation", a.value("generation"), 0, GENERATION_LIMIT));
    o.allPairs = a.has("all-pairs");
    return o;
}

int reportCommand(const std::vector<std::string>& words) {
    const Args a(
        words, {{"measure", true}, {"generation", true}, {"all-pairs", false}, {"partial", false}});
    const std::string dir = onePositional(a, "the sweep folder", "report");
    const std::string replicates = checkReplicates(dir, a.has("partial"), std::cerr);
    std::cout << writeSweepReport(dir, reportOptions(a)) << replicates << "report written to "
              << joinPath(dir, "report") << std::endl;
    return 0;
}

struct SweepVerb {
    const char* name;
    int (*run)(const std::vector<std::string>&);
};

const SweepVerb VERBS[] = {{"run", runCommand},         {"run-case", runCaseCommand},
                           {"cases", casesCommand},     {"slurm", slurmCommand},
                           {"collect", collectCommand}, {"report", reportCommand}};

} // namespace

int sweepCommand(const std::vector<std::string>& words) {
    if (words.empty())
        throw usageError("sweep: say what to do: run, run-case, cases, slurm, collect or report");
    const std::vector<std::string> rest(words.begin() + 1, words.end());
    for (const SweepVerb& v : VERBS)
        if (words.front() == v.name)
            return v.run(rest);
    throw usageError("sweep: unknown action '" + words.front() +
                     "' (run, run-case, cases, slurm, collect or report)");
}
