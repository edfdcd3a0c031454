#include "app/AppState.h"

int currentView = VIEW_SIMULATOR;
bool showGenes = true;
bool leavePrey = false;
bool isFullScreen = false;
bool showHistoryChart = false;

int windowX = INITIAL_WINDOW_X, windowY = INITIAL_WINDOW_Y;
int windowWidth = INITIAL_WINDOW_WIDTH, windowHeight = INITIAL_WINDOW_HEIGHT;
int desktopWidth = 0, desktopHeight = 0;

int uiFontSize = SMALL_UI_FONT;
double panelStripWidth = SMALL_PANEL_STRIP;

int gridColumns = 0, gridRows = 0;
double gridOffsetX = 0.0, gridOffsetY = 0.0;

float radiusLineWidth = 1.0f, frameLineWidth = 1.0f, spiralLineWidth = 2.0f;

unsigned flyTexture = 0, spiderTexture = 0;

tSavedGeometry savedWindowGeometry;

std::vector<int> controlPanelIds;
int lastPopulationChoice = 0;
std::string runFilePath;

int fossilStep = 1;
std::vector<Spider> fossilSpiders;
std::vector<int> fossilGenerations;
int fossilBackId = -1;

void chooseUiLayout(int desktopHeightPixels) {
    if (desktopHeightPixels >= LARGE_DESKTOP_HEIGHT) {
        panelStripWidth = LARGE_PANEL_STRIP;
        uiFontSize = LARGE_UI_FONT;
    } else {
        panelStripWidth = SMALL_PANEL_STRIP;
        uiFontSize = SMALL_UI_FONT;
    }
}

void resetWebLineWidths() {
    spiralLineWidth = 2.0f;
    frameLineWidth = 1.0f;
    radiusLineWidth = 1.0f;
}
