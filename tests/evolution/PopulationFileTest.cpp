// Population files: their size and bytes, the round trip, the settings'
// encodings, refusals that leave the program as it was, and saving that
// never leaves a half-written file behind.

#include <gtest/gtest.h>

#include <csignal>
#include <dirent.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "evolution/EvolutionState.h"
#include "evolution/FossilView.h"
#include "evolution/LittleEndian.h"
#include "evolution/PopulationFile.h"
#include "evolution/RunControl.h"
#include "tests/evolution/EvolutionTestSupport.h"
#include "web/BuilderState.h"

namespace {

const char REFUSAL[] = "ERROR: Cannot read file. This does not seem to be a Arachnovix file.";

class PopulationFile : public EvolutionTest {
  protected:
    std::string folder;
    void SetUp() override {
        EvolutionTest::SetUp();
        usePanelDefaults();
        evolutionState.numPrey = 20;
        folder = makeTempFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
    }
    std::string path(const std::string& name) const { return folder + "/" + name; }

    // The published fields alone.
    std::vector<uint8_t> saved(const std::string& name) {
        EXPECT_EQ(writePopulation(evolutionState, path(name), FileLayout::Plain), "");
        return readBytes(path(name));
    }
    void expectRefusalShown() {
        ASSERT_EQ(window.messages.size(), 1u);
        EXPECT_EQ(window.messages[0].text, REFUSAL);
        EXPECT_EQ(window.messages[0].caption, "Arachnovix");
        EXPECT_EQ(window.messages[0].icon, MessageIcon::Plain);
    }
};

int32_t intAt(const std::vector<uint8_t>& bytes, size_t at) {
    return little_endian::getInt32(&bytes[at]);
}

// Offsets of the settings fields from the end of a file.
constexpr size_t GRAVITY_FIELD_FROM_END = 56 - 20;
constexpr size_t DISTANCE_FIELD_FROM_END = 56 - 24;
constexpr size_t SILK_LIMIT_FROM_END = 56 - 36;
constexpr size_t CROSSOVER_FROM_END = 8;
constexpr size_t MUTATION_FROM_END = 4;

TEST_F(PopulationFile, ANewPopulationOf24Is2283BytesWithItsHeader) {
    newPopulation(24);
    const std::vector<uint8_t> bytes = saved("new.axv");
    ASSERT_EQ(bytes.size(), 2283u);
    EXPECT_EQ(intAt(bytes, 0), 7);
    EXPECT_EQ(std::string(bytes.begin() + 4, bytes.begin() + 11), "1.0.0.1");
    EXPECT_EQ(intAt(bytes, 11), 24);
    EXPECT_EQ(intAt(bytes, 15), 1);
    // The record follows unchanged: spider 3's parentB is at entry 3, field 22.
    EXPECT_EQ(intAt(bytes, 19 + (3 * 23 + 22) * 4), 3);
    EXPECT_EQ(intAt(bytes, bytes.size() - 56), 20); // numPrey
    EXPECT_EQ(little_endian::getDouble(&bytes[bytes.size() - 52]), 4.0);
}

TEST_F(PopulationFile, SaveLoadSaveGivesTheSameBytesAndShowsTheLastGeneration) {
    newPopulation(10);
    for (int k = 0; k < 4; ++k)
        runTimer(10);
    timeStepBackward();
    timeStepBackward(); // an earlier generation is shown; the whole record is saved
    evolutionState.problem.useAttackDistance = true;
    evolutionState.silkLimit = 300;
    const std::vector<uint8_t> first = saved("first.axv");
    EXPECT_EQ(first.size(), 75u + 92u * 10u * 5u);

    resetEvolution(99);
    newPopulation(6);
    ASSERT_TRUE(loadPopulation(path("first.axv")));
    EXPECT_TRUE(window.messages.empty());
    const EvolutionState& es = evolutionState;
    EXPECT_EQ(es.populationSize, 10);
    EXPECT_EQ(es.generation, 4);
    EXPECT_EQ(es.recordedGenerations(), 5);
    EXPECT_TRUE(es.problem.useAttackDistance);
    EXPECT_FALSE(es.problem.useGravity);
    EXPECT_EQ(evolutionState.silkLimit, 300);
    EXPECT_EQ(es.numPrey, 20);
    for (int i = 0; i < 10; ++i) {
        const int32_t* entry = &es.fossilRecord[fossilEntryIndex(4, 10, i)];
        EXPECT_TRUE(es.spiders[i].individual.isEvaluated);
        EXPECT_EQ(es.spiders[i].individual.fitness, entry[FOSSIL_FITNESS]);
        for (int k = 0; k < NUM_RULES; ++k)
            EXPECT_EQ(es.spiders[i].rule(k), entry[k]);
    }
    // The selected spider is not read back, so keep it for the second save.
    evolutionState.selectedSpider = first[first.size() - DISTANCE_FIELD_FROM_END + 3];
    EXPECT_EQ(saved("second.axv"), first);
}

TEST_F(PopulationFile, RatesAreStoredTruncatedInPercentAndTenthsOfAPercent) {
    newPopulation(6);
    struct Case {
        double crossover, mutation;
        int32_t crossoverStored, mutationStored;
        double crossoverRead, mutationRead;
    };
    const Case cases[] = {{0.8, 0.0025, 80, 2, 0.8, 0.002},
                          {0.29, 0.002, 28, 2, 0.28, 0.002},
                          {0.0, 0.0, 0, 0, 0.0, 0.0},
                          {1.0, 1.0, 100, 1000, 1.0, 1.0}};
    for (const Case& c : cases) {
        evolutionState.crossoverRate = c.crossover;
        evolutionState.mutationRate = c.mutation;
        const std::vector<uint8_t> bytes = saved("rates.axv");
        EXPECT_EQ(intAt(bytes, bytes.size() - CROSSOVER_FROM_END), c.crossoverStored);
        EXPECT_EQ(intAt(bytes, bytes.size() - MUTATION_FROM_END), c.mutationStored);
        ASSERT_TRUE(loadPopulation(path("rates.axv")));
        EXPECT_EQ(evolutionState.crossoverRate, c.crossoverRead);
        EXPECT_EQ(evolutionState.mutationRate, c.mutationRead);
    }
}

TEST_F(PopulationFile, AttackFlagsAndTheSilkLimitHaveTheirBytes) {
    newPopulation(6);
    evolutionState.selectedSpider = 0x1F5; // only the low byte is stored
    struct Case {
        bool distance, gravity;
        uint8_t field9[4];
        uint8_t field10first;
    };
    const Case cases[] = {{true, true, {1, 1, 0, 0}, 1},    // "Dist+Grav"
                          {true, false, {0, 1, 0, 0}, 1},   // "Dist"
                          {false, false, {0, 0, 0, 0}, 0}}; // "Off"
    for (const Case& c : cases) {
        evolutionState.problem.useAttackDistance = c.distance;
        evolutionState.problem.useGravity = c.gravity;
        const std::vector<uint8_t> bytes = saved("flags.axv");
        const uint8_t* f9 = &bytes[bytes.size() - GRAVITY_FIELD_FROM_END];
        const uint8_t* f10 = &bytes[bytes.size() - DISTANCE_FIELD_FROM_END];
        EXPECT_TRUE(std::equal(f9, f9 + 4, c.field9));
        EXPECT_EQ(f10[0], c.field10first);
        EXPECT_EQ(f10[1], 0);
        EXPECT_EQ(f10[2], 0);
        EXPECT_EQ(f10[3], 0xF5);
        evolutionState.problem.useAttackDistance = !c.distance;
        evolutionState.problem.useGravity = !c.gravity;
        ASSERT_TRUE(loadPopulation(path("flags.axv")));
        EXPECT_EQ(evolutionState.problem.useAttackDistance, c.distance);
        EXPECT_EQ(evolutionState.problem.useGravity, c.gravity);
    }
    evolutionState.silkLimit = -1;
    std::vector<uint8_t> bytes = saved("limit.axv");
    EXPECT_EQ(intAt(bytes, bytes.size() - SILK_LIMIT_FROM_END), -1);
    evolutionState.silkLimit = 2500;
    bytes = saved("limit.axv");
    EXPECT_EQ(intAt(bytes, bytes.size() - SILK_LIMIT_FROM_END), 2500);
}

TEST_F(PopulationFile, ReadersTakeOnlyTheFirstByteOfEachFlagField) {
    newPopulation(6);
    std::vector<uint8_t> bytes = saved("flags.axv");
    uint8_t* f9 = &bytes[bytes.size() - GRAVITY_FIELD_FROM_END];
    uint8_t* f10 = &bytes[bytes.size() - DISTANCE_FIELD_FROM_END];
    f9[0] = 7;
    f9[1] = 0;
    f9[2] = 9;
    f9[3] = 9; // gravity on, distance byte 1 ignored
    f10[0] = 0;
    f10[1] = 5;
    f10[2] = 5; // distance off
    writeBytes(path("flags.axv"), bytes);
    ASSERT_TRUE(loadPopulation(path("flags.axv")));
    EXPECT_TRUE(evolutionState.problem.useGravity);
    EXPECT_FALSE(evolutionState.problem.useAttackDistance);
}

TEST_F(PopulationFile, WrongVersionTextIsRefusedAndChangesNothing) {
    newPopulation(6);
    std::vector<uint8_t> good = saved("good.axv");
    runTimer(10);
    const StateSnapshot before = snapshotState();

    std::vector<uint8_t> other = good;
    other[10] = '2'; // "1.0.0.2"
    writeBytes(path("other.axv"), other);
    std::string why;
    EXPECT_FALSE(loadPopulation(path("other.axv"), &why));
    expectRefusalShown();
    EXPECT_NE(why.find("version"), std::string::npos) << why;
    expectStateUnchanged(before);

    std::vector<uint8_t> longer = good;
    longer[0] = 8; // "1.0.0.1" followed by one more character
    longer.insert(longer.begin() + 11, 'x');
    writeBytes(path("longer.axv"), longer);
    window.messages.clear();
    EXPECT_FALSE(loadPopulation(path("longer.axv")));
    expectRefusalShown();
    expectStateUnchanged(before);
}

TEST_F(PopulationFile, AMissingFileIsReportedAndChangesNothing) {
    newPopulation(6);
    const StateSnapshot before = snapshotState();
    std::string why;
    EXPECT_FALSE(loadPopulation(path("absent.axv"), &why));
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_NE(window.messages[0].text.find("No such file"), std::string::npos);
    EXPECT_EQ(window.messages[0].caption, "Arachnovix");
    EXPECT_EQ(window.messages[0].icon, MessageIcon::Plain);
    EXPECT_FALSE(why.empty());
    EXPECT_FALSE(loadPopulation(folder)); // a folder is not a file either
    // Nor is a FIFO; it is refused at once, not after waiting for a writer.
    ASSERT_EQ(::mkfifo(path("pipe.axv").c_str(), 0644), 0);
    EXPECT_FALSE(loadPopulation(path("pipe.axv"), &why));
    EXPECT_NE(why.find("not a regular file"), std::string::npos) << why;
    expectStateUnchanged(before);
}

TEST_F(PopulationFile, NothingToSaveBeforeTheFirstPopulation) {
    std::string why;
    EXPECT_FALSE(savePopulation(path("empty.axv"), &why));
    EXPECT_FALSE(why.empty());
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].icon, MessageIcon::Error);
    EXPECT_TRUE(readBytes(path("empty.axv")).empty());
}

