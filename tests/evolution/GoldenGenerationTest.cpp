// Generation 0 of the recorded runs, made by an independent implementation:
// the same seed and settings must give the same rule values and fitness.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/LRandom.h"
#include "evolution/FossilView.h"
#include "evolution/PopulationFile.h"
#include "evolution/RunSettings.h"
#include "tests/evolution/EvolutionTestSupport.h"
#include "web/EAPGossamerix.h"
#include "web/Spider.h"

namespace {

namespace fs = std::filesystem;

// The seed is in the file's name: "seed<S>-...".
unsigned long seedOf(const fs::path& path) {
    const std::string name = path.filename().string();
    const size_t at = name.find("seed");
    if (at == std::string::npos)
        throw std::runtime_error("no seed in " + name);
    return std::stoul(name.substr(at + 4));
}

std::vector<fs::path> goldenFiles() {
    std::vector<fs::path> files;
    const fs::path dir(ARACHNOVIX_GOLDEN_DIR);
    if (!fs::is_directory(dir))
        return files;
    for (const auto& e : fs::directory_iterator(dir))
        if (e.path().extension() == ".axv")
            files.push_back(e.path());
    std::sort(files.begin(), files.end());
    return files;
}

// A new population as the evolution engine makes it, evaluated once, with
// the settings in force.
std::vector<Spider> firstGeneration(unsigned long seed, int populationSize,
                                    EAPGossamerix& problem) {
    const RunSettings run = currentRunSettings();
    LRandom::random.seed(seed);
    problem.useGravity = run.useGravity;
    problem.useAttackDistance = run.useAttackDistance;
    std::vector<Spider> spiders(static_cast<size_t>(populationSize));
    for (Spider& s : spiders)
        problem.createRandomGenotype(s.individual);
    for (Spider& s : spiders)
        for (int g = 0; g < problem.numGenes; ++g)
            s.rule(g) = problem.getGene(s.individual, static_cast<unsigned>(g));
    problem.createPrey(run.numPrey);
    for (Spider& s : spiders) {
        s.individual.isEvaluated = false;
        problem.evaluateSpider(s, run.preySize, run.preyValue, run.silkCostFactor,
                               run.timePenaltyFactor, run.silkLimit);
    }
    return spiders;
}

using GoldenGeneration = EvolutionTest;

// Each file is read by the program's loader, which puts its settings in force.
TEST_F(GoldenGeneration, FirstGenerationMatchesRecordedRuns) {
    const std::vector<fs::path> files = goldenFiles();
    if (files.empty())
        GTEST_SKIP() << "no recorded runs in " << ARACHNOVIX_GOLDEN_DIR;
    for (const fs::path& path : files) {
        SCOPED_TRACE(path.filename().string());
        std::string why;
        ASSERT_TRUE(loadPopulation(path.string(), &why)) << why;
        const FossilView record(evolutionState.fossilRecord, evolutionState.populationSize);
        EAPGossamerix problem;
        const std::vector<Spider> spiders =
            firstGeneration(seedOf(path), record.populationSize(), problem);
        int scored = 0;
        for (int i = 0; i < record.populationSize(); ++i) {
            for (int g = 0; g < NUM_RULES; ++g)
                ASSERT_EQ(spiders[i].rule(g), record.rule(0, i, g))
                    << "spider " << i << " rule " << g;
            ASSERT_EQ(static_cast<int32_t>(spiders[i].individual.fitness), record.fitness(0, i))
                << "spider " << i << " fitness";
            if (record.fitness(0, i) > 0)
                ++scored;
        }
        // The runs are only a check when their webs catch something.
        EXPECT_GT(scored, 0);
    }
}

} // namespace
