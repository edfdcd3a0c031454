// Sweep folders, designs and results as a hostile or unlucky user leaves
// them: damaged case files, FIFOs, links and devices where sweep files
// belong, absurd numbers, designs that ask for too much. Nothing may hang,
// lose data or be taken as finished.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include "CliTestFiles.h"
#include "XmlCheck.h"
#include "tools/cli/Chart.h"
#include "tools/cli/CliError.h"
#include "tools/cli/sweep/SweepReport.h"

namespace {

// 2 conditions x 2 seeds, a few generations: a sweep of a second.
const char* const SMALL_DESIGN = "generations = 3\nseeds = [1, 2]\nkeep-runs = true\n"
                                 "[fixed]\npopulation = 4\nprey = 10\n"
                                 "[factors]\nattack = [\"off\", \"dist\"]\n";

std::string caseFile(const std::string& dir, const char* folder, int k, const char* ext) {
    char name[64];
    std::snprintf(name, sizeof name, "/%s/case-%04d%s", folder, k, ext);
    return dir + name;
}

// A finished small sweep in a fresh folder.
std::string smallSweep(const std::string& name) {
    const std::string design = scratchPath(name + ".toml"), dir = scratchPath(name);
    writeFile(design, SMALL_DESIGN);
    const ProgramResult r = runProgram({"sweep", "run", design, "--out", dir, "--jobs", "2"});
    EXPECT_EQ(r.status, 0) << r.err;
    return dir;
}

void replaceWithFifo(const std::string& path) {
    ASSERT_EQ(::unlink(path.c_str()), 0) << path;
    ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0) << path;
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

} // namespace

TEST(SweepHostile, DamagedCaseFilesAreFailedWithTheirReasonAndRunAgain) {
    const std::string dir = smallSweep("damaged");
    const std::string whole = readFile(dir + "/results.csv");
    const std::string rows1 = readFile(caseFile(dir, "cases", 1, ".csv"));
    writeFile(caseFile(dir, "cases", 1, ".csv"),
              rows1.substr(0, rows1.rfind('\n', rows1.size() - 2) + 1));
    writeFile(caseFile(dir, "cases", 2, ".csv"), "");
    ASSERT_EQ(::unlink(caseFile(dir, "cases", 3, ".csv").c_str()), 0);
    ASSERT_EQ(::mkdir(caseFile(dir, "cases", 3, ".csv").c_str(), 0755), 0);
    replaceWithFifo(caseFile(dir, "cases", 4, ".csv"));

    const ProgramResult collect = runProgram({"sweep", "collect", dir});
    EXPECT_EQ(collect.status, 1);
    EXPECT_TRUE(contains(collect.out, "sweep: 0 of 4 cases finished")) << collect.out;
    EXPECT_TRUE(contains(collect.out, "failed cases: 1-4\n")) << collect.out;
    for (const char* reason :
         {"ends at generation 2, not 3", "it is empty", "it is a folder", "not a regular file"})
        EXPECT_TRUE(contains(collect.out, reason)) << reason << "\n" << collect.out;

    const ProgramResult report = runProgram({"sweep", "report", dir});
    EXPECT_EQ(report.status, 1);
    EXPECT_TRUE(contains(report.err, "no finished cases")) << report.err;

    // Cleared away, the cases run again and the table is the one of before.
    ASSERT_EQ(::rmdir(caseFile(dir, "cases", 3, ".csv").c_str()), 0);
    ASSERT_EQ(::unlink(caseFile(dir, "cases", 4, ".csv").c_str()), 0);
    const ProgramResult again =
        runProgram({"sweep", "run", scratchPath("damaged.toml"), "--out", dir});
    EXPECT_EQ(again.status, 0) << again.err;
    EXPECT_TRUE(readFile(dir + "/results.csv") == whole);
}

TEST(SweepHostile, AReportOfMissingReplicatesIsRefusedOrMarkedPartial) {
    const std::string dir = smallSweep("partial");
    const ProgramResult full = runProgram({"sweep", "report", dir});
    EXPECT_EQ(full.status, 0) << full.err;
    EXPECT_TRUE(contains(full.out, "replicates: 2 per condition, as designed")) << full.out;
    ASSERT_EQ(::unlink(caseFile(dir, "cases", 4, ".csv").c_str()), 0);
    ASSERT_EQ(runProgram({"sweep", "collect", dir}).status, 1);
    const ProgramResult refused = runProgram({"sweep", "report", dir});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(splitLines(refused.err).size(), 1u) << refused.err;
    const ProgramResult partial = runProgram({"sweep", "report", dir, "--partial"});
    EXPECT_EQ(partial.status, 0) << partial.err;
    EXPECT_TRUE(contains(partial.err, "WARNING")) << partial.err;
    EXPECT_TRUE(contains(partial.err, "attack=dist: 1 of 2 replicates")) << partial.err;
    // A condition without any finished case is missing from the table altogether.
    ASSERT_EQ(::unlink(caseFile(dir, "cases", 3, ".csv").c_str()), 0);
    ASSERT_EQ(runProgram({"sweep", "collect", dir}).status, 1);
    EXPECT_TRUE(contains(runProgram({"sweep", "report", dir, "--partial"}).err,
                         "1 condition without any finished replicate"));
}

