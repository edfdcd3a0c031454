#pragma once
// The window's size and place at start-up: 1678 x 955 at (20, 50) whenever
// that fits the desktop's work area, else the largest window of the same
// shape that does, so that the whole window (and the panels in it) starts
// on screen. No window is needed.

#include <vector>

struct ScreenRect {
    int x = 0, y = 0, width = 0, height = 0;
};

// Room left around a shrunk window for the window manager's frame: a title
// bar above, borders at the sides and below.
constexpr int FRAME_TITLE_ALLOWANCE = 40;
constexpr int FRAME_BORDER_ALLOWANCE = 10;

// The client area to open on a desktop whose work area (the desktop less
// docks and panels) is `workArea`.
ScreenRect fitStartWindow(const ScreenRect& workArea);

// The frame a window manager puts around the window: its borders' widths,
// the title bar counted in `top`.
struct FrameExtents {
    int left = 0, right = 0, top = 0, bottom = 0;
};
// The client area (in screen coordinates) whose frame fits the work area:
// `client` itself when it does, else moved in and, if still too large,
// shrunk to the largest client of the same shape that fits.
ScreenRect fitFramedWindow(const ScreenRect& client, const FrameExtents& frame,
                           const ScreenRect& workArea);

// A panel placed with its top at `top` that is taller than the window below
// it scrolls: `offset` pixels up at most until its bottom edge (with a small
// margin) reaches the window's bottom. Returns the offset limited to that.
constexpr int PANEL_BOTTOM_MARGIN = 6;
int limitPanelScroll(int offset, int top, int panelHeight, int windowHeight);

// Places panels of the given sizes side by side, each at its wished x or
// just right of the one before, never overlapping and within [left, right]:
// on one row when they fit (moved left as far as needed), else wrapped into
// as many rows as needed. Returns the top-left corner of each panel.
struct PanelSpot {
    int x = 0, y = 0;
};
std::vector<PanelSpot> placePanelsInRows(const std::vector<int>& wishX,
                                         const std::vector<int>& widths,
                                         const std::vector<int>& heights, int top, int left,
                                         int right, int gap);

// The row height that lets a panel of `rows` rows in font `fontSize` with a
// title strip `titleHeight` high fit `room` pixels: its own `natural` row
// height when that fits, else the largest that does, but never less than
// the font size and a little space (the panel then scrolls instead).
constexpr int PANEL_MIN_ROW_GAP = 4;
int fittingRowHeight(int natural, int fontSize, int titleHeight, int rows, int room);
