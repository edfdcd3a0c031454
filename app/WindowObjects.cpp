// The window's long-lived toolkit objects declared in AppState.h.

#include "app/AppState.h"
#include "app/RuleBrowserView.h"
#include "gl/LGLFont.h"
#include "gl/LGLMenu.h"
#include "gl/LGLUI.h"

// Constructed in this order before main runs, destroyed in reverse order.
LGLFont smallFont;
LGLFont largeFont;
LGLMenu menuBar;
RuleBrowser ruleBrowser;
LGLUI fossilPanel;
LGLUI controlPanel;
