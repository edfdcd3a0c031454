// Opening a population file in the program's window: the loaded settings
// reach the control panel, so that the panel's next reading keeps them.
// Needs an X display (scripts/with-display.sh).

#include <gtest/gtest.h>

#include <GL/freeglut.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "app/AppState.h"
#include "app/Commands.h"
#include "app/ControlPanel.h"
#include "app/RuleBrowserView.h"
#include "app/Startup.h"
#include "core/LFile.h"
#include "evolution/EvolutionState.h"
#include "evolution/PopulationFile.h"
#include "evolution/RunControl.h"
#include "evolution/RunSettings.h"
#include "tests/evolution/FakeWindowPort.h"

#include "tests/app/ProgramWindow.h"

namespace {

// A file dialog that always chooses this name.
class ChosenName : public LFileDialogProvider {
  public:
    explicit ChosenName(const std::string& path) : path_(path) {}
    std::string openFile(const std::string&, const std::string&) override { return path_; }
    std::string saveFile(const std::string&, const std::string&) override { return path_; }

  private:
    std::string path_;
};

// The program's window with a recording port and this dialog answer.
class FileCommands : public ::testing::Test {
  protected:
    FakeWindowPort window;
    void SetUp() override {
        openProgramWindow();
        setWindowPort(&window);
        newPopulation(6);
    }
    void TearDown() override {
        LFile::setDialogProvider(nullptr);
        setWindowPort(nullptr);
        markRunSaved();
    }
};

TEST(OpenFile, LoadedSettingsAreWrittenBackIntoThePanel) {
    openProgramWindow();
    if (HasFatalFailure())
        return;
    RunSettings saved; // every setting away from the panel's start
    saved.numPrey = 40;
    saved.preySize = 7;
    saved.preyValue = 35;
    saved.useAttackDistance = saved.useGravity = true;
    saved.silkCostFactor = 3;
    saved.silkLimit = 250;
    saved.timePenaltyFactor = 5;
    saved.crossoverRate = 0.6;
    saved.mutationRate = 0.005;
    applyRunSettings(saved);
    newPopulation(15);
    const std::string path = ::testing::TempDir() + "arachnovix-open-file-test.axv";
    ASSERT_TRUE(savePopulation(path));

    applyRunSettings(RunSettings{});
    newPopulation(6);
    openPopulationPath(path);
    handleControlPanel(); // as every frame does
    const RunSettings now = currentRunSettings();
    EXPECT_EQ(evolutionState.populationSize, 15);
    EXPECT_EQ(now.numPrey, saved.numPrey);
    EXPECT_EQ(now.preySize, saved.preySize);
    EXPECT_EQ(now.preyValue, saved.preyValue);
    EXPECT_TRUE(now.useAttackDistance && now.useGravity);
    EXPECT_EQ(now.silkCostFactor, saved.silkCostFactor);
    EXPECT_EQ(now.silkLimit, saved.silkLimit);
    EXPECT_EQ(now.timePenaltyFactor, saved.timePenaltyFactor);
    EXPECT_EQ(now.crossoverRate, saved.crossoverRate);
    EXPECT_EQ(now.mutationRate, saved.mutationRate);
    std::remove(path.c_str());
}

TEST_F(FileCommands, OnlyASuccessfulSaveAsMarksTheRunSaved) {
    runOneStep();
    ChosenName unwritable(::testing::TempDir() + "no-such-folder/run.axv");
    LFile::setDialogProvider(&unwritable);
    savePopulationFileAs();
    EXPECT_TRUE(evolutionState.flags.unsavedWork.any());
    EXPECT_FALSE(mayDiscardRun(START_NEW_RUN)); // asked; the default answer keeps the run

    const std::string path = ::testing::TempDir() + "arachnovix-save-as-test.axv";
    ChosenName writable(path);
    LFile::setDialogProvider(&writable);
    savePopulationFileAs();
    EXPECT_FALSE(evolutionState.flags.unsavedWork.any());
    std::remove(path.c_str());
}

// Back only asks for the write-back at the next redraw; a command given
// before it must not lose the edits.
TEST_F(FileCommands, ACommandRightAfterBackKeepsTheRuleEdits) {
    markRunSaved();
    RuleBrowserModel& browser = ruleBrowser;
    browser.load(evolutionState.spiders[3], 3, evolutionState.generation);
    const int lo = browser.problem.geneMin[0], hi = browser.problem.geneMax[0];
    browser.rules[0] = browser.rules[0] == lo ? hi : lo;
    browser.applyRules();
    browser.writeBackPending = true;
    currentView = VIEW_SIMULATOR;
    fromSimulator<runOneStep>(); // F6 at once
    EXPECT_FALSE(browser.writeBackPending);
    EXPECT_TRUE(evolutionState.flags.unsavedWork.edited);
}

std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Saved under `name` with Save As.
void saveAs(const std::string& name) {
    ChosenName chosen(name);
    LFile::setDialogProvider(&chosen);
    savePopulationFileAs();
    LFile::setDialogProvider(nullptr);
}

// Save, then Open and Run in the program's window, go on as the session
// would have gone on: the same file after two more steps.
TEST_F(FileCommands, OpenThenRunGoesOnAsTheSessionWould) {
    runOneStep();
    runOneStep();
    const std::string dir = ::testing::TempDir() + "arachnovix-continue-";
    saveAs(dir + "session.axv");
    runOneStep();
    runOneStep();
    saveAs(dir + "went-on.axv");
    newPopulation(6);
    openPopulationPath(dir + "session.axv");
    handleControlPanel(); // as every frame does
    runOneStep();
    runOneStep();
    saveAs(dir + "opened.axv");
    const std::string went = fileBytes(dir + "went-on.axv");
    EXPECT_FALSE(went.empty());
    EXPECT_TRUE(fileBytes(dir + "opened.axv") == went);
    for (const char* name : {"session.axv", "went-on.axv", "opened.axv"})
        std::remove((dir + name).c_str());
}

} // namespace
