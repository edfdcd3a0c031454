#include <gtest/gtest.h>

#include <cstdint>

#include "app/AppState.h"
#include "app/SimulatorGrid.h"
#include "evolution/EvolutionState.h"

namespace {

class SimulatorGridTest : public ::testing::Test {
  protected:
    void SetUp() override {
        windowWidth = 1678;
        windowHeight = 955;
        panelStripWidth = 380.0;
        evolutionState.populationSize = 24;
        evolutionState.selectedSpider = 0;
        for (Spider& s : evolutionState.spiders)
            s.web.isHighlighted = false;
    }
};

TEST_F(SimulatorGridTest, LayoutPlacesEverySpider) {
    layoutSimulator();
    EXPECT_EQ(gridColumns, 6);
    EXPECT_EQ(gridRows, 4);
    EXPECT_DOUBLE_EQ(gridOffsetX, 0.0);
    EXPECT_DOUBLE_EQ(gridOffsetY, 10.0);
    const Web& last = evolutionState.spiders[23].web;
    EXPECT_DOUBLE_EQ(last.viewScale, 216 / 200.0);
    EXPECT_DOUBLE_EQ(last.viewX, 5 * 216 + 1 + 108.0);
    EXPECT_DOUBLE_EQ(last.viewY, 3 * 216 + 70 + 108.0);
    EXPECT_DOUBLE_EQ(last.viewHalfWidth, 99.0);
}

TEST_F(SimulatorGridTest, ClickSelectsAndMarksOneSpider) {
    layoutSimulator();
    const GridCell c = hitTestGrid(300, 400); // column 1, row 1
    ASSERT_TRUE(c.valid());
    selectGridCell(c.row, c.column);
    EXPECT_EQ(evolutionState.selectedSpider, 7);
    for (int i = 0; i < 24; ++i)
        EXPECT_EQ(evolutionState.spiders[i].web.isHighlighted, i == 7) << i;
}

TEST_F(SimulatorGridTest, ClickOutsideKeepsTheSelectionAndItsMark) {
    layoutSimulator();
    selectGridCell(1, 1);
    const GridCell c = hitTestGrid(1500, 400); // in the panel strip
    EXPECT_FALSE(c.valid());
    selectGridCell(c.row, c.column);
    EXPECT_EQ(evolutionState.selectedSpider, 7);
    for (int i = 0; i < 24; ++i)
        EXPECT_EQ(evolutionState.spiders[i].web.isHighlighted, i == 7) << i;
}

TEST_F(SimulatorGridTest, ArrowKeysMoveTheSelection) {
    layoutSimulator();
    evolutionState.selectedSpider = 7;
    moveSelectionByKey(ARROW_RIGHT);
    EXPECT_EQ(evolutionState.selectedSpider, 8);
    EXPECT_TRUE(evolutionState.spiders[8].web.isHighlighted);
    moveSelectionByKey(ARROW_DOWN);
    EXPECT_EQ(evolutionState.selectedSpider, 14);
    evolutionState.selectedSpider = 0;
    moveSelectionByKey(ARROW_UP);
    EXPECT_EQ(evolutionState.selectedSpider, 0);
    moveSelectionByKey(ARROW_LEFT);
    EXPECT_EQ(evolutionState.selectedSpider, 0);
}

TEST_F(SimulatorGridTest, SurplusCellsOfALoadedSizeAreNeverSelected) {
    evolutionState.populationSize = 10; // 4 x 3 = 12 cells
    layoutSimulator();
    ASSERT_EQ(gridColumns, 4);
    ASSERT_EQ(gridRows, 3);
    EXPECT_EQ(occupiedCells(), 10);
    const GridGeometry g = currentGridGeometry();
    const int x = static_cast<int>(3 * g.cell + g.offsetX + 10); // column 3
    const int y = static_cast<int>(2 * g.cell + g.offsetY + 80); // row 2: cell 11
    EXPECT_FALSE(hitTestGrid(x, y).valid());
    evolutionState.selectedSpider = 9;
    selectGridCell(2, 3);
    EXPECT_EQ(evolutionState.selectedSpider, 9);
    moveSelectionByKey(ARROW_RIGHT); // cell 10 holds no spider
    EXPECT_EQ(evolutionState.selectedSpider, 9);
    EXPECT_TRUE(evolutionState.spiders[9].web.isHighlighted);
    evolutionState.selectedSpider = 7;
    moveSelectionByKey(ARROW_DOWN); // cell 11 holds no spider
    EXPECT_EQ(evolutionState.selectedSpider, 7);
}

TEST_F(SimulatorGridTest, FullStoreFitsItsGrid) {
    evolutionState.populationSize = MAX_POPULATION;
    layoutSimulator();
    EXPECT_EQ(occupiedCells(), MAX_POPULATION);
    EXPECT_GT(evolutionState.spiders[MAX_POPULATION - 1].web.viewScale, 0.0);
    selectGridCell(gridRows - 1, gridColumns - 1); // cell 209 is surplus
    EXPECT_EQ(evolutionState.selectedSpider, 0);
}

TEST_F(SimulatorGridTest, PreySpritesOfAnyLoadedSizeHaveAnIntegerSize) {
    const double saved = evolutionState.preySize;
    evolutionState.preySize = 5.0;
    EXPECT_EQ(preySpriteHalfSize(), 11);
    evolutionState.preySize = 1e10; // a file may hold it
    EXPECT_EQ(preySpriteHalfSize(), INT32_MAX);
    evolutionState.preySize = -1e10;
    EXPECT_EQ(preySpriteHalfSize(), -INT32_MAX);
    evolutionState.preySize = saved;
}

} // namespace
