#pragma once
// What each view (Simulator, Rule Browser, Fossils Browser) does with a
// frame, a key, a click and a run tick, as one table: the callbacks and the
// window port ask the view shown instead of testing which one it is.

#include <string>

// The information band's text: a first line and, in the Simulator, a second.
struct BandLines {
    std::string first;
    std::string second;
};

struct ViewFunctions {
    // Draws the view's part of a frame; the menu bar is drawn over it.
    void (*draw)();
    // A key the menu bar has seen and not taken as a Ctrl shortcut.
    void (*key)(unsigned char key);
    // A special key, seen before the menu bar; returns the key left for it.
    int (*specialKey)(int key);
    // A mouse button pressed or released at (x, y); the flags tell a press.
    void (*click)(int x, int y, bool rightPress, bool leftPress);
    // The mouse wheel turned by `notches` (negative: up) at window column x;
    // returns whether a panel scrolled.
    bool (*wheel)(int x, int notches);
    // Lays the view out again after the window changed size.
    void (*resized)();
    // Lays out the grid run control asks for when it bred or evaluated.
    void (*runTick)();
    // The information band's lines.
    BandLines (*band)();
};

// The functions of the view shown now (currentView).
const ViewFunctions& shownView();
