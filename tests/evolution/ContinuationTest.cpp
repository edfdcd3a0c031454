// The continuation record after a run file's settings: a run saved and
// resumed goes on exactly as the unbroken run (the same bytes), readers of
// the published fields see the same run, a damaged or foreign record loads
// the run with new streams, and a run that shows an earlier generation
// writes no record.

#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

#include "evolution/Continuation.h"
#include "evolution/LittleEndian.h"
#include "evolution/PopulationFile.h"
#include "evolution/Run.h"
#include "evolution/RunControl.h"
#include "tests/evolution/EvolutionTestSupport.h"

namespace {

// A reader that knows the published fields only, written from the layout:
// it reads them in order and stops.
struct PublishedRun {
    int32_t populationSize = 0;
    int32_t generations = 0;
    std::vector<int32_t> record;
    std::vector<uint8_t> settings; // fields 6 ... 15
    size_t end = 0;                // where the fields end
};

PublishedRun readPublished(const std::vector<uint8_t>& b) {
    PublishedRun r;
    size_t at = 0;
    auto int32 = [&] {
        const int32_t v = little_endian::getInt32(&b.at(at + 3) - 3);
        at += 4;
        return v;
    };
    at = 4 + static_cast<size_t>(int32());
    r.populationSize = int32();
    r.generations = int32();
    for (int32_t k = 0; k < r.populationSize * r.generations * 23; ++k)
        r.record.push_back(int32());
    r.settings.assign(b.begin() + static_cast<ptrdiff_t>(at),
                      b.begin() + static_cast<ptrdiff_t>(at + 56));
    r.end = at + 56;
    return r;
}

RunOptions options(int population, int threads, AttackSim attack, int silkLimit = -1) {
    RunOptions o;
    o.population = population;
    o.threads = threads;
    o.prey = 40;
    o.attack = attack;
    o.silkLimit = silkLimit;
    return o;
}

std::vector<uint8_t> savedBytes(const ::Run& run, const std::string& name,
                                FileLayout layout = FileLayout::WithContinuation) {
    const std::string path = makeTempFolder("continuation") + "/" + name;
    run.save(path, layout);
    return readBytes(path);
}

// Bred `first` generations, saved, resumed (on other threads, under another
// seed that the record overrides) and bred `second` more: the file's bytes.
std::vector<uint8_t> bredInTwo(const RunOptions& o, uint32_t seed, int first, int second) {
    ::Run run = ::Run::start(o, seed);
    run.breed(first);
    const std::string path = makeTempFolder("continuation-half") + "/half.axv";
    run.save(path);
    RunOptions more;
    more.threads = o.threads == 1 ? 2 : 1;
    ::Run resumed = ::Run::resume(path, more, seed + 1000);
    EXPECT_EQ(resumed.fileContinuation(), FileContinuation::Exact);
    resumed.breed(second);
    return savedBytes(resumed, "whole.axv");
}

std::vector<uint8_t> bredInOne(const RunOptions& o, uint32_t seed, int generations) {
    ::Run run = ::Run::start(o, seed);
    run.breed(generations);
    return savedBytes(run, "one.axv");
}

using Case = std::tuple<int, int, AttackSim, int>; // population, threads, attack, silk limit

class ExactContinuation : public EvolutionTest, public ::testing::WithParamInterface<Case> {};

} // namespace

TEST_P(ExactContinuation, TwentyPlusTwentyIsFortyByteForByte) {
    const auto [population, threads, attack, silkLimit] = GetParam();
    const RunOptions o = options(population, threads, attack, silkLimit);
    const std::vector<uint8_t> one = bredInOne(o, 7, 40);
    EXPECT_TRUE(bredInTwo(o, 7, 20, 20) == one);
    // Resumed from memory, as from its file.
    ::Run run = ::Run::start(o, 7);
    run.breed(20);
    ::Run resumed = ::Run::resume(run, RunOptions{}, 99);
    resumed.breed(20);
    EXPECT_TRUE(savedBytes(resumed, "memory.axv") == one);
}

