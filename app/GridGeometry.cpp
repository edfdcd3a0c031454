#include "app/GridGeometry.h"

#include <cmath>

#include "web/Web.h"

namespace {

struct ShapeEntry {
    int size, columns, rows;
};

// Population sizes with a hand-picked shape.
const ShapeEntry FIXED_SHAPES[] = {
    {6, 3, 2},  {12, 4, 3}, {15, 5, 3}, {20, 5, 4}, {24, 6, 4},
    {35, 7, 5}, {40, 8, 5}, {48, 8, 6}, {54, 9, 6}, {60, 10, 6},
};

// Fossil counts up to the first number take the shape that follows.
const ShapeEntry FOSSIL_SHAPES[] = {
    {6, 3, 2}, {12, 4, 3}, {15, 5, 3}, {24, 6, 4}, {40, 8, 5},
};
const GridShape LARGEST_FOSSIL_SHAPE = {10, 6};

} // namespace

GridShape computeGridShape(int n) {
    GridShape shape;
    shape.rows = static_cast<int>(std::floor(std::sqrt(static_cast<double>(n))));
    if (shape.rows * shape.rows == n) {
        shape.columns = shape.rows;
    } else {
        shape.columns = shape.rows + 1;
        if (shape.columns * shape.rows < n)
            shape.rows = shape.columns;
    }
    for (const ShapeEntry& entry : FIXED_SHAPES) {
        if (entry.size == n) {
            shape.columns = entry.columns;
            shape.rows = entry.rows;
        }
    }
    return shape;
}

GridShape fossilGridShape(int n) {
    for (const ShapeEntry& entry : FOSSIL_SHAPES) {
        if (n <= entry.size)
            return GridShape{entry.columns, entry.rows};
    }
    return LARGEST_FOSSIL_SHAPE;
}

GridGeometry computeGridGeometry(int windowWidth, int windowHeight, double panelStripWidth,
                                 GridShape shape) {
    GridGeometry geometry;
    if (shape.columns <= 0 || shape.rows <= 0)
        return geometry;
    const int W = static_cast<int>(windowWidth - panelStripWidth - 1) - 1;
    const int H = windowHeight - GRID_HEIGHT_MARGIN;
    const double areaAspect = static_cast<double>(W) / static_cast<double>(H);
    const double gridAspect = static_cast<double>(shape.columns) / static_cast<double>(shape.rows);
    if (areaAspect > gridAspect) {
        geometry.cell = H / shape.rows;
        geometry.offsetX = (W - shape.columns * geometry.cell) / 2.0;
        geometry.offsetY = 0.0;
    } else {
        geometry.cell = W / shape.columns;
        geometry.offsetX = 0.0;
        geometry.offsetY = (H - shape.rows * geometry.cell) / 2.0;
    }
    return geometry;
}

CellPlacement placeInCell(int row, int column, int cell) {
    CellPlacement placement;
    placement.viewScale = cell / 200.0;
    placement.viewX = column * cell + 1 + 100 * placement.viewScale;
    placement.viewY = row * cell + GRID_TOP + 100 * placement.viewScale;
    return placement;
}

void placeWebInCell(Web& web, int index, GridShape shape, int cell) {
    const CellPlacement placement = placeInCell(index / shape.columns, index % shape.columns, cell);
    web.viewScale = placement.viewScale;
    web.viewX = placement.viewX;
    web.viewY = placement.viewY;
    web.viewHalfWidth = WEB_VIEW_HALF_SIZE;
    web.viewHalfHeight = WEB_VIEW_HALF_SIZE;
}

GridCell hitTestCells(const GridGeometry& geometry, GridShape shape, int x, int y) {
    GridCell hit;
    const int c = geometry.cell;
    for (int row = 0; row < shape.rows; ++row) {
        for (int column = 0; column < shape.columns; ++column) {
            const int left = static_cast<int>(column * c + geometry.offsetX + 1);
            const int right = static_cast<int>(left + c);
            const int top = static_cast<int>(row * c + geometry.offsetY + GRID_TOP);
            const int bottom = static_cast<int>(top + c);
            if (left <= x && x <= right && top <= y && y <= bottom) {
                hit.row = row;
                hit.column = column;
            }
        }
    }
    return hit;
}

GridCell moveInGrid(int selected, int key, GridShape shape) {
    GridCell cell;
    if (shape.columns <= 0)
        return cell;
    cell.row = selected / shape.columns;
    cell.column = selected % shape.columns;
    switch (key) {
    case ARROW_RIGHT:
        if (cell.column < shape.columns - 1)
            ++cell.column;
        break;
    case ARROW_LEFT:
        if (cell.column > 0)
            --cell.column;
        break;
    case ARROW_DOWN:
        if (cell.row < shape.rows - 1)
            ++cell.row;
        break;
    case ARROW_UP:
        if (cell.row >= 1)
            --cell.row;
        break;
    default:
        break;
    }
    return cell;
}
