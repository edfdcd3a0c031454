#pragma once
// The program's hooks into its X connection (see XConnection.cpp).

// Asks allowed() whenever the window manager asks to close X window
// `window`; the request is dropped when it returns false.
void guardWindowClose(unsigned long window, bool (*allowed)());