INSTANTIATE_TEST_SUITE_P(
    Matrix, ExactContinuation,
    ::testing::Values(Case{24, 1, AttackSim::Off, -1}, Case{1, 2, AttackSim::Dist, -1},
                      Case{200, 7, AttackSim::DistGrav, -1}, Case{24, 7, AttackSim::Dist, 300},
                      Case{24, 2, AttackSim::DistGrav, 2500}, Case{1, 7, AttackSim::Off, 300}));

TEST_F(EvolutionTest, OneHundredFiftyPlusOneHundredFiftyIsThreeHundred) {
    const RunOptions o = options(24, 2, AttackSim::Dist);
    EXPECT_TRUE(bredInTwo(o, 1, 150, 150) == bredInOne(o, 1, 300));
}

TEST_F(EvolutionTest, PublishedReadersSeeTheSameRunAndThePlainFileIsItsPrefix) {
    ::Run run = ::Run::start(options(6, 1, AttackSim::DistGrav, 300), 3);
    run.breed(4);
    const std::vector<uint8_t> full = savedBytes(run, "full.axv");
    const std::vector<uint8_t> plain = savedBytes(run, "plain.axv", FileLayout::Plain);
    const PublishedRun a = readPublished(full), b = readPublished(plain);
    EXPECT_EQ(a.populationSize, 6);
    EXPECT_EQ(a.generations, 5);
    EXPECT_EQ(a.record, run.wholeRecord());
    EXPECT_EQ(a.record, b.record);
    EXPECT_EQ(a.settings, b.settings);
    EXPECT_EQ(b.end, plain.size());
    ASSERT_GT(full.size(), plain.size());
    EXPECT_TRUE(std::equal(plain.begin(), plain.end(), full.begin()));
    EXPECT_EQ(0, std::memcmp(&full[plain.size()], continuation::MARKER, 8));
}

TEST_F(EvolutionTest, TheRecordCarriesTheProvenance) {
    RunOptions o = options(5, 1, AttackSim::Off);
    o.mutation = 7;
    ::Run run = ::Run::start(o, 4242);
    EXPECT_FALSE(run.provenance().lastBred);
    run.breed(2);
    const std::string path = makeTempFolder("provenance") + "/run.axv";
    run.save(path);
    const ::Run opened = ::Run::open(path);
    EXPECT_EQ(opened.fileContinuation(), FileContinuation::Exact);
    EXPECT_EQ(opened.provenance().version, "1.0.0.1");
    EXPECT_EQ(opened.provenance().firstSeed, std::optional<uint32_t>(4242));
    ASSERT_TRUE(opened.provenance().lastBred);
    EXPECT_EQ(opened.provenance().lastBred->mutationRate, 0.007);
    EXPECT_EQ(opened.provenance().lastBred->numPrey, 40);
    // A plain file tells nothing.
    run.save(path, FileLayout::Plain);
    const ::Run plain = ::Run::open(path);
    EXPECT_EQ(plain.fileContinuation(), FileContinuation::Absent);
    EXPECT_FALSE(plain.provenance().firstSeed);
}

namespace {

// A saved run of `population` spiders: its plain length and the whole file.
std::pair<size_t, std::vector<uint8_t>> runFile(int population, uint32_t seed) {
    ::Run run = ::Run::start(options(population, 1, AttackSim::Off), seed);
    run.breed(3);
    return {savedBytes(run, "p.axv", FileLayout::Plain).size(), savedBytes(run, "f.axv")};
}

} // namespace

