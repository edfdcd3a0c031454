#pragma once
// How many CPUs this process may use: the default number of threads.

#include <string>

// The CPUs of the process's affinity mask (sched_getaffinity), capped by
// the CPU quota of its control group and of the groups above it (cgroup v2
// cpu.max, or v1 cpu.cfs_quota_us over cpu.cfs_period_us) where one is
// set. At least 1.
int usableCpus();

// The CPUs a quota allows, rounded up: "150000 100000" (quota, period in
// microseconds, as cgroup v2's cpu.max holds them) gives 2. 0 for no quota
// ("max", a negative quota as v1 writes it, or text that is not a quota).
int cpusOfQuota(const std::string& quotaAndPeriod);

// The tightest CPU quota of the control groups a process is in, as its
// cgroup file (/proc/self/cgroup) names them under the hierarchy `root`
// (/sys/fs/cgroup), each group's ancestors included. 0 for none.
int cgroupCpuLimit(const std::string& cgroupFile, const std::string& root);
