#pragma once
// Pure geometry of the grid of webs shared by the Simulator view and the
// Fossils Browser: its shape, its cell size and centring offsets, hit tests
// and the movement of the selection by arrow keys. No window is needed.

struct Web;

struct GridShape {
    int columns = 0;
    int rows = 0;
};

// Shape of the Simulator grid for a population of n spiders.
GridShape computeGridShape(int n);
// Shape of the Fossils Browser grid for n fossils.
GridShape fossilGridShape(int n);

struct GridGeometry {
    int cell = 0;         // cell size in pixels
    double offsetX = 0.0; // centring offsets
    double offsetY = 0.0;
};

// Top of the grid area (below the menu bar and the information band).
constexpr int GRID_TOP = 70;
// Window height not available to the grid.
constexpr int GRID_HEIGHT_MARGIN = 71;
// Half-size in web units of the frame drawn about every web.
constexpr double WEB_VIEW_HALF_SIZE = 99.0;
// Pixels a frame's widest line (the selection mark) reaches past the frame.
constexpr int FRAME_LINE_ROOM = 3;

// Cell size and offsets of a grid of that shape in a client area of
// windowWidth x windowHeight with the panel strip at the right.
GridGeometry computeGridGeometry(int windowWidth, int windowHeight, double panelStripWidth,
                                 GridShape shape);

// Screen placement of a web drawn in grid cell (row, column) of size cell.
struct CellPlacement {
    double viewX = 0.0, viewY = 0.0, viewScale = 0.0;
};
CellPlacement placeInCell(int row, int column, int cell);
// Places a web in the cell of grid index `index` (row by row).
void placeWebInCell(Web& web, int index, GridShape shape, int cell);

struct GridCell {
    int row = -1;
    int column = -1;
    bool valid() const { return row >= 0 && column >= 0; }
};

// The cell whose borders (included) contain (x, y); the last matching cell
// in row order wins; (-1, -1) when none does.
GridCell hitTestCells(const GridGeometry& geometry, GridShape shape, int x, int y);

// Special-key codes of the arrow keys (GLUT's values).
enum ArrowKey : int { ARROW_LEFT = 100, ARROW_UP = 101, ARROW_RIGHT = 102, ARROW_DOWN = 103 };

// The cell an arrow key moves the selection to from spider `selected`; any
// other key gives the same cell. The move stays inside the grid's edges.
GridCell moveInGrid(int selected, int key, GridShape shape);
