#include "tools/cli/sweep/SweepSlurm.h"

#include <cstdlib>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "tools/cli/CliError.h"

extern char** environ;

namespace {

const char* const SCRIPT = "sweep.sbatch";
const char* const REPORT_SCRIPT = "report.sbatch";
const char* const PER_TASK = "per_task=";
constexpr size_t MAX_SCRIPT_BYTES = size_t(1) << 20;

// A word of an #SBATCH line as sbatch reads it: plain words stay as they
// are, others go in double quotes, in which sbatch takes \" and \\ as the
// characters themselves.
std::string sbatchWord(const std::string& word) {
    if (!word.empty() && word.find_first_of(" \t\"'\\$`#") == std::string::npos)
        return word;
    std::string out = "\"";
    for (char c : word) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + "\"";
}

std::string sbatchLine(const std::vector<std::string>& words) {
    std::string out = "#SBATCH";
    for (const std::string& w : words)
        out += " " + sbatchWord(w);
    return out + "\n";
}

// A folder as part of a filename pattern: "%" is written "%%" (a lone one
// starts a replacement such as %A).
std::string patternText(const std::string& path) {
    std::string out;
    for (char c : path)
        out += c == '%' ? std::string("%%") : std::string(1, c);
    return out;
}

// A line break ends a directive (the rest would be run as commands), and a
// backslash in a filename pattern turns off its replacements: neither can
// be carried into the script.
void checkCarried(const std::string& what, const std::string& text, bool pattern) {
    if (text.find_first_of("\n\r") != std::string::npos)
        throw usageError("sweep slurm: " + what +
                         " holds a line break, which a batch script cannot carry; rename it");
    if (pattern && text.find('\\') != std::string::npos)
        throw usageError("sweep slurm: " + what +
                         " holds a backslash, which a Slurm log file pattern cannot carry; "
                         "rename it");
}

std::string unfinishedTasks(const SweepFolder& folder, long long casesPerTask) {
    std::vector<long long> open;
    for (long long k = 1; k <= folder.caseCount(); ++k)
        if (folder.state(k) != CaseState::Done)
            open.push_back(k);
    if (open.empty())
        return "0-" + std::to_string(slurmTasks(folder.caseCount(), casesPerTask) - 1);
    return numberRanges(tasksOfCases(open, casesPerTask));
}

std::string header(const char* name, const SlurmPlan& plan, const std::string& log, long long cpus,
                   const std::string& extra = "") {
    std::string s = "#SBATCH --job-name=" + std::string(name) + "\n";
    s += sbatchLine({"--output=" + joinPath(patternText(plan.dir), "logs/" + log)});
    s += "#SBATCH --cpus-per-task=" + std::to_string(cpus) + "\n";
    s += extra;
    if (!plan.options.empty())
        s += sbatchLine(plan.options);
    return s;
}

std::string programLines(const SlurmPlan& plan) {
    return "\n# Load what the program needs on the nodes here, e.g.:\n# module load gcc\n\n"
           "cli=" +
           shellCommand({plan.cli}) + "\ndir=" + shellCommand({plan.dir}) + "\n";
}

} // namespace

void checkSlurmPlan(const SlurmPlan& plan) {
    checkCarried("the sweep folder " + plan.dir, plan.dir, true);
    checkCarried("the program's path " + plan.cli, plan.cli, false);
    for (const std::string& o : plan.options)
        checkCarried("the sbatch option " + o, o, false);
}

long long slurmTasks(long long cases, long long casesPerTask) {
    return (cases + casesPerTask - 1) / casesPerTask;
}

std::string slurmScriptPath(const SweepFolder& folder) {
    return joinPath(folder.dir(), SCRIPT);
}

std::string reportScriptPath(const SweepFolder& folder) {
    return joinPath(folder.dir(), REPORT_SCRIPT);
}