std::vector<std::string> filesIn(const std::string& folder) {
    std::vector<std::string> names;
    if (DIR* d = ::opendir(folder.c_str())) {
        while (dirent* e = ::readdir(d)) {
            const std::string name = e->d_name;
            if (name != "." && name != "..")
                names.push_back(name);
        }
        ::closedir(d);
    }
    return names;
}

// Runs in a child process: saves over `target` where the folder cannot be
// written (dropping root's rights first where needed) and exits 0 when the
// save failed, said so in an error box and left the old file and nothing else.
[[noreturn]] void saveIntoUnwritableFolder(const std::string& folder, const std::string& target,
                                           const std::vector<uint8_t>& old,
                                           FakeWindowPort& window) {
    ::chmod(folder.c_str(), 0555);
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
        std::_Exit(10);
    std::string why;
    const bool ok = savePopulation(target, &why);
    bool shown = window.messages.size() == 1 && window.messages[0].icon == MessageIcon::Error &&
                 window.messages[0].caption == "Arachnovix" &&
                 window.messages[0].text.find("Permission denied") != std::string::npos;
    std::_Exit(ok                            ? 1
               : !shown                      ? 2
               : readBytes(target) != old    ? 3
               : filesIn(folder).size() != 1 ? 4
               : why.empty()                 ? 5
                                             : 0);
}

