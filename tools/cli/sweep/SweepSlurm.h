#pragma once
// A sweep on a Slurm cluster: a batch script for a job array whose task T
// runs cases T*K+1 ... T*K+K, each as `arachnovix-cli sweep run-case DIR N`.
// The folder must be shared by the submitting machine and the nodes.

#include <string>
#include <vector>

#include "tools/cli/sweep/SweepFolder.h"

struct SlurmPlan {
    std::string cli; // the program the tasks run (absolute)
    std::string dir; // the sweep folder (absolute)
    long long casesPerTask = 1;
    std::vector<std::string> options; // sbatch options, written as #SBATCH lines
};

// Refuses (usage error) a plan whose folder, program or options a batch
// script cannot carry: a line break anywhere, a backslash in the folder.
void checkSlurmPlan(const SlurmPlan& plan);

long long slurmTasks(const SweepDesign& design, long long casesPerTask);
// The batch script (checkSlurmPlan first). Every path in it is quoted for
// the line it is on; the folder's "%" is escaped in the log file pattern.
std::string slurmScript(const SweepFolder& folder, const SlurmPlan& plan);
std::string slurmScriptPath(const SweepFolder& folder);

// The cases per task of the script in the sweep folder (0 when there is none).
long long scriptCasesPerTask(const SweepFolder& folder);

// The array tasks (from 0) that hold these cases.
std::vector<long long> tasksOfCases(const std::vector<long long>& cases, long long casesPerTask);
