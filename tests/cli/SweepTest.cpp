// Sweeps driven as a user drives them: the 2 x 2 x 3 design of the tests run
// on two workers, its cases against the single evolve commands, an
// interrupted and resumed run, a failing case, refused designs, the report.

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <tuple>

#include "CliTestFiles.h"
#include "XmlCheck.h"
#include "tools/cli/sweep/SweepReport.h"

extern char** environ;

namespace {

constexpr int CASES = 12;

std::string caseFile(const std::string& dir, const char* folder, int k, const char* ext) {
    char name[64];
    std::snprintf(name, sizeof name, "/%s/case-%04d%s", folder, k, ext);
    return dir + name;
}

int finishedCases(const std::string& dir) {
    int n = 0;
    for (int k = 1; k <= CASES; ++k)
        n += fileExists(caseFile(dir, "cases", k, ".csv"));
    return n;
}

// A sweep of the test design made once (two workers) for the tests that read it.
const std::string& sharedSweep() {
    static const std::string dir = [] {
        const std::string d = scratchPath("shared-sweep");
        const ProgramResult r =
            runProgram({"sweep", "run", SWEEP_DESIGN, "--out", d, "--jobs", "2"});
        EXPECT_EQ(r.status, 0) << r.err;
        return d;
    }();
    return dir;
}

// `sweep run` started in a process group of its own, as a shell starts a job.
pid_t startSweep(const std::string& dir) {
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attr, 0);
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<std::string> words = {CLI_BINARY, "sweep", "run",    SWEEP_DESIGN,
                                      "--out",    dir,     "--jobs", "2"};
    std::vector<char*> argv;
    for (std::string& w : words)
        argv.push_back(&w[0]);
    argv.push_back(nullptr);
    pid_t pid = -1;
    EXPECT_EQ(posix_spawn(&pid, CLI_BINARY, &files, &attr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&files);
    posix_spawnattr_destroy(&attr);
    return pid;
}

bool runs(const std::string& tool) {
    return std::system(("command -v " + tool + " > /dev/null").c_str()) == 0;
}

} // namespace

TEST(Sweep, EveryCaseIsByteIdenticalToItsSingleEvolveCommand) {
    const std::string& dir = sharedSweep();
    const ProgramResult list = runProgram({"sweep", "cases", SWEEP_DESIGN, "--out", dir});
    ASSERT_EQ(list.status, 0) << list.err;
    const std::vector<std::string> commands = splitLines(list.out);
    ASSERT_EQ(commands.size(), size_t(CASES));
    // The first factor varies slowest, the seed fastest.
    EXPECT_NE(commands[0].find("--attack off --silk-cost 2 --generations 150 --seed 1"),
              std::string::npos)
        << commands[0];
    EXPECT_NE(commands[4].find("--attack off --silk-cost 8 --generations 150 --seed 2"),
              std::string::npos)
        << commands[4];
    for (int k = 1; k <= CASES; ++k) {
        std::vector<std::string> words;
        std::istringstream in(commands[k - 1]);
        for (std::string w; in >> w;)
            words.push_back(w);
        ASSERT_EQ(words.at(0), "arachnovix-cli");
        ASSERT_EQ(words.at(words.size() - 1), caseFile(dir, "runs", k, ".axv"));
        words.back() = scratchPath("single.axv");
        const ProgramResult r =
            runProgram(std::vector<std::string>(words.begin() + 1, words.end()));
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_TRUE(readFile(scratchPath("single.axv")) ==
                    readFile(caseFile(dir, "runs", k, ".axv")))
            << "case " << k;
    }
    // One row per case and generation, the rows of case 1 first.
    const std::vector<std::string> rows = splitLines(readFile(dir + "/results.csv"));
    ASSERT_EQ(rows.size(), 1u + CASES * 151u);
    EXPECT_EQ(rows[0], "case,attack,silk_cost,population,prey,seed,generation,best_fitness,"
                       "mean_fitness,min_fitness,max_fitness,sd_fitness,n_initial,n_selected,"
                       "n_crossed,n_selected_mutated,n_crossed_mutated,n_other,silk,radius_silk,"
                       "spiral_silk,frame_silk,radii,spiral_threads");
    EXPECT_EQ(rows[1].rfind("1,off,2,10,30,1,0,", 0), 0u) << rows[1];
    EXPECT_EQ(rows.back().rfind("12,dist+grav,8,10,30,3,150,", 0), 0u) << rows.back();
}

