// A sweep's cases run once, the temporary files of killed writers go, and
// its report ranks the conditions by their final best fitness, the highest
// mean first.

#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "CliTestFiles.h"
#include "XmlCheck.h"

namespace {

// Two conditions, attacks off or on, of three seeds each.
const char* const DESIGN = "generations = 30\n"
                           "seeds = [1, 2, 3]\n"
                           "[fixed]\n"
                           "population = 10\n"
                           "prey = 30\n"
                           "silk-cost = 2\n"
                           "[factors]\n"
                           "attack = [\"off\", \"dist+grav\"]\n";
const char* const LEVELS[] = {"off", "dist+grav"};

std::vector<std::string> fields(const std::string& line) {
    std::vector<std::string> out;
    std::istringstream in(line);
    for (std::string f; std::getline(in, f, ',');)
        out.push_back(f);
    return out;
}

// The mean over the seeds of each condition's best fitness in the last generation.
std::map<std::string, double> finalBestMeans(const std::string& resultsCsv) {
    const std::vector<std::string> rows = splitLines(resultsCsv);
    const std::vector<std::string> header = fields(rows.at(0));
    size_t best = 0, generation = 0, attack = 0;
    for (size_t c = 0; c < header.size(); ++c) {
        if (header[c] == "best" || header[c] == "best_fitness")
            best = c;
        if (header[c] == "generation")
            generation = c;
        if (header[c] == "attack")
            attack = c;
    }
    std::map<std::string, double> sum;
    for (size_t r = 1; r < rows.size(); ++r) {
        const std::vector<std::string> f = fields(rows[r]);
        if (f.at(generation) == "30")
            sum[f.at(attack)] += std::stod(f.at(best)) / 3;
    }
    return sum;
}

TEST(SweepCases, TheRankingListsTheHighestMeanFirst) {
    const std::string design = scratchPath("ranked.toml"), dir = scratchPath("ranked");
    writeFile(design, DESIGN);
    ASSERT_EQ(runProgram({"sweep", "run", design, "--out", dir, "--jobs", "2"}).status, 0);
    const std::map<std::string, double> means = finalBestMeans(readFile(dir + "/results.csv"));
    ASSERT_EQ(means.size(), 2u);
    ASSERT_NE(means.at(LEVELS[0]), means.at(LEVELS[1]));
    const bool offFirst = means.at(LEVELS[0]) > means.at(LEVELS[1]);
    const ProgramResult r = runProgram({"sweep", "report", dir});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string listing = r.out.substr(r.out.find('\n')); // after the title line
    const size_t off = listing.find("off"), distGrav = listing.find("dist+grav");
    ASSERT_NE(off, std::string::npos) << r.out;
    ASSERT_NE(distGrav, std::string::npos) << r.out;
    EXPECT_EQ(off < distGrav, offFirst) << r.out;
}

TEST(SweepCases, RunCaseLeavesAFinishedCaseAlone) {
    const std::string design = scratchPath("once.toml"), dir = scratchPath("once");
    writeFile(design, DESIGN);
    ASSERT_EQ(runProgram({"sweep", "slurm", design, "--out", dir}).status, 0);
    ASSERT_EQ(runProgram({"sweep", "run-case", dir, "2"}).status, 0);
    const std::string rows = dir + "/cases/case-0002.csv";
    ASSERT_TRUE(fileExists(rows));
    writeFile(rows, "kept\n");
    EXPECT_EQ(runProgram({"sweep", "run-case", dir, "2"}).status, 0);
    EXPECT_EQ(readFile(rows), "kept\n");
}

TEST(SweepCases, ARunRemovesTheTemporaryFilesOfKilledWriters) {
    const std::string design = scratchPath("leftovers.toml"), dir = scratchPath("leftovers");
    writeFile(design, DESIGN);
    ASSERT_EQ(runProgram({"sweep", "slurm", design, "--out", dir}).status, 0);
    const std::string leftover = dir + "/cases/case-0001.csv.tmp-Ab12Cd";
    writeFile(leftover, "case,attack\n1,o");
    ASSERT_EQ(runProgram({"sweep", "run", design, "--out", dir, "--jobs", "2"}).status, 0);
    EXPECT_FALSE(fileExists(leftover));
}

} // namespace
