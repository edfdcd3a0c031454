#pragma once
// Tells the window manager who the program's window is: its WM_CLASS, so that
// docks and task bars match it to the installed desktop entry, and its icon.
// freeglut sets neither.

#include <string>

// Call once, right after the window is created, with its GL context current.
void setDesktopIdentity();
// Gives the window its title in UTF-8 (_NET_WM_NAME), with its GL context current.
void setUtf8WindowTitle(const std::string& title);
