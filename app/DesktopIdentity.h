#pragma once
// Tells the window manager who the program's window is: its WM_CLASS, so that
// docks and task bars match it to the installed desktop entry, and its icon.
// freeglut sets neither.

// Call once, right after the window is created, with its GL context current.
void setDesktopIdentity();
