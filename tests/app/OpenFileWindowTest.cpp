// Opening a population file in the program's window: the loaded settings
// reach the control panel, so that the panel's next reading keeps them.
// Needs an X display (scripts/with-display.sh).

#include <gtest/gtest.h>

#include <GL/freeglut.h>

#include <cstdio>
#include <string>

#include "app/AppState.h"
#include "app/Commands.h"
#include "app/ControlPanel.h"
#include "app/Startup.h"
#include "evolution/EvolutionState.h"
#include "evolution/PopulationFile.h"
#include "evolution/RunControl.h"
#include "evolution/RunSettings.h"

#include "tests/app/ProgramWindow.h"

namespace {

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

} // namespace
