#pragma once
// The display, reshape and passive-motion callbacks.

class LGLUI;

// Draws the current view and the menu bar, and swaps the buffers.
void drawFrame();
void displayCallback();
void reshapeCallback(int width, int height);
void passiveMotionCallback(int x, int y);
// Centres a panel in the strip at the window's right edge, at y = 80.
void placeInPanelStrip(LGLUI& panel);
// Scrolls a panel of the strip by mouse-wheel notches (positive: the panel
// moves up, showing its lower rows) when it is taller than the window;
// returns whether it moved.
bool scrollPanelInStrip(LGLUI& panel, int notches);
