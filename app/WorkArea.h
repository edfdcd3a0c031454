#pragma once
// The desktop's work area as the window manager announces it
// (_NET_WORKAREA of the root window, first desktop); the whole screen when
// no window manager says otherwise.

#include "app/WindowFit.h"

ScreenRect desktopWorkArea(int screenWidth, int screenHeight);
