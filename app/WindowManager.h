#pragma once
// The window manager's part in the window's size and place: the frame it
// draws around the window and its full screen. On a desktop without a
// window manager none of this applies and the program places the window
// itself.

#include "app/WindowFit.h"

// The desktop's work area as the window manager announces it
// (_NET_WORKAREA of the root window, first desktop); the whole screen when
// no window manager says otherwise. Needs no window.
ScreenRect desktopWorkArea(int screenWidth, int screenHeight);

// Whether a window manager runs that puts windows into full screen
// (_NET_WM_STATE_FULLSCREEN).
bool windowManagerFullScreen();
// Asks the window manager to put the program's window into full screen, or
// to take it out again.
void requestFullScreen(bool on);
// The frame around the program's window (_NET_FRAME_EXTENTS); false while
// the window manager has announced none.
bool readFrameExtents(FrameExtents& frame);
// The client area of the program's window in screen coordinates.
ScreenRect windowOnScreen();
// Once the window manager has framed the window (polled for a few seconds
// after start-up), moves it, or shrinks it, so that the window and its
// frame fit the desktop's work area.
void fitFrameToWorkArea();
