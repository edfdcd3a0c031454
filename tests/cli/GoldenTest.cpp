// The three golden runs written by an independent implementation: the same
// command lines must give the same bytes. Where they do not, the test names
// the first differing generation, spider and field.

#include <gtest/gtest.h>

#include <tuple>

#include "CliTestFiles.h"
#include "evolution/RunCompare.h"
#include "tools/cli/RunFile.h"

namespace {

struct GoldenRun {
    const char* file;
    std::vector<std::string> options;
};

const GoldenRun GOLDEN_RUNS[] = {
    {"seed1-pop24-gen6.axv", {"--seed", "1", "--population", "24", "--generations", "6"}},
    {"seed2-pop10-gen12-dist.axv",
     {"--seed", "2", "--population", "10", "--generations", "12", "--prey", "60", "--attack",
      "dist", "--silk-cost", "1"}},
    {"seed3-pop15-gen3-limit2500.axv",
     {"--seed", "3", "--population", "15", "--generations", "3", "--prey", "100", "--silk-cost",
      "1", "--silk-limit", "2500", "--time-penalty", "1"}},
};

// Each run on 1, 2 and 7 evaluation threads, and on more threads than spiders.
class Golden : public ::testing::TestWithParam<std::tuple<GoldenRun, int>> {};

std::string whereTheyDiffer(const std::string& ours, const std::string& theirs) {
    loadRun(ours);
    const RunSnapshot a = snapshotRun();
    loadRun(theirs);
    const RunSnapshot b = snapshotRun();
    const std::string d = firstDifference(a, b);
    return d.empty() ? "records and settings agree; the bytes differ elsewhere" : d;
}

} // namespace

TEST_P(Golden, EvolveWritesTheSameBytes) {
    const GoldenRun& run = std::get<0>(GetParam());
    const std::string threads = std::to_string(std::get<1>(GetParam()));
    const std::string golden = std::string(GOLDEN_DIR) + "/" + run.file;
    if (!fileExists(golden))
        GTEST_SKIP() << "golden files not found at " << GOLDEN_DIR;
    const std::string ours = scratchPath("ours-" + threads + "-" + run.file);
    std::vector<std::string> args = {"evolve"};
    args.insert(args.end(), run.options.begin(), run.options.end());
    args.insert(args.end(), {"--threads", threads, "--quiet", "--plain", "--out", ours});
    const ProgramResult r = runProgram(args);
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string a = readFile(ours), b = readFile(golden);
    if (a != b)
        ADD_FAILURE() << run.file << " on " << threads
                      << " threads differs (ours vs golden): " << whereTheyDiffer(ours, golden);
}

INSTANTIATE_TEST_SUITE_P(Runs, Golden,
                         ::testing::Combine(::testing::ValuesIn(GOLDEN_RUNS),
                                            ::testing::Values(1, 2, 7, 32)),
                         [](const ::testing::TestParamInfo<std::tuple<GoldenRun, int>>& info) {
                             return "seed" + std::to_string(info.index / 4 + 1) + "_threads" +
                                    std::to_string(std::get<1>(info.param));
                         });
