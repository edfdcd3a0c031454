#include <gtest/gtest.h>

#include "app/AppState.h"
#include "app/GridGeometry.h"

namespace {

void expectShape(int n, int columns, int rows) {
    const GridShape shape = computeGridShape(n);
    EXPECT_EQ(shape.columns, columns) << "population " << n;
    EXPECT_EQ(shape.rows, rows) << "population " << n;
}

TEST(GridShapeTest, TableSizesTakeTheirFixedShape) {
    expectShape(6, 3, 2);
    expectShape(15, 5, 3);
    expectShape(24, 6, 4);
    expectShape(40, 8, 5);
    expectShape(60, 10, 6);
}

TEST(GridShapeTest, OtherSizesFollowTheSquareRootRule) {
    expectShape(16, 4, 4); // a square
    expectShape(10, 4, 3); // 3 rows, 4 columns cover 10
    expectShape(13, 4, 4); // 4 x 3 is too small, rows grow to 4
    expectShape(1, 1, 1);
    expectShape(2, 2, 1);
    expectShape(200, 15, 14);
}

TEST(GridShapeTest, EveryPopulationFitsItsGrid) {
    for (int n = 1; n <= 200; ++n) {
        const GridShape shape = computeGridShape(n);
        EXPECT_GE(shape.columns * shape.rows, n) << n;
    }
}

TEST(GridShapeTest, FossilGridsGrowWithTheNumberOfFossils) {
    const int counts[] = {1, 6, 7, 12, 13, 15, 16, 24, 25, 40, 41};
    const GridShape expected[] = {{3, 2}, {3, 2}, {4, 3}, {4, 3}, {5, 3}, {5, 3},
                                  {6, 4}, {6, 4}, {8, 5}, {8, 5}, {10, 6}};
    for (size_t i = 0; i < sizeof counts / sizeof counts[0]; ++i) {
        const GridShape shape = fossilGridShape(counts[i]);
        EXPECT_EQ(shape.columns, expected[i].columns) << counts[i];
        EXPECT_EQ(shape.rows, expected[i].rows) << counts[i];
    }
}

TEST(GridLayoutTest, DefaultWindowWithLargeStripCentresVertically) {
    // W = 1296, H = 884: not wider than 6 : 4, so the width decides.
    const GridGeometry g = computeGridGeometry(1678, 955, 380.0, GridShape{6, 4});
    EXPECT_EQ(g.cell, 216);
    EXPECT_DOUBLE_EQ(g.offsetX, 0.0);
    EXPECT_DOUBLE_EQ(g.offsetY, 10.0);
}

TEST(GridLayoutTest, WideAreaCentresHorizontally) {
    // W = 1678 - 260 - 1 - 1 = 1416, H = 884: wider than 6 : 4.
    const GridGeometry g = computeGridGeometry(1678, 955, 260.0, GridShape{6, 4});
    EXPECT_EQ(g.cell, 221);
    EXPECT_DOUBLE_EQ(g.offsetX, (1416 - 6 * 221) / 2.0);
    EXPECT_DOUBLE_EQ(g.offsetY, 0.0);
}

TEST(GridLayoutTest, CellPlacementCentresTheWeb) {
    const CellPlacement p = placeInCell(1, 2, 216);
    EXPECT_DOUBLE_EQ(p.viewScale, 1.08);
    EXPECT_DOUBLE_EQ(p.viewX, 2 * 216 + 1 + 108.0);
    EXPECT_DOUBLE_EQ(p.viewY, 216 + 70 + 108.0);
}

TEST(GridHitTest, CellBordersBelongToBothCellsAndTheLaterWins) {
    const GridShape shape{6, 4};
    const GridGeometry g = computeGridGeometry(1678, 955, 380.0, shape);
    // Cell (0, 0) spans x 1 ... 217 and y 80 ... 296.
    GridCell c = hitTestCells(g, shape, 1, 80);
    EXPECT_EQ(c.row, 0);
    EXPECT_EQ(c.column, 0);
    c = hitTestCells(g, shape, 217, 100); // shared border with (0, 1)
    EXPECT_EQ(c.row, 0);
    EXPECT_EQ(c.column, 1);
    c = hitTestCells(g, shape, 100, 296); // shared border with (1, 0)
    EXPECT_EQ(c.row, 1);
    EXPECT_EQ(c.column, 0);
    c = hitTestCells(g, shape, 1297, 944); // bottom-right corner of the grid
    EXPECT_EQ(c.row, 3);
    EXPECT_EQ(c.column, 5);
}

TEST(GridHitTest, PointsOutsideTheGridHitNothing) {
    const GridShape shape{6, 4};
    const GridGeometry g = computeGridGeometry(1678, 955, 380.0, shape);
    EXPECT_FALSE(hitTestCells(g, shape, 0, 100).valid());
    EXPECT_FALSE(hitTestCells(g, shape, 100, 79).valid());
    EXPECT_FALSE(hitTestCells(g, shape, 1298, 500).valid());
    EXPECT_FALSE(hitTestCells(g, shape, 500, 945).valid());
}

TEST(GridArrowTest, ArrowsStopAtTheEdges) {
    const GridShape shape{6, 4};
    GridCell c = moveInGrid(5, ARROW_RIGHT, shape); // last column
    EXPECT_EQ(c.row, 0);
    EXPECT_EQ(c.column, 5);
    c = moveInGrid(2, ARROW_UP, shape); // first row
    EXPECT_EQ(c.row, 0);
    EXPECT_EQ(c.column, 2);
    c = moveInGrid(6, ARROW_LEFT, shape); // first column
    EXPECT_EQ(c.row, 1);
    EXPECT_EQ(c.column, 0);
    c = moveInGrid(23, ARROW_DOWN, shape); // last row
    EXPECT_EQ(c.row, 3);
    EXPECT_EQ(c.column, 5);
}

TEST(GridArrowTest, ArrowsMoveOneCell) {
    const GridShape shape{6, 4};
    GridCell c = moveInGrid(7, ARROW_RIGHT, shape);
    EXPECT_EQ(c.row * 6 + c.column, 8);
    c = moveInGrid(7, ARROW_LEFT, shape);
    EXPECT_EQ(c.row * 6 + c.column, 6);
    c = moveInGrid(7, ARROW_DOWN, shape);
    EXPECT_EQ(c.row * 6 + c.column, 13);
    c = moveInGrid(7, ARROW_UP, shape);
    EXPECT_EQ(c.row * 6 + c.column, 1);
    c = moveInGrid(7, 1, shape); // F1: same cell
    EXPECT_EQ(c.row * 6 + c.column, 7);
}

TEST(UiLayoutTest, ThousandPixelDesktopGetsTheLargeLayout) {
    chooseUiLayout(1000);
    EXPECT_DOUBLE_EQ(panelStripWidth, 380.0);
    EXPECT_EQ(uiFontSize, 22);
    chooseUiLayout(999);
    EXPECT_DOUBLE_EQ(panelStripWidth, 260.0);
    EXPECT_EQ(uiFontSize, 16);
}

} // namespace