TEST(Sweep, AnInterruptedSweepGoesOnToTheSameTable) {
    const std::string dir = scratchPath("interrupted");
    const pid_t pid = startSweep(dir);
    while (finishedCases(dir) < 2 && ::waitpid(pid, nullptr, WNOHANG) == 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    ::kill(-pid, SIGINT); // Ctrl-C reaches the whole job
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 130);
    const int finished = finishedCases(dir);
    EXPECT_GE(finished, 2);
    EXPECT_LT(finished, CASES);

    const ProgramResult again =
        runProgram({"sweep", "run", SWEEP_DESIGN, "--out", dir, "--jobs", "2"});
    EXPECT_EQ(again.status, 0) << again.err;
    EXPECT_NE(again.err.find("(" + std::to_string(finished) + " finished before)"),
              std::string::npos)
        << again.err;
    EXPECT_TRUE(readFile(dir + "/results.csv") == readFile(sharedSweep() + "/results.csv"));
    const std::string leftovers = "ls " + dir + "/cases " + dir + "/runs | grep -q tmp-";
    EXPECT_NE(std::system(leftovers.c_str()), 0) << "temporary files are left";
}

TEST(Sweep, AFailingCaseIsReportedWithItsCommandAndTheOthersFinish) {
    const std::string dir = scratchPath("failing");
    const std::string blocked = caseFile(dir, "runs", 5, ".axv");
    ASSERT_EQ(std::system(("mkdir -p '" + blocked + "'").c_str()),
              0); // a folder where the run goes
    const ProgramResult r = runProgram({"sweep", "run", SWEEP_DESIGN, "--out", dir, "--jobs", "2"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("case 5 failed: arachnovix-cli: cannot write " + blocked),
              std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find("command: arachnovix-cli evolve --population 10"), std::string::npos);
    EXPECT_NE(r.err.find("failed cases: 5\n"), std::string::npos) << r.err;
    EXPECT_EQ(finishedCases(dir), CASES - 1);

    const ProgramResult collect = runProgram({"sweep", "collect", dir});
    EXPECT_EQ(collect.status, 1);
    EXPECT_NE(collect.out.find("failed cases: 5\n"), std::string::npos) << collect.out;

    ASSERT_EQ(::rmdir(blocked.c_str()), 0);
    EXPECT_EQ(runProgram({"sweep", "run", SWEEP_DESIGN, "--out", dir}).status, 0);
    EXPECT_FALSE(fileExists(caseFile(dir, "cases", 5, ".failed")));
    EXPECT_EQ(finishedCases(dir), CASES);
}

TEST(Sweep, BadDesignsAreRefusedWithLineAndReasonBeforeAnythingRuns) {
    const std::string design = scratchPath("bad.toml"), out = scratchPath("never");
    const std::string head = "generations = 3\nseeds = [1, 2]\n";
    const std::pair<std::string, std::string> bad[] = {
        {head + "[fixed]\nspeed = 3\n", "bad.toml:4: unknown option 'speed'"},
        {head + "[factors]\nprey = [10, 10001]\n",
         "bad.toml:4: --prey: prey must be between 0 and 10000, got 10001"},
        {head + "[factors]\nattack = []\n", "bad.toml:4: factor 'attack' has no values"},
        {head + "[factors]\nprey = [10000]\nprey-value = [20, 1e6]\n",
         "bad.toml:5: --prey-value: prey x prey_value must not exceed 2147483647"},
        {"generations = 3\nseeds = { from = 1, to = 100001 }\n", "100001 cases, more than 100000"},
        {head + "[fixed]\npopulation = 5\n[factors]\npopulation = [4, 8]\n",
         "bad.toml:6: 'population' is both fixed and a factor"},
        {"generations = 3\nseeds = [1, 2, 1]\n", "bad.toml:2: seed 1 is listed twice"},
        {head + "[factors]\nsilk_cost = [1]\nsilk-cost = [2]\n",
         "bad.toml:4: 'silk_cost' is given twice (as silk_cost and silk-cost)"},
        {head + "[fixed]\nsilk-cost = 5\n[factors]\nsilk_cost = [4, 8]\n",
         "bad.toml:6: 'silk_cost' is both fixed and a factor"},
        {head + "[factors\n", "bad.toml:3: "},
    };
    for (const auto& [text, says] : bad) {
        writeFile(design, text);
        const ProgramResult r = runProgram({"sweep", "run", design, "--out", out});
        EXPECT_EQ(r.status, 2) << text;
        EXPECT_NE(r.err.find(says), std::string::npos) << text << "\nstderr: " << r.err;
        EXPECT_EQ(splitLines(r.err).size(), 1u) << r.err;
        EXPECT_FALSE(fileExists(out)) << text;
    }
    writeFile(design, bad[4].first); // --force lets a large design through
    EXPECT_EQ(runProgram({"sweep", "cases", design, "--out", out, "--force"}).status, 0);
}

TEST(Sweep, TheReportDrawsBandsSummarisesAndRanksTheConditions) {
    const std::string& dir = sharedSweep();
    const ProgramResult r = runProgram({"sweep", "report", dir});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, ""); // PNG and PDF were rendered
    ASSERT_TRUE(runs("xmllint")) << "xmllint is needed";
    for (const char* measure : {"best_fitness", "mean_fitness", "silk", "spiral_threads"}) {
        const std::string base = dir + "/report/" + measure;
        const std::string svg = readFile(base + ".svg");
        EXPECT_EQ(occurrences(svg, "class=\"band\""), 4u) << measure;
        // Told apart by dashes and markers as well as colour; labelled with the unit.
        EXPECT_EQ(occurrences(svg, "stroke-dasharray"), 6u) << measure;
        EXPECT_GT(occurrences(svg, "class=\"marker\""), 40u) << measure;
        EXPECT_EQ(std::system(("xmllint --noout '" + base + ".svg'").c_str()), 0) << measure;
        const std::string png = readFile(base + ".png");
        EXPECT_EQ(png.compare(0, 8, "\x89PNG\r\n\x1a\n"), 0) << measure;
        // 920 x 520 pixels at 96 per inch drawn at 300 dots per inch (11811 per metre)
        EXPECT_NE(png.find(std::string("\0\0\x0b\x3b\0\0\x06\x59", 8)), std::string::npos);
        EXPECT_NE(png.find(std::string("pHYs\0\0\x2e\x23\0\0\x2e\x23\1", 13)), std::string::npos);
        const std::string pdf = readFile(base + ".pdf");
        EXPECT_EQ(pdf.rfind("%PDF-", 0), 0u) << measure;
        EXPECT_NE(pdf.find("/MediaBox [ 0 0 690 390 ]"), std::string::npos) << measure;
        EXPECT_NE(pdf.find("%%EOF", pdf.size() - 8), std::string::npos) << measure;
    }
    EXPECT_NE(readFile(dir + "/report/silk.svg").find("silk used by the best web (web units)"),
              std::string::npos);
    const std::string strip = readFile(dir + "/report/best_fitness-strip.svg");
    EXPECT_EQ(occurrences(strip, "class=\"median\""), 4u);
    EXPECT_EQ(occurrences(strip, "class=\"marker\""), 12u + 4u); // replicates and legend
    const std::vector<std::string> summary = splitLines(readFile(dir + "/report/summary.csv"));
    ASSERT_EQ(summary.size(), 5u);
    EXPECT_EQ(summary[0], "attack,silk_cost,measure,generation,n,mean_value,sd_value,"
                          "median_value,ci95_low,ci95_high");
    EXPECT_EQ(summary[1].rfind("off,2,best_fitness,150,3,", 0), 0u) << summary[1];
    const std::vector<std::string> ranking = splitLines(r.out);
    ASSERT_GE(ranking.size(), 10u);
    EXPECT_NE(ranking[1].find("  1. "), std::string::npos);
    EXPECT_NE(ranking[4].find("  4. "), std::string::npos);
    EXPECT_NE(ranking[5].find("Pairs that differ in one factor"), std::string::npos);
    EXPECT_EQ(splitLines(readFile(dir + "/report/comparisons.csv")).size(), 5u);
}

