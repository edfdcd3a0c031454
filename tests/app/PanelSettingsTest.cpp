#include <gtest/gtest.h>

#include "app/PanelSettings.h"

namespace {

constexpr int ATTACK_OFF = static_cast<int>(AttackSim::Off);
constexpr int ATTACK_DIST = static_cast<int>(AttackSim::Dist);
constexpr int ATTACK_DIST_GRAV = static_cast<int>(AttackSim::DistGrav);

// The panel starts from the default run and reads it back unchanged.
TEST(PanelReadingTest, StartingPanelGivesTheDefaultRun) {
    const RunSettings defaults;
    RunSettings s;
    s.numPrey = 1;
    s.useGravity = true;
    s.crossoverRate = s.mutationRate = 0.5;
    settingsFromPanel(panelFromSettings(defaults), s);
    EXPECT_EQ(s.numPrey, defaults.numPrey);
    EXPECT_EQ(s.preySize, defaults.preySize);
    EXPECT_EQ(s.preyValue, defaults.preyValue);
    EXPECT_EQ(s.useAttackDistance, defaults.useAttackDistance);
    EXPECT_EQ(s.useGravity, defaults.useGravity);
    EXPECT_EQ(s.silkCostFactor, defaults.silkCostFactor);
    EXPECT_EQ(s.silkLimit, defaults.silkLimit);
    EXPECT_EQ(s.timePenaltyFactor, defaults.timePenaltyFactor);
    EXPECT_EQ(s.crossoverRate, defaults.crossoverRate);
    EXPECT_EQ(s.mutationRate, defaults.mutationRate);
}

TEST(PanelReadingTest, SilkLimitZeroMeansNoLimit) {
    RunSettings s;
    PanelValues v = panelFromSettings(s);
    v.silkLimit = 0;
    settingsFromPanel(v, s);
    EXPECT_EQ(s.silkLimit, -1);
    v.silkLimit = 20;
    settingsFromPanel(v, s);
    EXPECT_EQ(s.silkLimit, 200);
    v.silkLimit = 1000;
    settingsFromPanel(v, s);
    EXPECT_EQ(s.silkLimit, 10000);
}

TEST(PanelReadingTest, RatesAreScaled) {
    RunSettings s;
    PanelValues v;
    v.crossover = 30;
    v.mutation = 15;
    settingsFromPanel(v, s);
    EXPECT_DOUBLE_EQ(s.crossoverRate, 0.3);
    EXPECT_DOUBLE_EQ(s.mutationRate, 0.015);
}

TEST(PanelReadingTest, AttackSimChoices) {
    RunSettings s;
    PanelValues v;
    v.attackSim = ATTACK_DIST;
    settingsFromPanel(v, s);
    EXPECT_TRUE(s.useAttackDistance);
    EXPECT_FALSE(s.useGravity);
    v.attackSim = ATTACK_DIST_GRAV;
    settingsFromPanel(v, s);
    EXPECT_TRUE(s.useAttackDistance);
    EXPECT_TRUE(s.useGravity);
    v.attackSim = 7; // not an entry: switches stay
    settingsFromPanel(v, s);
    EXPECT_TRUE(s.useAttackDistance);
    EXPECT_TRUE(s.useGravity);
    v.attackSim = ATTACK_OFF;
    settingsFromPanel(v, s);
    EXPECT_FALSE(s.useAttackDistance);
    EXPECT_FALSE(s.useGravity);
}

TEST(PanelWriteBackTest, LoadedSettingsAreTruncated) {
    RunSettings s;
    s.numPrey = 70;
    s.preySize = 3.9;
    s.preyValue = 25.0;
    s.useAttackDistance = true;
    s.useGravity = false;
    s.silkCostFactor = 2.7;
    s.silkLimit = 205;
    s.timePenaltyFactor = 4.0;
    s.crossoverRate = 0.29; // 28.999... percent
    s.mutationRate = 0.002;
    const PanelValues v = panelFromSettings(s);
    EXPECT_EQ(v.numPrey, 70);
    EXPECT_EQ(v.preySize, 3);
    EXPECT_EQ(v.preyValue, 25);
    EXPECT_EQ(v.attackSim, ATTACK_DIST);
    EXPECT_EQ(v.silkCost, 2);
    EXPECT_EQ(v.silkLimit, 20);
    EXPECT_EQ(v.timePenalty, 4);
    EXPECT_EQ(v.crossover, 28);
    EXPECT_EQ(v.mutation, 2);
}

TEST(PanelWriteBackTest, HugeFiniteSettingsShowAsTheNearestWholeNumber) {
    RunSettings s;
    s.preySize = 1e300;
    s.preyValue = -1e300;
    s.silkCostFactor = 3e9;
    s.timePenaltyFactor = -3e9;
    s.crossoverRate = 2147483647 / 100.0; // what the largest stored percentage reads back as
    s.mutationRate = -2147483648 / 1000.0;
    const PanelValues v = panelFromSettings(s);
    EXPECT_EQ(v.preySize, 2147483647);
    EXPECT_EQ(v.preyValue, -2147483647 - 1);
    EXPECT_EQ(v.silkCost, 2147483647);
    EXPECT_EQ(v.timePenalty, -2147483647 - 1);
    EXPECT_GE(v.crossover, 2147483646);
    EXPECT_LE(v.mutation, -2147483647);
}

TEST(PanelWriteBackTest, NoLimitAndAttackChoices) {
    RunSettings s;
    s.silkLimit = -1;
    s.useAttackDistance = false;
    s.useGravity = true; // gravity alone is off
    PanelValues v = panelFromSettings(s);
    EXPECT_EQ(v.silkLimit, 0);
    EXPECT_EQ(v.attackSim, ATTACK_OFF);
    s.useAttackDistance = true;
    v = panelFromSettings(s);
    EXPECT_EQ(v.attackSim, ATTACK_DIST_GRAV);
}

TEST(PopulationChoiceTest, OnlyOfferedSizesHaveAnIndex) {
    EXPECT_EQ(populationChoiceIndex(6), 0);
    EXPECT_EQ(populationChoiceIndex(24), 2);
    EXPECT_EQ(populationChoiceIndex(60), 4);
    EXPECT_EQ(populationChoiceIndex(10), -1);
    EXPECT_EQ(populationChoiceIndex(0), -1);
    EXPECT_GE(populationChoiceIndex(DEFAULT_POPULATION), 0); // the panel offers the default
}

TEST(PopulationChoiceTest, ARunOfAnotherSizeIsOfferedInItsPlace) {
    using Sizes = std::vector<int>;
    EXPECT_EQ(populationChoicesFor(24), (Sizes{6, 15, 24, 40, 60}));
    EXPECT_EQ(populationChoicesFor(1), (Sizes{1, 6, 15, 24, 40, 60}));
    EXPECT_EQ(populationChoicesFor(20), (Sizes{6, 15, 20, 24, 40, 60}));
    EXPECT_EQ(populationChoicesFor(100), (Sizes{6, 15, 24, 40, 60, 100}));
}

} // namespace
