// The corpus of small population files next to these tests: files named
// valid-* load; every other one is damaged and must be refused with the
// program's state left exactly as it was. A damaged continuation record
// (valid-damaged-continuation-*) never refuses its run, and opening such a
// file uses none of it.

#include <gtest/gtest.h>

#include <algorithm>
#include <dirent.h>

#include "evolution/EvolutionState.h"
#include "evolution/FossilView.h"
#include "evolution/LittleEndian.h"
#include "evolution/PopulationFile.h"
#include "evolution/RunControl.h"
#include "tests/evolution/EvolutionTestSupport.h"

namespace {

std::vector<std::string> corpusFiles() {
    std::vector<std::string> names;
    if (DIR* d = ::opendir(ARACHNOVIX_CORPUS_DIR)) {
        while (dirent* e = ::readdir(d)) {
            const std::string name = e->d_name;
            if (name.size() > 4 && name.compare(name.size() - 4, 4, ".axv") == 0)
                names.push_back(name);
        }
        ::closedir(d);
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool isValidName(const std::string& name) {
    return name.rfind("valid-", 0) == 0;
}

class Corpus : public EvolutionTest {
  protected:
    void SetUp() override {
        EvolutionTest::SetUp();
        usePanelDefaults();
        evolutionState.numPrey = 20;
        newPopulation(6);
        runTimer(10);
        window.forget();
    }
};

TEST_F(Corpus, HoldsValidAndDamagedFiles) {
    const std::vector<std::string> names = corpusFiles();
    const auto valid = std::count_if(names.begin(), names.end(), isValidName);
    EXPECT_GE(valid, 3);
    EXPECT_GE(static_cast<long>(names.size()) - valid, 40);
}

TEST_F(Corpus, EveryDamagedFileIsRefusedAndChangesNothing) {
    for (const std::string& name : corpusFiles()) {
        if (isValidName(name))
            continue;
        SCOPED_TRACE(name);
        window.forget();
        const StateSnapshot before = snapshotState();
        std::string why;
        EXPECT_FALSE(loadPopulation(std::string(ARACHNOVIX_CORPUS_DIR) + "/" + name, &why));
        EXPECT_FALSE(why.empty());
        ASSERT_EQ(window.messages.size(), 1u);
        EXPECT_EQ(window.messages[0].text, NOT_A_POPULATION_FILE_MESSAGE);
        EXPECT_EQ(window.messages[0].caption, "Arachnovix");
        EXPECT_EQ(window.messages[0].icon, MessageIcon::Plain);
        expectStateUnchanged(before);
    }
}

TEST_F(Corpus, EveryValidFileLoadsItsWholeRecord) {
    for (const std::string& name : corpusFiles()) {
        if (!isValidName(name))
            continue;
        SCOPED_TRACE(name);
        const std::vector<uint8_t> bytes =
            readBytes(std::string(ARACHNOVIX_CORPUS_DIR) + "/" + name);
        ASSERT_GE(bytes.size(), 75u);
        const int32_t n = little_endian::getInt32(&bytes[11]);
        const int32_t g = little_endian::getInt32(&bytes[15]);
        std::string why;
        ASSERT_TRUE(loadPopulation(std::string(ARACHNOVIX_CORPUS_DIR) + "/" + name, &why)) << why;
        EXPECT_TRUE(window.messages.empty());
        const EvolutionState& es = evolutionState;
        EXPECT_EQ(es.populationSize, n);
        EXPECT_EQ(es.generation, g - 1);
        ASSERT_EQ(es.fossilRecord.size(), fossilEntryIndex(static_cast<size_t>(g), n, 0));
        for (size_t k = 0; k < es.fossilRecord.size(); ++k)
            ASSERT_EQ(es.fossilRecord[k], little_endian::getInt32(&bytes[19 + 4 * k])) << k;
        for (int i = 0; i < n; ++i) {
            const int32_t* entry =
                &es.fossilRecord[fossilEntryIndex(static_cast<size_t>(g - 1), n, i)];
            EXPECT_EQ(es.spiders[i].origin, originLabel(entry[FOSSIL_ORIGIN]));
            EXPECT_EQ(es.spiders[i].parentB, entry[FOSSIL_PARENT_B]);
        }
        // Bytes after the settings that are no whole record of this run are damaged.
        const bool damaged =
            name.find("damaged") != std::string::npos || name.find("trailing") != std::string::npos;
        const bool exact = !damaged && name.find("continuation") != std::string::npos;
        EXPECT_EQ(es.fileContinuation, damaged ? FileContinuation::Damaged
                                       : exact ? FileContinuation::Exact
                                               : FileContinuation::Absent);
        EXPECT_EQ(es.pendingContinuation != nullptr, exact);
    }
}

} // namespace