TEST_F(PopulationFile, SavingIntoAnUnwritableFolderFailsAndKeepsTheOldFile) {
    newPopulation(6);
    const std::vector<uint8_t> old = saved("kept.axv");
    runTimer(10);
    EXPECT_EXIT(saveIntoUnwritableFolder(folder, path("kept.axv"), old, window),
                ::testing::ExitedWithCode(0), "");
    ::chmod(folder.c_str(), 0755);
    EXPECT_EQ(readBytes(path("kept.axv")), old);
}

// Runs in a child process: the disk "fills up" after a few bytes (a file
// size limit), so the write fails half-way.
[[noreturn]] void saveOntoAFullDisk(const std::string& folder, const std::string& target,
                                    const std::vector<uint8_t>& old, FakeWindowPort& window) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{100, 100};
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
        std::_Exit(10);
    const bool ok = savePopulation(target);
    const bool shown = window.messages.size() == 1 && window.messages[0].icon == MessageIcon::Error;
    std::_Exit(ok                            ? 1
               : !shown                      ? 2
               : readBytes(target) != old    ? 3
               : filesIn(folder).size() != 1 ? 4
                                             : 0);
}

TEST_F(PopulationFile, AWriteThatFailsHalfWayKeepsTheOldFileAndNoTemporary) {
    newPopulation(6);
    const std::vector<uint8_t> old = saved("kept.axv");
    runTimer(10);
    runTimer(10);
    EXPECT_EXIT(saveOntoAFullDisk(folder, path("kept.axv"), old, window),
                ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(readBytes(path("kept.axv")), old);
}

TEST_F(PopulationFile, SavingThroughALinkReplacesItsTargetAndKeepsTheLink) {
    newPopulation(6);
    const std::string targets = makeTempFolder("link-targets");
    const std::string target = targets + "/run.axv";
    const std::vector<uint8_t> first = saved("first.axv");
    writeBytes(target, first);
    ASSERT_EQ(::symlink(target.c_str(), path("link.axv").c_str()), 0);
    ASSERT_EQ(::symlink("link.axv", path("relative.axv").c_str()), 0);
    runTimer(10);
    const std::vector<uint8_t> second = saved("second.axv");
    ASSERT_NE(first, second);

    ASSERT_EQ(writePopulation(evolutionState, path("relative.axv"), FileLayout::Plain), "");
    struct stat st;
    ASSERT_EQ(::lstat(path("link.axv").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    ASSERT_EQ(::lstat(path("relative.axv").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(readBytes(target), second);
    EXPECT_EQ(filesIn(targets).size(), 1u); // no temporary left beside the target
    EXPECT_EQ(filesIn(folder).size(), 4u);

    // A link to a file not there yet makes that file.
    ASSERT_EQ(::symlink("made.axv", path("dangling.axv").c_str()), 0);
    ASSERT_EQ(writePopulation(evolutionState, path("dangling.axv"), FileLayout::Plain), "");
    EXPECT_EQ(readBytes(path("made.axv")), second);
}

TEST_F(PopulationFile, ATargetThatIsNotARegularFileIsRefusedAndKept) {
    newPopulation(6);
    ASSERT_EQ(::mkfifo(path("pipe.axv").c_str(), 0644), 0);
    ASSERT_EQ(::symlink("pipe.axv", path("to-pipe.axv").c_str()), 0);
    for (const char* name : {"pipe.axv", "to-pipe.axv"}) {
        SCOPED_TRACE(name);
        window.messages.clear();
        std::string why;
        EXPECT_FALSE(savePopulation(path(name), &why));
        EXPECT_NE(why.find("not a regular file"), std::string::npos) << why;
        EXPECT_EQ(window.messages.size(), 1u);
    }
    struct stat st;
    ASSERT_EQ(::lstat(path("pipe.axv").c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    EXPECT_EQ(filesIn(folder).size(), 2u);
}

TEST_F(PopulationFile, ReplacingAFileKeepsItsPermissions) {
    newPopulation(6);
    saved("mode.axv");
    ::chmod(path("mode.axv").c_str(), 0640);
    runTimer(10);
    saved("mode.axv");
    struct stat st;
    ASSERT_EQ(::stat(path("mode.axv").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(filesIn(folder).size(), 1u);
}

} // namespace
