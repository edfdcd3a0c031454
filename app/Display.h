#pragma once
// The display sequence (the view shown, the menu bar, the buffer swap) and
// the placing and showing of panels.

class LGLUI;

// Draws the current view and the menu bar, and swaps the buffers.
void drawFrame();
// Centres a panel in the strip at the window's right edge, at y = 80.
void placeInPanelStrip(LGLUI& panel);
// Shows a panel (visible and focused) or hides it.
void showPanel(LGLUI& panel);
void hidePanel(LGLUI& panel);
