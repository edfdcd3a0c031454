#pragma once
// The Rule Browser view: one spider's web after each of the four
// construction stages, with a panel of rule spinners under each stage and
// the Back button that writes the edited rules back into the population.

#include <vector>

#include "app/RuleBrowserModel.h"
#include "gl/LGLFont.h"
#include "gl/LGLUI.h"

struct RuleBrowser : RuleBrowserModel {
    std::vector<int> stageWidgetIds[NUM_BROWSER_STAGES];
    std::vector<int> backWidgetIds;
    LGLUI mainPanel;
    LGLUI stagePanels[NUM_BROWSER_STAGES];
    LGLFont font;
    int cellSize = 0;
};

void buildRuleBrowser();
void loadRuleBrowser(const Spider& spider, int index);
void layoutRuleBrowser();
// Scrolls the stage panels by mouse-wheel notches when they reach below the
// window; returns whether they moved.
bool scrollRuleBrowserPanels(int notches);
void handleRuleBrowser();
void drawRuleBrowser();

// The five panels in the order they see keys and clicks: the four stage
// panels, then the main panel.
std::vector<LGLUI*> ruleBrowserPanels();
