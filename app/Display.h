#pragma once
// The display sequence (the view shown, the menu bar, the buffer swap) and
// the placing and showing of panels.

class LGLUI;

// The information band's lowest row, outline included: panels scrolled up
// slide under the band, clipped below this row.
constexpr int BAND_LOWEST_ROW = 70;

// Draws the current view and the menu bar, and swaps the buffers.
void drawFrame();
// Centres a panel in the strip at the window's right edge, at y = 80.
void placeInPanelStrip(LGLUI& panel);
// Scrolls a panel of the strip by mouse-wheel notches (positive: the panel
// moves up, showing its lower rows) when it is taller than the window;
// returns whether it moved.
bool scrollPanelInStrip(LGLUI& panel, int notches);
// Shows a panel (visible and focused) or hides it.
void showPanel(LGLUI& panel);
void hidePanel(LGLUI& panel);