TEST(SweepHostile, FifosLinksAndDevicesNeitherHangTheSweepNorReachOutsideIt) {
    const std::string victim = scratchPath("victim.txt");
    writeFile(victim, "precious\n");
    const std::string dir = scratchPath("links");
    const std::string design = scratchPath("links.toml");
    writeFile(design, SMALL_DESIGN);
    ASSERT_EQ(runProgram({"sweep", "cases", design, "--out", dir}).status, 0);
    // Made by hand: the folders, a FIFO and links where the sweep writes.
    ASSERT_EQ(std::system(
                  ("mkdir -p '" + dir + "/logs' '" + dir + "/runs' '" + dir + "/report'").c_str()),
              0);
    ASSERT_EQ(::mkfifo(caseFile(dir, "logs", 1, ".log").c_str(), 0644), 0);
    for (const std::string& at :
         {caseFile(dir, "logs", 2, ".log"), caseFile(dir, "runs", 3, ".axv"),
          dir + "/report/best_fitness.svg", dir + "/results.csv"})
        ASSERT_EQ(::symlink(victim.c_str(), at.c_str()), 0) << at;
    const ProgramResult run = runProgram({"sweep", "run", design, "--out", dir, "--jobs", "2"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(runProgram({"sweep", "report", dir}).status, 0);
    EXPECT_EQ(readFile(victim), "precious\n");
    struct stat st;
    for (const std::string& at : {caseFile(dir, "runs", 3, ".axv"),
                                  dir + "/report/best_fitness.svg", dir + "/results.csv"}) {
        ASSERT_EQ(::lstat(at.c_str(), &st), 0) << at;
        EXPECT_TRUE(S_ISREG(st.st_mode)) << at;
    }

    // A FIFO as the design, a note or the whole design file is refused at once.
    replaceWithFifo(caseFile(dir, "cases", 2, ".csv"));
    ASSERT_EQ(::mkfifo(caseFile(dir, "cases", 2, ".failed").c_str(), 0644), 0);
    const ProgramResult collect = runProgram({"sweep", "collect", dir});
    EXPECT_EQ(collect.status, 1);
    EXPECT_TRUE(contains(collect.out, "failed cases: 2\n")) << collect.out;
    replaceWithFifo(dir + "/design.toml");
    for (const char* verb : {"collect", "report"}) {
        const ProgramResult r = runProgram({"sweep", verb, dir});
        EXPECT_EQ(r.status, 1) << verb;
        EXPECT_TRUE(contains(r.err, "not a regular file")) << r.err;
    }
    EXPECT_TRUE(contains(runProgram({"sweep", "run-case", dir, "1"}).err, "not a regular file"));
    const ProgramResult zero = runProgram({"sweep", "run", "/dev/zero", "--out", scratchPath("z")});
    EXPECT_EQ(zero.status, 1);
    EXPECT_TRUE(contains(zero.err, "/dev/zero: not a regular file")) << zero.err;
}

TEST(SweepHostile, AnUnreadableCaseIsFailedForAUserWhoCannotReadIt) {
    const std::string dir = smallSweep("unreadable");
    ASSERT_EQ(::chmod(caseFile(dir, "cases", 2, ".csv").c_str(), 0), 0);
    if (::geteuid() != 0) {
        const ProgramResult r = runProgram({"sweep", "collect", dir});
        EXPECT_EQ(r.status, 1);
        EXPECT_TRUE(contains(r.out, "cannot be read: Permission denied")) << r.out;
        std::printf("skipped (needs root): the unreadable case as root and as another user\n");
        return;
    }
    // Root reads it: the case is finished.
    EXPECT_EQ(runProgram({"sweep", "collect", dir}).status, 0);
    // An unprivileged user cannot: listed as failed with the reason. The
    // folder is theirs to write; only the case file is closed to them.
    ASSERT_EQ(
        std::system(("chmod 755 '" + scratchDir() + "' && chown -R nobody '" + dir + "'").c_str()),
        0);
    ASSERT_EQ(::chown(caseFile(dir, "cases", 2, ".csv").c_str(), 0, 0), 0);
    const std::string asNobody =
        "setpriv --reuid=nobody --regid=nogroup --clear-groups '" + std::string(CLI_BINARY) + "' ";
    // A build inside a folder closed to others (mktemp -d makes them) cannot
    // be run by another user at all: nothing to learn about the case then.
    if (std::system((asNobody + "--version > /dev/null 2>&1").c_str()) != 0) {
        std::printf("skipped (another user cannot run %s): the unreadable case as another user\n",
                    CLI_BINARY);
        return;
    }
    const std::string out = scratchPath("unreadable.out");
    const std::string command = asNobody + "sweep collect '" + dir + "' > '" + out + "'";
    EXPECT_NE(std::system(command.c_str()), 0);
    EXPECT_TRUE(contains(readFile(out), "case 2 failed: " + caseFile(dir, "cases", 2, ".csv") +
                                            " cannot be read: Permission denied"))
        << readFile(out);
}

TEST(SweepHostile, AbsurdResultsAreRefusedAndTicksStayFew) {
    const std::string head = "case,seed,generation,best\n";
    for (const char* row :
         {"1,1,0,1e308\n2,2,0,-1e308\n", "1,1,0,nan\n", "1,1,0,inf\n", "1,1,1000000,5\n"})
        EXPECT_THROW(poolResults(head + row, "results.csv"), CliError) << row;
    EXPECT_NO_THROW(poolResults(head + "1,1,10000,1e15\n", "results.csv"));
    const double spans[][2] = {{-1e308, 1e308}, {0, INFINITY}, {NAN, 1}, {1e15, 1e15 + 1}};
    for (const auto& span : spans) {
        const std::vector<double> t = niceTicks(span[0], span[1], 6);
        EXPECT_LE(t.size(), 9u) << span[0] << " " << span[1];
        for (double v : t)
            EXPECT_TRUE(std::isfinite(v));
    }
}

// Each design in designs/ says on its first line ("# refused: TEXT") why it
// is refused: with status 2, one line, before anything is made.
TEST(SweepHostile, EveryDesignOfTheCorpusIsRefusedBeforeAnythingIsMade) {
    std::vector<std::string> names;
    if (DIR* d = ::opendir(SWEEP_DESIGNS_DIR)) {
        while (const dirent* e = ::readdir(d))
            if (std::string(e->d_name).find(".toml") != std::string::npos)
                names.push_back(e->d_name);
        ::closedir(d);
    }
    ASSERT_GE(names.size(), 10u);
    const std::string out = scratchPath("never-made");
    for (const std::string& name : names) {
        const std::string path = std::string(SWEEP_DESIGNS_DIR) + "/" + name;
        const std::string first = splitLines(readFile(path)).at(0);
        ASSERT_EQ(first.rfind("# refused: ", 0), 0u) << name;
        const ProgramResult r = runProgram({"sweep", "run", path, "--out", out});
        EXPECT_EQ(r.status, 2) << name;
        EXPECT_TRUE(contains(r.err, first.substr(11))) << name << ": " << r.err;
        EXPECT_EQ(splitLines(r.err).size(), 1u) << name << ": " << r.err;
        EXPECT_FALSE(fileExists(out)) << name;
    }
}

TEST(SweepHostile, LargeDesignsAreCountedBeforeTheyAreBuilt) {
    // 200001 values: the duplicate check and the case count answer at once.
    std::string values = "prey-value = [0";
    for (int v = 1; v <= 200000; ++v)
        values += ", " + std::to_string(v);
    const std::string design = scratchPath("wide.toml");
    writeFile(design, "generations = 2\nseeds = [1]\n[factors]\n" + values + "]\n");
    const ProgramResult wide = runProgram({"sweep", "cases", design, "--out", scratchPath("w")});
    EXPECT_EQ(wide.status, 2);
    EXPECT_TRUE(contains(wide.err, "200001 cases, more than 100000")) << wide.err;
    // Even with --force a seed list is bounded.
    writeFile(design, "generations = 2\nseeds = { from = 0, to = 2147483646 }\n");
    const ProgramResult seeds =
        runProgram({"sweep", "cases", design, "--out", scratchPath("w"), "--force"});
    EXPECT_EQ(seeds.status, 2);
    EXPECT_TRUE(contains(seeds.err, "more than 10000000 seeds")) << seeds.err;
    // Values are one when they are one number, and labelled as written plainly.
    writeFile(design, "generations = 2\nseeds = [1]\n[factors]\nprey-size = [100.0, 2.5]\n");
    const ProgramResult cases = runProgram({"sweep", "cases", design, "--out", scratchPath("w")});
    EXPECT_TRUE(contains(cases.out, "--prey-size 100 ")) << cases.out;
    EXPECT_TRUE(contains(cases.out, "--prey-size 2.5 ")) << cases.out;
}

TEST(SweepHostile, ABatchScriptRefusesWhatItsDirectivesCannotCarry) {
    const std::string design = scratchPath("slurm.toml");
    writeFile(design, SMALL_DESIGN);
    const std::pair<std::vector<std::string>, std::string> bad[] = {
        {{scratchPath("back\\slash")}, "backslash"},
        {{scratchPath("line\nbreak")}, "line break"},
        {{scratchPath("fine"), "--", "--comment=a\n#SBATCH --wrap=x"}, "line break"},
    };
    for (const auto& [words, says] : bad) {
        std::vector<std::string> args = {"sweep", "slurm", design, "--out"};
        args.insert(args.end(), words.begin(), words.end());
        const ProgramResult r = runProgram(args);
        EXPECT_EQ(r.status, 2) << says;
        EXPECT_TRUE(contains(r.err, says)) << r.err;
        EXPECT_FALSE(fileExists(words.front())) << words.front();
    }
}
