#pragma once
// The main window while a modal dialog is open: it repaints when uncovered,
// and the keys, clicks and pointer moves made in it meanwhile are dropped
// when the dialog closes, never acted on afterwards.

#include <functional>

// Whether a modal dialog is open (the window's panels do not act then).
bool dialogOpen();

// Runs a modal dialog: `run` shows it and returns the answer. Meanwhile
// dialogOpen() holds; afterwards the input made in the window is dropped.
int runWhileModal(const std::function<int()>& run);

// The X window watched (0: none) and how it is repainted.
void watchMainWindow(unsigned long xWindow, void (*repaint)());

// Repaints the window when it was uncovered, and drops its input so far.
void serviceMainWindow();
// Drops every key, click and pointer move that reached the window up to now.
void dropQueuedInput();
