#include "evolution/CpuCount.h"

#include <algorithm>
#include <fstream>
#include <sched.h>
#include <sstream>
#include <thread>

namespace {

const char* const CGROUP_ROOT = "/sys/fs/cgroup";

std::string firstLine(const std::string& path) {
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    return line;
}

// The quota set on one control group folder (0: none).
int quotaAt(const std::string& dir) {
    const std::string v2 = firstLine(dir + "/cpu.max");
    if (!v2.empty())
        return cpusOfQuota(v2);
    return cpusOfQuota(firstLine(dir + "/cpu.cfs_quota_us") + " " +
                       firstLine(dir + "/cpu.cfs_period_us"));
}

// The smallest quota on the way from a group up to its hierarchy's root.
int quotaUpFrom(const std::string& root, std::string path, int limit) {
    for (;;) {
        const int q = quotaAt(root + path);
        if (q > 0)
            limit = limit > 0 ? std::min(limit, q) : q;
        if (path.empty() || path == "/")
            return limit;
        path.erase(path.rfind('/'));
    }
}

} // namespace

int cgroupCpuLimit(const std::string& cgroupFile, const std::string& root) {
    std::ifstream in(cgroupFile);
    int limit = 0;
    for (std::string line; std::getline(in, line);) {
        // "ID:CONTROLLERS:PATH"; v2 has no controllers, v1 lists "cpu" among them.
        const size_t a = line.find(':'), b = line.find(':', a + 1);
        if (a == std::string::npos || b == std::string::npos)
            continue;
        const std::string controllers = "," + line.substr(a + 1, b - a - 1) + ",";
        const std::string path = line.substr(b + 1);
        if (controllers == ",,")
            limit = quotaUpFrom(root, path, limit);
        else if (controllers.find(",cpu,") != std::string::npos)
            for (const char* mount : {"/cpu", "/cpu,cpuacct"})
                limit = quotaUpFrom(root + mount, path, limit);
    }
    return limit;
}

namespace {

int affinityCpus() {
    cpu_set_t set;
    CPU_ZERO(&set);
    if (sched_getaffinity(0, sizeof set, &set) == 0)
        return CPU_COUNT(&set);
    return static_cast<int>(std::thread::hardware_concurrency());
}

} // namespace

int cpusOfQuota(const std::string& quotaAndPeriod) {
    std::istringstream in(quotaAndPeriod);
    long long quota = 0, period = 0;
    if (!(in >> quota >> period) || quota <= 0 || period <= 0)
        return 0;
    return static_cast<int>((quota + period - 1) / period);
}

int usableCpus() {
    const int cpus = std::max(1, affinityCpus());
    const int quota = cgroupCpuLimit("/proc/self/cgroup", CGROUP_ROOT);
    return quota > 0 ? std::min(cpus, quota) : cpus;
}
