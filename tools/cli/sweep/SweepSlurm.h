#pragma once
// A sweep on a Slurm cluster: a batch script for a job array whose task T
// runs cases T*K+1 ... T*K+K, each as `arachnovix-cli sweep run-case DIR N`
// on the CPUs the task was given. The folder must be shared by the
// submitting machine and the nodes.

#include <string>
#include <vector>

#include "tools/cli/sweep/SweepFolder.h"

// Seconds before a task's time limit at which it is told to stop, by default:
// enough for the generation in hand and the checkpoint of a large run.
constexpr long long DEFAULT_SIGNAL_BEFORE = 300;
// Slurm takes at most 65535 seconds here.
constexpr long long SLURM_MAX_SIGNAL_BEFORE = 65535;

struct SlurmPlan {
    std::string cli; // the program the tasks run (absolute)
    std::string dir; // the sweep folder (absolute)
    long long casesPerTask = 1;
    long long cpusPerTask = 1;        // each case evaluates on this many threads
    std::vector<std::string> options; // sbatch options, written as #SBATCH lines
    // Seconds before the time limit at which Slurm sends SIGUSR1 to the
    // task's script (0: no signal).
    long long signalBefore = DEFAULT_SIGNAL_BEFORE;
};

// Refuses (usage error) a plan whose folder, program or options a batch
// script cannot carry: a line break anywhere, a backslash in the folder.
void checkSlurmPlan(const SlurmPlan& plan);

long long slurmTasks(long long cases, long long casesPerTask);
// The batch script (checkSlurmPlan first). Tasks may be requeued
// (--requeue); SIGUSR1 (sent --signal-before seconds before the time limit)
// or SIGTERM is forwarded to the running case, which saves its checkpoint,
// and the task then requeues itself, so that it continues its cases from
// their checkpoints. Every path in it is quoted for
// the line it is on; the folder's "%" is escaped in the log file pattern.
// The array holds only the tasks with unfinished cases (all tasks when
// every case is finished).
std::string slurmScript(const SweepFolder& folder, const SlurmPlan& plan);
std::string slurmScriptPath(const SweepFolder& folder);
// A job that merges the results and writes the report.
std::string reportScript(const SlurmPlan& plan);
std::string reportScriptPath(const SweepFolder& folder);

// The cases per task of the script in the sweep folder (0 when there is none).
long long scriptCasesPerTask(const SweepFolder& folder);

// The array tasks (from 0) that hold these cases (ascending).
std::vector<long long> tasksOfCases(const std::vector<long long>& cases, long long casesPerTask);

// Runs `sbatch --parsable WORDS...` and returns the job id it answers with.
std::string sbatch(const std::vector<std::string>& words);
