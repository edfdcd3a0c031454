#include "tools/cli/sweep/SweepSlurm.h"

#include <cstdlib>

#include "tools/cli/CliError.h"

namespace {

const char* const SCRIPT = "sweep.sbatch";
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

} // namespace

void checkSlurmPlan(const SlurmPlan& plan) {
    checkCarried("the sweep folder " + plan.dir, plan.dir, true);
    checkCarried("the program's path " + plan.cli, plan.cli, false);
    for (const std::string& o : plan.options)
        checkCarried("the sbatch option " + o, o, false);
}

long long slurmTasks(const SweepDesign& design, long long casesPerTask) {
    return (design.caseCount() + casesPerTask - 1) / casesPerTask;
}

std::string slurmScriptPath(const SweepFolder& folder) {
    return joinPath(folder.dir(), SCRIPT);
}

std::string slurmScript(const SweepFolder& folder, const SlurmPlan& plan) {
    checkSlurmPlan(plan);
    const long long cases = folder.design().caseCount();
    const std::string dir = shellCommand({plan.dir});
    std::string s = "#!/bin/bash\n"
                    "# A sweep of Arachnovix runs as a Slurm job array, written by\n"
                    "# `arachnovix-cli sweep slurm`. " +
                    std::to_string(cases) + " cases, " + std::to_string(plan.casesPerTask) +
                    " per task; merge with `arachnovix-cli sweep collect " + dir + "`.\n";
    s += "#SBATCH --job-name=arachnovix-sweep\n";
    s += "#SBATCH --array=0-" + std::to_string(slurmTasks(folder.design(), plan.casesPerTask) - 1) +
         "\n";
    s += sbatchLine({"--output=" + joinPath(patternText(plan.dir), "logs/slurm-%A_%a.out")});
    if (!plan.options.empty())
        s += sbatchLine(plan.options);
    s += "\n# Load what the program needs on the nodes here, e.g.:\n# module load gcc\n\n";
    s += "cli=" + shellCommand({plan.cli}) + "\n";
    s += "dir=" + dir + "\n";
    s += PER_TASK + std::to_string(plan.casesPerTask) + "\n";
    s += "cases=" + std::to_string(cases) + "\n";
    s += "first=$(( SLURM_ARRAY_TASK_ID * per_task + 1 ))\n"
         "last=$(( first + per_task - 1 ))\n"
         "if [ \"$last\" -gt \"$cases\" ]; then last=$cases; fi\n"
         "status=0\n"
         "threads=()\n"
         "if [ -n \"${SLURM_CPUS_PER_TASK:-}\" ]; then threads=(--threads "
         "\"$SLURM_CPUS_PER_TASK\"); fi\n"
         "for (( k = first; k <= last; k++ )); do\n"
         "  \"$cli\" sweep run-case \"$dir\" \"$k\" \"${threads[@]}\" || status=1\n"
         "done\n"
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