TEST_F(EvolutionTest, ADamagedOrForeignRecordLoadsTheRunWithNewStreams) {
    const auto [plainSize, good] = runFile(5, 11);
    const auto [otherPlain, otherFile] = runFile(4, 11);
    const auto [samePlain, sameFile] = runFile(5, 12);
    const std::vector<uint8_t> plain(good.begin(),
                                     good.begin() + static_cast<ptrdiff_t>(plainSize));
    auto withRecord = [&](const std::vector<uint8_t>& tail) {
        std::vector<uint8_t> b = plain;
        b.insert(b.end(), tail.begin(), tail.end());
        return b;
    };
    const std::vector<uint8_t> record(good.begin() + static_cast<ptrdiff_t>(plainSize), good.end());
    std::vector<uint8_t> wrongMarker = record, wrongLength = record, flipped = record;
    wrongMarker[0] ^= 1;
    wrongLength[12] ^= 1;
    flipped[record.size() / 2] ^= 0x10;
    const std::vector<std::vector<uint8_t>> damaged = {
        withRecord(std::vector<uint8_t>(record.begin(), record.end() - 9)), // truncated
        withRecord(std::vector<uint8_t>(record.begin(), record.begin() + 5)),
        withRecord(wrongMarker),
        withRecord(wrongLength),
        withRecord(flipped),
        withRecord(std::vector<uint8_t>(otherFile.begin() + static_cast<ptrdiff_t>(otherPlain),
                                        otherFile.end())), // another population size
        withRecord(std::vector<uint8_t>(sameFile.begin() + static_cast<ptrdiff_t>(samePlain),
                                        sameFile.end())), // another run of the same size
    };
    const std::string dir = makeTempFolder("damaged-record");
    writeBytes(dir + "/plain.axv", plain);
    ::Run fromPlain = ::Run::resume(dir + "/plain.axv", RunOptions{}, 5);
    fromPlain.breed(2);
    const std::vector<uint8_t> want = savedBytes(fromPlain, "want.axv", FileLayout::Plain);
    for (size_t k = 0; k < damaged.size(); ++k) {
        writeBytes(dir + "/bad.axv", damaged[k]);
        ::Run run = ::Run::resume(dir + "/bad.axv", RunOptions{}, 5);
        EXPECT_EQ(run.fileContinuation(), FileContinuation::Damaged) << "case " << k;
        run.breed(2);
        EXPECT_TRUE(savedBytes(run, "got.axv", FileLayout::Plain) == want) << "case " << k;
    }
    // The program's loader takes it too, silently; Open warns once.
    window.forget();
    ASSERT_TRUE(loadPopulation(dir + "/bad.axv"));
    EXPECT_EQ(evolutionState.fileContinuation, FileContinuation::Damaged);
    EXPECT_TRUE(window.messages.empty());
    ASSERT_TRUE(openRunFile(dir + "/bad.axv"));
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text,
              "\"" + dir + "/bad.axv\": " + DAMAGED_CONTINUATION_WARNING + ".");
    EXPECT_EQ(window.messages[0].icon, MessageIcon::Warning);
}

// The program's commands: a file saved after Feed, after settings changed
// and after rule edits opens and runs as the session would have gone on; a
// file saved while an earlier generation is shown carries no record.
TEST_F(EvolutionTest, ProgramSavesContinueAsTheSessionWouldHaveGoneOn) {
    usePanelDefaults();
    evolutionState.numPrey = 30;
    newPopulation(8);
    runOneStep();
    runOneStep();
    evaluateNow();                      // Feed
    evolutionState.mutationRate = 0.01; // a setting changed during the run
    EAIndInteger& edited = evolutionState.spiders[3].individual;
    edited.bits[0] = 1 - edited.bits[0]; // a rule edited (its fitness stays)
    // Fitness is whole today; a fraction must still survive the file.
    evolutionState.spiders[5].individual.fitness += 0.5;
    const std::string dir = makeTempFolder("program-continues");
    ASSERT_TRUE(savePopulation(dir + "/session.axv"));
    const StateSnapshot session = snapshotState();
    runOneStep();
    runOneStep();
    ASSERT_TRUE(savePopulation(dir + "/went-on.axv"));
    ASSERT_TRUE(openRunFile(dir + "/session.axv"));
    expectStateUnchanged(session); // exact fitness, genomes, marks and selection
    runOneStep();
    runOneStep();
    ASSERT_TRUE(savePopulation(dir + "/opened.axv"));
    EXPECT_TRUE(readBytes(dir + "/opened.axv") == readBytes(dir + "/went-on.axv"));

    timeStepBackward();
    EXPECT_FALSE(continuation::continuesExactly(evolutionState));
    ASSERT_TRUE(savePopulation(dir + "/earlier.axv"));
    ASSERT_EQ(writePopulation(evolutionState, dir + "/plain.axv", FileLayout::Plain), "");
    EXPECT_TRUE(readBytes(dir + "/earlier.axv") == readBytes(dir + "/plain.axv"));
    ASSERT_TRUE(openRunFile(dir + "/earlier.axv"));
    EXPECT_EQ(evolutionState.fileContinuation, FileContinuation::Absent);
}
