#include "tools/cli/sweep/SweepPool.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <optional>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "evolution/CpuCount.h"
#include "tools/cli/CliError.h"
#include "tools/cli/StopSignals.h"
#include "tools/cli/sweep/SweepProgress.h"

extern char** environ;

namespace {

constexpr size_t MAX_LOG_BYTES = size_t(1) << 20;

// Each of `jobs` workers evaluates on its share of the CPUs the sweep may use.
int threadsPerWorker(int jobs) {
    return std::max(1, usableCpus() / std::max(1, jobs));
}

pid_t startWorker(const std::string& self, const SweepFolder& folder, long long k, int threads) {
    const int log = createLogFile(folder.logPath(k));
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&files, log, STDERR_FILENO);
    std::vector<std::string> words = {self,
                                      "sweep",
                                      "run-case",
                                      folder.dir(),
                                      std::to_string(k),
                                      "--threads",
                                      std::to_string(threads)};
    std::vector<char*> argv;
    for (std::string& w : words)
        argv.push_back(&w[0]);
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, self.c_str(), &files, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&files);
    ::close(log);
    if (rc != 0)
        throw fileError("cannot start a worker: " + std::string(std::strerror(rc)));
    return pid;
}

void removeIfEmpty(const std::string& path) {
    struct stat st;
    if (::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_size == 0)
        std::remove(path.c_str());
}

// The last line the worker wrote on standard error, else how it ended.
std::string failureReason(const SweepFolder& folder, long long k, int status) {
    std::string log, why;
    (void)tryReadSweepFile(folder.logPath(k), MAX_LOG_BYTES, log, why);
    while (!log.empty() && log.back() == '\n')
        log.pop_back();
    const size_t cut = log.rfind('\n');
    if (!log.empty())
        return cut == std::string::npos ? log : log.substr(cut + 1);
    if (WIFSIGNALED(status))
        return "the worker was killed by signal " + std::to_string(WTERMSIG(status));
    return "the worker ended with status " + std::to_string(WEXITSTATUS(status));
}

class Pool {
  public:
    Pool(const SweepFolder& folder, int jobs, std::ostream& err, bool terminal)
        : folder_(folder), jobs_(jobs), self_(programPath()) {
        for (long long k = 1; k <= folder.caseCount(); ++k)
            if (folder.state(k) == CaseState::Done)
                ++result_.before;
            else
                pending_.push_back(k);
        progress_.emplace(err, terminal, folder.caseCount(), result_.before);
    }

    PoolResult run() {
        const StopSignals signals({SIGINT, SIGTERM});
        const auto start = std::chrono::steady_clock::now();
        size_t next = 0;
        bool forwarded = false;
        for (;;) {
            while (!StopSignals::requested() && running_.size() < static_cast<size_t>(jobs_) &&
                   next < pending_.size()) {
                const long long k = pending_[next++];
                try {
                    running_[startWorker(self_, folder_, k, threadsPerWorker(jobs_))] = k;
                } catch (const CliError& e) {
                    recordFailure(k, e.what());
                }
            }
            if (running_.empty())
                break;
            if (StopSignals::requested() && !forwarded) {
                for (const auto& [pid, k] : running_)
                    ::kill(pid, SIGTERM);
                forwarded = true;
            }
            reapOrWait();
            result_.seconds =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            progress_->update(result_.done + result_.failed, static_cast<int>(running_.size()),
                              result_.seconds);
        }
        progress_->finish();
        result_.interrupted = StopSignals::requested();
        return result_;
    }

  private:
    void reapOrWait() {
        int status = 0;
        const pid_t pid = ::waitpid(-1, &status, WNOHANG);
        if (pid <= 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            return;
        }
        const auto it = running_.find(pid);
        if (it == running_.end())
            return;
        const long long k = it->second;
        running_.erase(it);
        if (folder_.state(k) == CaseState::Done) {
            ++result_.done;
            removeIfEmpty(folder_.logPath(k));
            return;
        }
        if (StopSignals::requested())
            return; // ended by the stop: the case is simply not finished
        recordFailure(k, failureReason(folder_, k, status));
    }

    void recordFailure(long long k, const std::string& reason) {
        ++result_.failed;
        if (!pathExists(folder_.failurePath(k)))
            writeSweepFile(folder_.failurePath(k),
                           "case " + std::to_string(k) + " failed: " + reason +
                               "\ncommand: " + folder_.caseCommand(k) + "\n");
        progress_->message("case " + std::to_string(k) + " failed: " + reason +
                           "\n  command: " + folder_.caseCommand(k));
    }

    const SweepFolder& folder_;
    int jobs_;
    std::string self_;
    std::vector<long long> pending_;
    std::map<pid_t, long long> running_;
    PoolResult result_;
    std::optional<SweepProgress> progress_;
};

} // namespace

std::string programPath() {
    char buf[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0)
        throw fileError("cannot find the program's own file (/proc/self/exe)");
    return std::string(buf, static_cast<size_t>(n));
}

PoolResult runPool(const SweepFolder& folder, int jobs, std::ostream& err, bool terminal) {
    Pool pool(folder, jobs, err, terminal);
    return pool.run();
}
