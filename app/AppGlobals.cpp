#include "app/AppGlobals.h"

#include "app/RuleBrowserView.h"

// Constructed in this order before main runs, destroyed in reverse order.
LGLFont smallFont;
LGLFont largeFont;
LGLMenu menuBar;
RuleBrowser ruleBrowser;
LGLUI fossilPanel;
LGLUI controlPanel;

void showPanel(LGLUI& panel)
{
    panel.visible = true;
    panel.hasFocus = true;
}

void hidePanel(LGLUI& panel)
{
    panel.visible = false;
    panel.hasFocus = false;
}
