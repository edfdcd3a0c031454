#pragma once
// The fitness history chart of the Simulator: a strip along the bottom of
// the grid area, left of the panel strip, with the best, mean and lowest
// fitness of every recorded generation, the shown generation marked and the
// values of the generation under the pointer. A click or a drag on it shows
// that generation as Backward/Forward do; while it has the focus (after a
// click on it) Left and Right move the mark (ten generations with Shift or
// Ctrl).

// Shows or hides the chart (from a browser, for when the Simulator shows).
void toggleHistoryChart();
// Draws the chart when shown; redrawn only when the record, the mark or the
// strip changed (else its saved drawing is replayed).
void drawHistoryChart();

// A mouse button at (x, y) in the Simulator: a press on the chart takes the
// focus and goes to the generation under it; a press elsewhere gives the
// focus back. Returns whether the chart used the event.
bool historyChartClick(int x, int y, bool rightPress, bool leftPress);
// The pointer moved to (x, y) with a button held (a drag) or without one.
void historyChartDrag(int x, int y);
void historyChartHover(int x, int y);
// A special key in the Simulator; returns whether the chart used it.
bool historyChartKey(int key);
// Forgets every saved drawing of the chart, so that the next frame paints it
// whole (after the window's drawing was lost, and for the tests that compare
// the chart painted column by column with one painted whole).
void forgetHistoryChartDrawing();
