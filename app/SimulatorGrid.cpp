#include "app/SimulatorGrid.h"

#include <algorithm>
#include <cstdint>

#include "app/AppState.h"
#include "app/FitnessHistory.h"
#include "evolution/EvolutionState.h"

namespace {

constexpr double PREY_SPRITE_SCALE = 2.2;

// The window height the grid lays itself out in: the Simulator keeps the
// history chart's strip below the grid free.
int gridWindowHeight() {
    const bool chart = showHistoryChart && currentView == VIEW_SIMULATOR;
    return windowHeight - (chart ? historyStripHeight(windowHeight) : 0);
}

} // namespace

GridShape currentGridShape() {
    return GridShape{gridColumns, gridRows};
}

GridGeometry currentGridGeometry() {
    GridGeometry geometry =
        computeGridGeometry(windowWidth, gridWindowHeight(), panelStripWidth, currentGridShape());
    geometry.offsetX = gridOffsetX;
    geometry.offsetY = gridOffsetY;
    return geometry;
}

int occupiedCells() {
    const int cells = gridColumns * gridRows;
    return std::max(0, std::min({cells, evolutionState.populationSize, MAX_POPULATION}));
}

GridGeometry applyGridShape(GridShape shape) {
    gridColumns = shape.columns;
    gridRows = shape.rows;
    const GridGeometry geometry =
        computeGridGeometry(windowWidth, gridWindowHeight(), panelStripWidth, shape);
    gridOffsetX = geometry.offsetX;
    gridOffsetY = geometry.offsetY;
    return geometry;
}

void layoutSimulator() {
    const GridShape shape = computeGridShape(evolutionState.populationSize);
    const GridGeometry geometry = applyGridShape(shape);
    const int used = occupiedCells();
    for (int i = 0; i < used; ++i)
        placeWebInCell(evolutionState.spiders[i].web, i, shape, geometry.cell);
}

GridCell hitTestGrid(int x, int y) {
    const GridCell hit = hitTestCells(currentGridGeometry(), currentGridShape(), x, y);
    if (!hit.valid() || hit.row * gridColumns + hit.column >= occupiedCells())
        return GridCell{};
    return hit;
}

void selectGridCell(int row, int column) {
    const int used = occupiedCells();
    const bool matched =
        row >= 0 && column >= 0 && column < gridColumns && row * gridColumns + column < used;
    // A miss keeps the selection, and so its mark: the mark always shows the
    // spider that the band describes and the commands act on.
    evolutionState.selectSpider(matched ? row * gridColumns + column
                                        : evolutionState.selectedSpider);
}

void moveSelectionByKey(int key) {
    const GridCell cell = moveInGrid(evolutionState.selectedSpider, key, currentGridShape());
    if (cell.valid() && cell.row * gridColumns + cell.column < occupiedCells())
        selectGridCell(cell.row, cell.column);
    else
        selectGridCell(evolutionState.selectedSpider / std::max(1, gridColumns),
                       evolutionState.selectedSpider % std::max(1, gridColumns));
}

int preySpriteHalfSize() {
    return std::max(truncToInt32(evolutionState.preySize * PREY_SPRITE_SCALE), -INT32_MAX);
}
