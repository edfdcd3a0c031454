// The default thread count: the CPUs of the affinity mask, capped by a
// control group's CPU quota.

#include <gtest/gtest.h>

#include <sched.h>

#include "CliTestFiles.h"

#include "evolution/CpuCount.h"

TEST(CpuCount, AQuotaAllowsItsCpusRoundedUp) {
    EXPECT_EQ(cpusOfQuota("150000 100000"), 2);
    EXPECT_EQ(cpusOfQuota("100000 100000"), 1);
    EXPECT_EQ(cpusOfQuota("50000 100000"), 1);
    EXPECT_EQ(cpusOfQuota("400000 100000\n"), 4);
    for (const char* none : {"max 100000", "-1 100000", "", "100000", "0 100000"})
        EXPECT_EQ(cpusOfQuota(none), 0) << none;
}

TEST(CpuCount, TheAffinityMaskLimitsTheCpus) {
    cpu_set_t before;
    ASSERT_EQ(sched_getaffinity(0, sizeof before, &before), 0);
    EXPECT_GE(usableCpus(), 1);
    EXPECT_LE(usableCpus(), CPU_COUNT(&before));
    cpu_set_t one;
    CPU_ZERO(&one);
    for (int cpu = 0; cpu < CPU_SETSIZE; ++cpu)
        if (CPU_ISSET(cpu, &before)) {
            CPU_SET(cpu, &one);
            break;
        }
    ASSERT_EQ(sched_setaffinity(0, sizeof one, &one), 0);
    const int cpus = usableCpus();
    ASSERT_EQ(sched_setaffinity(0, sizeof before, &before), 0);
    EXPECT_EQ(cpus, 1);
}

TEST(CpuCount, TheTightestQuotaOfTheGroupAndItsAncestorsCounts) {
    const std::string root = scratchPath("cgroup");
    ASSERT_EQ(std::system(("mkdir -p '" + root + "/a/b' '" + root + "/cpu,cpuacct/job'").c_str()),
              0);
    writeFile(root + "/cpu.max", "max 100000\n");
    writeFile(root + "/a/cpu.max", "300000 100000\n");
    writeFile(root + "/a/b/cpu.max", "max 100000\n");
    writeFile(root + "/v2", "0::/a/b\n");
    EXPECT_EQ(cgroupCpuLimit(root + "/v2", root), 3);
    writeFile(root + "/a/b/cpu.max", "150000 100000\n");
    EXPECT_EQ(cgroupCpuLimit(root + "/v2", root), 2);
    // cgroup v1: the quota of the cpu controller's hierarchy
    writeFile(root + "/cpu,cpuacct/job/cpu.cfs_quota_us", "100000\n");
    writeFile(root + "/cpu,cpuacct/job/cpu.cfs_period_us", "100000\n");
    writeFile(root + "/v1", "4:memory:/elsewhere\n3:cpu,cpuacct:/job\n");
    EXPECT_EQ(cgroupCpuLimit(root + "/v1", root), 1);
    writeFile(root + "/none", "0::/\n");
    EXPECT_EQ(cgroupCpuLimit(root + "/none", root), 0);
}
