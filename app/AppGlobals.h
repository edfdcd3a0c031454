#pragma once
// The long-lived objects of the program's window: fonts, the menu bar, the
// Rule Browser, and the panels of the Fossils Browser and the Simulator.

#include "gl/LGLFont.h"
#include "gl/LGLMenu.h"
#include "gl/LGLUI.h"

struct RuleBrowser;

extern LGLFont smallFont;
extern LGLFont largeFont;
extern LGLMenu menuBar;
extern RuleBrowser ruleBrowser;
extern LGLUI fossilPanel;
extern LGLUI controlPanel;

// Shows a panel (visible and focused) or hides it.
void showPanel(LGLUI& panel);
void hidePanel(LGLUI& panel);