// The test design with other seeds and values of silk_cost (spelled as the
// setting, the design file spells it as the option).
std::string testDesign(const std::string& seeds, const std::string& silkCosts,
                       const std::string& population = "10") {
    return "generations = 150\nseeds = " + seeds +
           "\nkeep_runs = true\n[fixed]\npopulation = " + population +
           "\nprey = 30\n[factors]\nattack = [\"off\", \"dist+grav\"]\n" +
           "silk_cost = " + silkCosts + "\n";
}

// results.csv without its case column.
std::string withoutCases(const std::string& table) {
    std::string out;
    for (const std::string& line : splitLines(table))
        out += line.substr(line.find(',') + 1) + "\n";
    return out;
}

TEST(Sweep, AStudyGrowsByItsNewCasesOnly) {
    const std::string dir = scratchPath("growing"), design = scratchPath("grown.toml");
    ASSERT_EQ(std::system(("cp -r '" + sharedSweep() + "' '" + dir + "'").c_str()), 0);
    // Two seeds more (8 new cases), then a value more (10 new cases).
    const std::tuple<std::string, std::string, int> steps[] = {
        {testDesign("[1, 2, 3, 4, 5]", "[2, 8]"), "8 cases run", CASES},
        {testDesign("[1, 2, 3, 4, 5]", "[2, 8, 5]"), "10 cases run", CASES + 8}};
    for (const auto& [text, ran, before] : steps) {
        writeFile(design, text);
        const ProgramResult r = runProgram({"sweep", "run", design, "--out", dir, "--jobs", "2"});
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_NE(r.err.find("sweep: " + ran), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("(" + std::to_string(before) + " finished before)"), std::string::npos)
            << r.err;
    }
    // Old numbers stay, new ones follow; the folder says what each stands for.
    const std::vector<std::string> index = splitLines(readFile(dir + "/case-index.csv"));
    ASSERT_EQ(index.size(), 31u);
    EXPECT_EQ(index[0], "case,attack,silk_cost,seed");
    EXPECT_EQ(index[4], "4,off,8,1");
    EXPECT_EQ(index[13], "13,off,2,4");
    EXPECT_EQ(index[21], "21,off,5,1");
    EXPECT_TRUE(fileExists(caseFile(dir, "cases", 30, ".csv")));
    EXPECT_TRUE(readFile(caseFile(dir, "runs", 4, ".axv")) ==
                readFile(caseFile(sharedSweep(), "runs", 4, ".axv")));

    const std::string fresh = scratchPath("fresh-grown");
    ASSERT_EQ(runProgram({"sweep", "run", design, "--out", fresh, "--jobs", "2"}).status, 0);
    const std::string grown = readFile(dir + "/results.csv");
    EXPECT_TRUE(withoutCases(grown) == withoutCases(readFile(fresh + "/results.csv")));
    EXPECT_FALSE(grown == readFile(fresh + "/results.csv")); // the case numbers differ
    EXPECT_EQ(runProgram({"sweep", "report", dir}).status, 0);

    const std::pair<std::string, std::string> refused[] = {
        {testDesign("[1, 2, 3, 4, 5]", "[2, 8, 5]", "12"),
         "the fixed setting population changed (10 -> 12)"},
        {testDesign("[1, 2, 4, 5]", "[2, 8, 5]"), "the seed 3 is gone"},
        {testDesign("[1, 2, 3, 4, 5]", "[8, 5]"), "the value 2 of the factor silk_cost is gone"},
        {"generations = 20\n" + testDesign("[1, 2, 3, 4, 5]", "[2, 8, 5]").substr(17),
         "the key generations changed (150 -> 20)"}};
    for (const auto& [text, says] : refused) {
        writeFile(design, text);
        const ProgramResult r = runProgram({"sweep", "run", design, "--out", dir});
        EXPECT_EQ(r.status, 2) << text;
        EXPECT_NE(r.err.find(says + "; a changed study needs a new --out folder"),
                  std::string::npos)
            << r.err;
    }
}

