#include "tools/cli/sweep/SweepSlurm.h"

#include <cstdlib>

#include "tools/cli/CliError.h"

namespace {

const char* const SCRIPT = "sweep.sbatch";
const char* const PER_TASK = "per_task=";

} // namespace

long long slurmTasks(const SweepDesign& design, long long casesPerTask) {
    return (design.caseCount() + casesPerTask - 1) / casesPerTask;
}

std::string slurmScriptPath(const SweepFolder& folder) {
    return joinPath(folder.dir(), SCRIPT);
}

std::string slurmScript(const SweepFolder& folder, const SlurmPlan& plan) {
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
    s += "#SBATCH --output=" + joinPath(plan.dir, "logs/slurm-%A_%a.out") + "\n";
    if (!plan.options.empty())
        s += "#SBATCH " + shellCommand(plan.options) + "\n";
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
    const std::string text = readWholeFile(path);
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
