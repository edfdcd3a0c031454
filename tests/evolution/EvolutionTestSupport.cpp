#include "tests/evolution/EvolutionTestSupport.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "core/LRandom.h"
#include "evolution/RunControl.h"
#include "evolution/RunSettings.h"
#include "web/BuilderState.h"

void resetEvolution(unsigned long seed) {
    auto fresh = std::make_unique<EvolutionState>();
    evolutionState = *fresh;
    evolutionState.flags.isRunning = false;
    evolutionState.flags.renderOffline = false;
    evolutionState.flags.freshGeneration = false;
    evolutionState.preyAngles.clear();
    markRunSaved();
    evolutionState.random.seed(static_cast<uint32_t>(seed));
}

void EvolutionTest::SetUp() {
    resetEvolution();
    setWindowPort(&window);
}

void EvolutionTest::TearDown() {
    setWindowPort(nullptr);
}

void usePanelDefaults() {
    applyRunSettings(RunSettings{});
}

void setFitness(int i, double fitness) {
    EAIndInteger& ind = evolutionState.spiders[i].individual;
    ind.fitness = fitness;
    ind.isEvaluated = true;
    ind.isElite = false;
}

std::vector<uint8_t> readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

namespace {

// This process's own folder under the test temp folder, removed at exit:
// ctest runs the binary's tests as separate processes side by side, and a
// folder shared by name would be cleared under another test's feet.
std::string processFolder() {
    // Never destroyed: the exit handler runs after static objects are gone.
    static const std::string* root = [] {
        auto* r = new std::string(::testing::TempDir() + "arachnovix-evolution-" +
                                  std::to_string(::getpid()));
        ::mkdir(r->c_str(), 0755);
        static const pid_t owner = ::getpid();
        std::atexit([] {
            if (::getpid() != owner) // a forked child leaving
                return;
            const std::string command = "rm -rf '" + processFolder() + "'";
            if (std::system(command.c_str()) != 0)
                std::fprintf(stderr, "cannot remove %s\n", processFolder().c_str());
        });
        return r;
    }();
    return *root;
}

} // namespace

std::string makeTempFolder(const std::string& name) {
    const std::string folder = processFolder() + "/" + name;
    std::string command = "rm -rf '" + folder + "'";
    if (std::system(command.c_str()) != 0)
        ADD_FAILURE() << "cannot clear " << folder;
    ::mkdir(folder.c_str(), 0755);
    return folder;
}

StateSnapshot snapshotState() {
    const EvolutionState& es = evolutionState;
    StateSnapshot s{es.populationSize,
                    es.generation,
                    es.numPrey,
                    es.selectedSpider,
                    es.bestSpider,
                    es.preySize,
                    es.preyValue,
                    es.silkCostFactor,
                    es.timePenaltyFactor,
                    es.crossoverRate,
                    es.mutationRate,
                    es.problem.useGravity,
                    es.problem.useAttackDistance,
                    evolutionState.silkLimit,
                    es.fossilRecord,
                    {},
                    {},
                    {}};
    for (int i = 0; i < MAX_POPULATION; ++i) {
        const Spider& sp = es.spiders[i];
        s.bits.emplace_back(sp.individual.bits, sp.individual.bits + sp.individual.numBits);
        s.origins.push_back(sp.origin);
        s.fitness.push_back(sp.individual.fitness);
    }
    return s;
}

void expectStateUnchanged(const StateSnapshot& before) {
    const StateSnapshot now = snapshotState();
    EXPECT_EQ(now.populationSize, before.populationSize);
    EXPECT_EQ(now.generation, before.generation);
    EXPECT_EQ(now.numPrey, before.numPrey);
    EXPECT_EQ(now.selectedSpider, before.selectedSpider);
    EXPECT_EQ(now.bestSpider, before.bestSpider);
    EXPECT_EQ(now.preySize, before.preySize);
    EXPECT_EQ(now.preyValue, before.preyValue);
    EXPECT_EQ(now.silkCostFactor, before.silkCostFactor);
    EXPECT_EQ(now.timePenaltyFactor, before.timePenaltyFactor);
    EXPECT_EQ(now.crossoverRate, before.crossoverRate);
    EXPECT_EQ(now.mutationRate, before.mutationRate);
    EXPECT_EQ(now.useGravity, before.useGravity);
    EXPECT_EQ(now.useAttackDistance, before.useAttackDistance);
    EXPECT_EQ(now.silkLimit, before.silkLimit);
    EXPECT_TRUE(now.fossilRecord == before.fossilRecord) << "the fossil record changed";
    EXPECT_TRUE(now.bits == before.bits) << "a genome changed";
    EXPECT_TRUE(now.origins == before.origins) << "an origin label changed";
    EXPECT_TRUE(now.fitness == before.fitness) << "a fitness changed";
}
