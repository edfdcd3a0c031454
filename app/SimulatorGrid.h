#pragma once
// The grid of webs of the Simulator view on the current population: its
// layout, hit testing and the selection of a cell. Works on the application
// state and the evolution state; no window is needed.

#include "app/GridGeometry.h"

// The grid as the application state holds it now.
GridShape currentGridShape();
GridGeometry currentGridGeometry();

// Stores a grid of that shape in the application state (shape, offsets)
// and returns its geometry for the current window.
GridGeometry applyGridShape(GridShape shape);

// Computes the grid shape for the population size, the cell size and
// offsets, and places every spider of the population in its cell.
void layoutSimulator();

// The cell under window point (x, y); cells without a spider (a grid with
// more cells than spiders) never match. (-1, -1) when none does.
GridCell hitTestGrid(int x, int y);

// Selects the spider in cell (row, column) and puts the selection mark on it
// alone; a cell without a spider keeps the selection and its mark.
void selectGridCell(int row, int column);

// Moves the selection by an arrow key (other keys reselect the same cell).
void moveSelectionByKey(int key);

// Number of grid cells that hold a spider.
int occupiedCells();

// Half the size in pixels of the prey sprites drawn for the current prey
// size: any size a file may hold (a huge one saturates), kept where -h
// exists too.
int preySpriteHalfSize();
