#include <gtest/gtest.h>

#include "app/PanelSettings.h"

namespace {

TEST(PanelReadingTest, InitialPanelGivesTheDefaultRun)
{
    RunSettings s;
    settingsFromPanel(PanelValues{}, s);
    EXPECT_EQ(s.numPrey, 100);
    EXPECT_DOUBLE_EQ(s.preySize, 4.0);
    EXPECT_DOUBLE_EQ(s.preyValue, 20.0);
    EXPECT_FALSE(s.useAttackDistance);
    EXPECT_FALSE(s.useGravity);
    EXPECT_DOUBLE_EQ(s.silkCostFactor, 10.0);
    EXPECT_EQ(s.silkLimit, -1);
    EXPECT_DOUBLE_EQ(s.timePenaltyFactor, 0.0);
    EXPECT_DOUBLE_EQ(s.crossoverRate, 0.8);
    EXPECT_DOUBLE_EQ(s.mutationRate, 0.002);
}

TEST(PanelReadingTest, SilkLimitZeroMeansNoLimit)
{
    RunSettings s;
    PanelValues v;
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

TEST(PanelReadingTest, RatesAreScaled)
{
    RunSettings s;
    PanelValues v;
    v.crossover = 30;
    v.mutation = 15;
    settingsFromPanel(v, s);
    EXPECT_DOUBLE_EQ(s.crossoverRate, 0.3);
    EXPECT_DOUBLE_EQ(s.mutationRate, 0.015);
}

TEST(PanelReadingTest, AttackSimChoices)
{
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

TEST(PanelWriteBackTest, LoadedSettingsAreTruncated)
{
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

TEST(PanelWriteBackTest, HugeFiniteSettingsShowAsTheNearestWholeNumber)
{
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

TEST(PanelWriteBackTest, NoLimitAndAttackChoices)
{
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

TEST(PopulationChoiceTest, OnlyOfferedSizesHaveAnIndex)
{
    EXPECT_EQ(populationChoiceIndex(6), 0);
    EXPECT_EQ(populationChoiceIndex(24), 2);
    EXPECT_EQ(populationChoiceIndex(60), 4);
    EXPECT_EQ(populationChoiceIndex(10), -1);
    EXPECT_EQ(populationChoiceIndex(0), -1);
}

} // namespace
