// Generation 0 of the recorded runs, made by an independent implementation:
// the same seed and settings must give the same rule values and fitness.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/LRandom.h"
#include "web/BuilderState.h"
#include "web/EAPGossamerix.h"
#include "web/Spider.h"

namespace {

namespace fs = std::filesystem;

constexpr int FIELDS_PER_SPIDER = 23;
constexpr int FITNESS_FIELD = 19;

struct RunFile {
    unsigned long seed = 0;
    int populationSize = 0;
    int generations = 0;
    std::vector<int32_t> record;
    int32_t numPrey = 0;
    double preySize = 0, preyValue = 0;
    bool useGravity = false, useAttackDistance = false;
    double silkCostFactor = 0;
    int32_t silkLimit = -1;
    double timePenaltyFactor = 0;
};

template <typename T>
T take(const std::vector<char>& bytes, size_t& pos) {
    T v{};
    if (pos + sizeof(T) > bytes.size()) throw std::runtime_error("file too short");
    std::memcpy(&v, bytes.data() + pos, sizeof(T));
    pos += sizeof(T);
    return v;
}

RunFile readRun(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    RunFile run;
    // The seed is in the name: "seed<S>-...".
    const std::string name = path.filename().string();
    const size_t at = name.find("seed");
    if (at == std::string::npos) throw std::runtime_error("no seed in " + name);
    run.seed = std::stoul(name.substr(at + 4));
    size_t pos = 0;
    const int32_t len = take<int32_t>(bytes, pos);
    if (std::string(bytes.data() + pos, static_cast<size_t>(len)) != "1.0.0.1")
        throw std::runtime_error("version");
    pos += static_cast<size_t>(len);
    run.populationSize = take<int32_t>(bytes, pos);
    run.generations = take<int32_t>(bytes, pos);
    const size_t count = static_cast<size_t>(run.populationSize) * run.generations * FIELDS_PER_SPIDER;
    for (size_t i = 0; i < count; ++i) run.record.push_back(take<int32_t>(bytes, pos));
    run.numPrey = take<int32_t>(bytes, pos);
    run.preySize = take<double>(bytes, pos);
    run.preyValue = take<double>(bytes, pos);
    const auto field9 = take<uint32_t>(bytes, pos);
    const auto field10 = take<uint32_t>(bytes, pos);
    run.useGravity = (field9 & 0xFF) != 0;
    run.useAttackDistance = (field10 & 0xFF) != 0;
    run.silkCostFactor = take<double>(bytes, pos);
    run.silkLimit = take<int32_t>(bytes, pos);
    run.timePenaltyFactor = take<double>(bytes, pos);
    return run;
}

std::vector<fs::path> goldenFiles() {
    std::vector<fs::path> files;
    const fs::path dir(ARACHNOVIX_GOLDEN_DIR);
    if (!fs::is_directory(dir)) return files;
    for (const auto& e : fs::directory_iterator(dir))
        if (e.path().extension() == ".axv") files.push_back(e.path());
    std::sort(files.begin(), files.end());
    return files;
}

// A new population as the evolution engine makes it, evaluated once.
std::vector<Spider> firstGeneration(const RunFile& run, EAPGossamerix& problem) {
    LRandom::random.seed(run.seed);
    problem.useGravity = run.useGravity;
    problem.useAttackDistance = run.useAttackDistance;
    silkLimit = run.silkLimit;
    std::vector<Spider> spiders(static_cast<size_t>(run.populationSize));
    for (Spider& s : spiders) problem.createRandomGenotype(s.individual);
    for (Spider& s : spiders)
        for (int g = 0; g < problem.numGenes; ++g)
            s.rule(g) = problem.getGene(s.individual, static_cast<unsigned>(g));
    problem.createPrey(run.numPrey);
    for (Spider& s : spiders) {
        s.individual.isEvaluated = false;
        problem.evaluateSpider(s, run.preySize, run.preyValue, run.silkCostFactor,
                               run.timePenaltyFactor);
    }
    return spiders;
}

TEST(GoldenGeneration, FirstGenerationMatchesRecordedRuns) {
    const std::vector<fs::path> files = goldenFiles();
    if (files.empty()) GTEST_SKIP() << "no recorded runs in " << ARACHNOVIX_GOLDEN_DIR;
    for (const fs::path& path : files) {
        SCOPED_TRACE(path.filename().string());
        const RunFile run = readRun(path);
        EAPGossamerix problem;
        const std::vector<Spider> spiders = firstGeneration(run, problem);
        int scored = 0;
        for (int i = 0; i < run.populationSize; ++i) {
            const int32_t* rec = &run.record[static_cast<size_t>(i) * FIELDS_PER_SPIDER];
            for (int g = 0; g < NUM_RULES; ++g)
                ASSERT_EQ(spiders[i].rule(g), rec[g]) << "spider " << i << " rule " << g;
            ASSERT_EQ(static_cast<int32_t>(spiders[i].individual.fitness), rec[FITNESS_FIELD])
                << "spider " << i << " fitness";
            if (rec[FITNESS_FIELD] > 0) ++scored;
        }
        // The runs are only a check when their webs catch something.
        EXPECT_GT(scored, 0);
    }
    silkLimit = -1;
}

}  // namespace