TEST(Sweep, ThreadsAndWorkersDefaultToTheCpusOfTheAffinityMask) {
    ASSERT_TRUE(runs("taskset")) << "taskset (util-linux) is needed";
    const std::string err = scratchPath("taskset.err");
    const std::string evolve = std::string("taskset -c 0 '") + CLI_BINARY +
                               "' evolve --seed 3 --population 8 --generations 2 --out '" +
                               scratchPath("one-cpu.axv") + "' 2> '" + err + "'";
    ASSERT_EQ(std::system(evolve.c_str()), 0) << readFile(err);
    EXPECT_NE(readFile(err).find(" on 1 thread; saved"), std::string::npos) << readFile(err);
    const std::string sweep = std::string("taskset -c 0 '") + CLI_BINARY + "' sweep run '" +
                              SWEEP_DESIGN + "' --out '" + scratchPath("one-cpu") + "' 2> '" + err +
                              "'";
    ASSERT_EQ(std::system(sweep.c_str()), 0) << readFile(err);
    EXPECT_NE(readFile(err).find("cases run in"), std::string::npos);
    EXPECT_NE(readFile(err).find(" with 1 job (0 finished before)"), std::string::npos)
        << readFile(err);
}

TEST(Sweep, ABandIsTheMeanWithStudentsInterval) {
    const BandPoint p = band({1.0, 2.0, 3.0, 4.0});
    EXPECT_DOUBLE_EQ(p.mean, 2.5);
    EXPECT_NEAR(p.sd, 1.2909944, 1e-6);
    EXPECT_NEAR(p.half, 3.1824463 * 1.2909944 / 2.0, 1e-6); // t(0.975, 3 degrees of freedom)
    const BandPoint one = band({7.0});
    EXPECT_EQ(one.replicates, 1);
    EXPECT_EQ(one.half, 0.0);
}
