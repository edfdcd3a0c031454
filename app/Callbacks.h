#pragma once
// Every GLUT callback of the program: display, reshape, passive motion,
// keys, mouse, and the program's own timers. Each hands its event to the
// view shown (app/Views.h) and to the menu bar.

#include <string>

// Registers the window's callbacks with GLUT (the window must exist).
void registerCallbacks();

// Opens the run file at `path` as File / Open does, once the main loop runs.
void openWhenRunning(const std::string& path);