std::string slurmScript(const SweepFolder& folder, const SlurmPlan& plan) {
    checkSlurmPlan(plan);
    const long long cases = folder.caseCount();
    std::string s = "#!/bin/bash\n"
                    "# A sweep of Arachnovix runs as a Slurm job array, written by\n"
                    "# `arachnovix-cli sweep slurm`. " +
                    std::to_string(cases) + " cases, " + std::to_string(plan.casesPerTask) +
                    " per task; merge with `arachnovix-cli sweep collect " +
                    shellCommand({plan.dir}) + "`.\n";
    s += "#SBATCH --array=" + unfinishedTasks(folder, plan.casesPerTask) + "\n";
    std::string requeue = "#SBATCH --requeue\n";
    if (plan.signalBefore > 0)
        requeue += "#SBATCH --signal=B:USR1@" + std::to_string(plan.signalBefore) + "\n";
    s += header("arachnovix-sweep", plan, "slurm-%A_%a.out", plan.cpusPerTask, requeue);
    s += programLines(plan);
    s += PER_TASK + std::to_string(plan.casesPerTask) + "\n";
    s += "cases=" + std::to_string(cases) + "\n";
    // Each case evaluates on the CPUs Slurm gave the task.
    s += "threads=${SLURM_CPUS_PER_TASK:-" + std::to_string(plan.cpusPerTask) + "}\n";
    s += "first=$(( SLURM_ARRAY_TASK_ID * per_task + 1 ))\n"
         "last=$(( first + per_task - 1 ))\n"
         "if [ \"$last\" -gt \"$cases\" ]; then last=$cases; fi\n"
         "echo \"task $SLURM_ARRAY_TASK_ID: cases $first-$last with --threads $threads\"\n"
         "status=0\n"
         "# SIGUSR1 before the time limit (or SIGTERM) goes on to the running case,\n"
         "# which finishes its generation, saves its checkpoint and ends; the task\n"
         "# then requeues itself and continues from the checkpoints.\n"
         "stopped=0\n"
         "child=0\n"
         "forward() { stopped=1; [ \"$child\" -gt 0 ] && kill -USR1 \"$child\" 2>/dev/null; }\n"
         "trap forward USR1 TERM\n"
         "for (( k = first; k <= last && stopped == 0; k++ )); do\n"
         "  \"$cli\" sweep run-case \"$dir\" \"$k\" --threads \"$threads\" &\n"
         "  child=$!\n"
         "  wait \"$child\"; rc=$?\n"
         "  while kill -0 \"$child\" 2>/dev/null; do wait \"$child\"; rc=$?; done\n"
         "  child=0\n"
         "  if [ \"$stopped\" -eq 0 ] && [ \"$rc\" -ne 0 ]; then status=1; fi\n"
         "done\n"
         "if [ \"$stopped\" -eq 1 ]; then\n"
         "  echo \"task $SLURM_ARRAY_TASK_ID: stopped; requeued to continue from the "
         "checkpoints\"\n"
         "  scontrol requeue \"${SLURM_ARRAY_JOB_ID}_${SLURM_ARRAY_TASK_ID}\"\n"
         "  exit 130\n"
         "fi\n"
         "exit $status\n";
    return s;
}

std::string reportScript(const SlurmPlan& plan) {
    std::string s = "#!/bin/bash\n"
                    "# Merges a sweep's results and writes its report once its job array\n"
                    "# has ended, written by `arachnovix-cli sweep slurm --then-report`.\n";
    s += header("arachnovix-report", plan, "slurm-report-%j.out", 1);
    s += programLines(plan);
    s += "\"$cli\" sweep collect \"$dir\"\n"
         "status=$?\n"
         "\"$cli\" sweep report \"$dir\" --partial || exit 1\n"
         "exit $status\n";
    return s;
}

long long scriptCasesPerTask(const SweepFolder& folder) {
    const std::string path = slurmScriptPath(folder);
    if (!pathExists(path))
        return 0;
    const std::string text = readWholeFile(path, MAX_SCRIPT_BYTES);
    const size_t at = text.find(std::string("\n") + PER_TASK);
    if (at == std::string::npos)
        return 0;
    return std::atoll(text.c_str() + at + 1 + std::string(PER_TASK).size());
}

std::vector<long long> tasksOfCases(const std::vector<long long>& cases, long long casesPerTask) {
    std::vector<long long> tasks;
    for (long long k : cases) {
        const long long t = (k - 1) / casesPerTask;
        if (tasks.empty() || tasks.back() != t)
            tasks.push_back(t);
    }
    return tasks;
}

std::string sbatch(const std::vector<std::string>& words) {
    std::vector<std::string> all = {"sbatch", "--parsable"};
    all.insert(all.end(), words.begin(), words.end());
    std::vector<char*> argv;
    for (std::string& w : all)
        argv.push_back(&w[0]);
    argv.push_back(nullptr);
    int out[2];
    if (::pipe(out) != 0)
        throw fileError("cannot run sbatch: no pipe");
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_adddup2(&files, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&files, out[0]);
    pid_t pid = 0;
    const int rc = posix_spawnp(&pid, "sbatch", &files, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&files);
    ::close(out[1]);
    std::string answer;
    char buf[256];
    for (ssize_t n; rc == 0 && (n = ::read(out[0], buf, sizeof buf)) > 0;)
        answer.append(buf, static_cast<size_t>(n));
    ::close(out[0]);
    if (rc != 0)
        throw fileError("cannot run sbatch (is Slurm's client installed?)");
    int status = 0;
    ::waitpid(pid, &status, 0);
    const std::string id = answer.substr(0, answer.find_first_of(";\n"));
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || id.empty())
        throw fileError("sbatch refused " + words.back());
    return id;
}
