// Runs that go on exactly through the built program: a run continued with
// --resume is the unbroken run byte for byte, info says where a file came
// from and whether it continues exactly, a damaged continuation only warns,
// and a run or a sweep case stopped by SIGUSR1 saves a checkpoint that goes
// on to the uninterrupted result.

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

#include "tests/cli/CliTestFiles.h"

extern char** environ;

namespace {

std::vector<std::string> evolveWords(const std::string& out, const std::string& generations,
                                     std::vector<std::string> more) {
    std::vector<std::string> w = {"evolve", "--generations", generations, "--quiet", "--out", out};
    w.insert(w.end(), more.begin(), more.end());
    return w;
}

// A program (the tool by default) started without waiting, its standard
// output and error in `errPath`.
pid_t startProgram(const std::vector<std::string>& args, const std::string& errPath,
                   const std::string& program = CLI_BINARY) {
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, STDERR_FILENO, errPath.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&files, STDERR_FILENO, STDOUT_FILENO);
    std::vector<std::string> words = {program};
    if (program == CLI_BINARY)
        words.insert(words.end(), args.begin(), args.end());
    else
        words.insert(words.end(), args.begin() + 1, args.end());
    std::vector<char*> argv;
    for (std::string& w : words)
        argv.push_back(&w[0]);
    argv.push_back(nullptr);
    pid_t pid = -1;
    EXPECT_EQ(posix_spawn(&pid, program.c_str(), &files, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&files);
    return pid;
}

// Sends SIGUSR1 once `file` is there (the first checkpoint) and returns the
// exit status (-1 when the process did not exit normally).
int stopOnceSaved(pid_t pid, const std::string& file) {
    int status = 0;
    pid_t ended = 0;
    while (!fileExists(file) && (ended = ::waitpid(pid, &status, WNOHANG)) == 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    if (ended == 0) {
        ::kill(pid, SIGUSR1);
        EXPECT_EQ(::waitpid(pid, &status, 0), pid);
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The generation number in "... generation G ..." of a message.
int generationIn(const std::string& text, const std::string& before) {
    const size_t at = text.find(before);
    return at == std::string::npos ? -1 : std::atoi(text.c_str() + at + before.size());
}

} // namespace

TEST(Resume, TwentyPlusTwentyThroughTheToolIsTheUnbrokenRun) {
    const std::vector<std::vector<std::string>> cases = {
        {"--population", "1", "--attack", "dist", "--threads", "2"},
        {"--population", "24", "--attack", "dist+grav", "--silk-limit", "300", "--threads", "7"},
        {"--population", "200", "--attack", "off", "--prey", "20", "--threads", "1"},
    };
    for (const std::vector<std::string>& c : cases) {
        std::vector<std::string> started = c;
        started.insert(started.end(), {"--seed", "9"});
        const std::string whole = scratchPath("whole.axv"), half = scratchPath("half.axv"),
                          went = scratchPath("went-on.axv");
        ASSERT_EQ(runProgram(evolveWords(whole, "40", started)).status, 0);
        ASSERT_EQ(runProgram(evolveWords(half, "20", started)).status, 0);
        // The record's streams go on whatever seed and threads are given now.
        const ProgramResult r = runProgram(
            evolveWords(went, "20", {"--resume", half, "--seed", "5", "--threads", "3"}));
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_TRUE(readFile(went) == readFile(whole)) << c[1];
    }
    const ProgramResult info = runProgram({"info", scratchPath("went-on.axv")});
    EXPECT_NE(info.out.find("continuation:        exact"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("first seed:          9\n"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("last bred with:\n  number of prey:      20\n"), std::string::npos)
        << info.out;
}

TEST(Resume, PlainFilesAndDamagedRecordsSayTheyDoNotContinueExactly) {
    const std::string full = scratchPath("full.axv"), plain = scratchPath("plain.axv"),
                      cut = scratchPath("cut-record.axv");
    ASSERT_EQ(runProgram(evolveWords(full, "3", {"--seed", "2", "--population", "5"})).status, 0);
    ASSERT_EQ(
        runProgram(evolveWords(plain, "3", {"--seed", "2", "--population", "5", "--plain"})).status,
        0);
    const std::string fullBytes = readFile(full), plainBytes = readFile(plain);
    EXPECT_EQ(plainBytes.size(), 75u + 92u * 5 * 4);
    EXPECT_EQ(fullBytes.compare(0, plainBytes.size(), plainBytes), 0);
    const ProgramResult p = runProgram({"info", plain});
    EXPECT_NE(p.out.find("continuation:        not exact: the file has no continuation record"),
              std::string::npos)
        << p.out;
    EXPECT_NE(p.out.find("first seed:          unknown"), std::string::npos) << p.out;

    writeFile(cut, fullBytes.substr(0, fullBytes.size() - 3));
    const ProgramResult d = runProgram({"info", cut});
    EXPECT_EQ(d.status, 0) << d.err;
    EXPECT_EQ(d.err, "arachnovix-cli: warning: " + cut +
                         ": its continuation data is damaged: continuing will start new random "
                         "streams\n");
    EXPECT_NE(d.out.find("not exact: the continuation record is damaged"), std::string::npos);
    // It goes on as the plain file does under the same seed.
    ASSERT_EQ(
        runProgram(evolveWords(scratchPath("a.axv"), "2", {"--resume", cut, "--seed", "4"})).status,
        0);
    ASSERT_EQ(runProgram(evolveWords(scratchPath("b.axv"), "2", {"--resume", plain, "--seed", "4"}))
                  .status,
              0);
    EXPECT_TRUE(readFile(scratchPath("a.axv")) == readFile(scratchPath("b.axv")));
}

TEST(Resume, ARunStoppedBySigusr1GoesOnFromItsCheckpointToTheSameFile) {
    const std::vector<std::string> run = {"--seed", "3", "--population", "10", "--prey", "30"};
    const std::string whole = scratchPath("uninterrupted.axv"), ckpt = scratchPath("ckpt.axv");
    ASSERT_EQ(runProgram(evolveWords(whole, "600", run)).status, 0);
    std::vector<std::string> words = evolveWords(ckpt, "600", run);
    words.insert(words.end(), {"--checkpoint-every", "5"});
    const std::string err = scratchPath("ckpt.err");
    EXPECT_EQ(stopOnceSaved(startProgram(words, err), ckpt), 130);
    const std::string said = readFile(err);
    const int g = generationIn(said, "at generation ");
    ASSERT_GT(g, 0) << said;
    ASSERT_LT(g, 600) << said;
    EXPECT_NE(said.find("continues exactly with --resume"), std::string::npos) << said;
    const ProgramResult r = runProgram(
        evolveWords(ckpt, std::to_string(600 - g), {"--resume", ckpt, "--checkpoint-every", "5"}));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(readFile(ckpt) == readFile(whole));
}

// The array task's script run here as Slurm runs it (a stand-in scontrol
// notes the requeue): SIGUSR1 to the script reaches the running case, which
// saves its checkpoint; the task requeues itself; a rerun continues the case.
TEST(Resume, ASweepCaseStoppedBySigusr1ContinuesToTheUninterruptedTable) {
    const std::string design = scratchPath("long.toml");
    writeFile(design, "generations = 500\nseeds = [1]\n[fixed]\npopulation = 10\nprey = 30\n"
                      "[factors]\nattack = [\"off\", \"dist\"]\n");
    const std::string stopped = scratchPath("stopped-sweep"), whole = scratchPath("whole-sweep");
    ASSERT_EQ(runProgram({"sweep", "run", design, "--out", whole, "--jobs", "1"}).status, 0);
    ASSERT_EQ(runProgram({"sweep", "slurm", design, "--out", stopped, "--cases-per-task", "2",
                          "--signal-before", "120"})
                  .status,
              0);
    const std::string script = readFile(stopped + "/sweep.sbatch");
    EXPECT_NE(script.find("\n#SBATCH --requeue\n#SBATCH --signal=B:USR1@120\n"), std::string::npos)
        << script;

    const std::string bin = scratchPath("fake-bin"), requeued = scratchPath("requeued");
    ASSERT_EQ(std::system(("mkdir -p " + bin).c_str()), 0);
    writeFile(bin + "/scontrol", "#!/bin/sh\necho \"$@\" > " + requeued + "\n");
    ASSERT_EQ(std::system(("chmod +x " + bin + "/scontrol").c_str()), 0);
    const std::string err = scratchPath("task.out");
    const pid_t task = startProgram(
        {"/usr/bin/env", "SLURM_ARRAY_TASK_ID=0", "SLURM_ARRAY_JOB_ID=77", "SLURM_CPUS_PER_TASK=1",
         "PATH=" + bin + ":" + std::getenv("PATH"), "bash", stopped + "/sweep.sbatch"},
        err, "/usr/bin/env");
    EXPECT_EQ(stopOnceSaved(task, stopped + "/runs/case-0001.axv"), 130) << readFile(err);
    EXPECT_EQ(readFile(requeued), "requeue 77_0\n") << readFile(err);

    const ProgramResult again = runProgram({"sweep", "run", design, "--out", stopped});
    ASSERT_EQ(again.status, 0) << again.err;
    const std::string log = readFile(stopped + "/logs/case-0001.log");
    EXPECT_GT(generationIn(log, "case 1: continuing from generation "), 0) << log;
    EXPECT_TRUE(readFile(stopped + "/results.csv") == readFile(whole + "/results.csv"));
}
