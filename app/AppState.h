#pragma once
// The application state that every callback of the program shares: which view
// is shown, the window geometry, the display switches, the grid of webs, the
// line widths and the texture names. The run flags (isRunning, renderOffline,
// freshGeneration) live with run control, the selected spider with the
// evolution state.

enum AppView : int {
    VIEW_SIMULATOR = 0,
    VIEW_RULE_BROWSER = 1,
    VIEW_FOSSILS = 2
};

extern int currentView;
extern bool showGenes;
extern bool leavePrey;
extern bool isFullScreen;

extern int windowX, windowY;
extern int windowWidth, windowHeight;
extern int desktopWidth, desktopHeight;

extern int uiFontSize;
extern double panelStripWidth;

extern int gridColumns, gridRows;
extern double gridOffsetX, gridOffsetY;

extern float radiusLineWidth, frameLineWidth, spiralLineWidth;

// Texture names; 0 = not loaded.
extern unsigned flyTexture, spiderTexture;

// Window geometry before entering full screen.
struct tSavedGeometry {
    int width = 0, height = 0, x = 0, y = 0;
};
extern tSavedGeometry savedWindowGeometry;

// Window and panel sizes at start-up.
constexpr int INITIAL_WINDOW_X = 20;
constexpr int INITIAL_WINDOW_Y = 50;
constexpr int INITIAL_WINDOW_WIDTH = 1678;
constexpr int INITIAL_WINDOW_HEIGHT = 955;

// A desktop at least this high gets the large panels and fonts.
constexpr int LARGE_DESKTOP_HEIGHT = 1000;
constexpr double LARGE_PANEL_STRIP = 380.0;
constexpr double SMALL_PANEL_STRIP = 260.0;
constexpr int LARGE_UI_FONT = 22;
constexpr int SMALL_UI_FONT = 16;

// Picks panelStripWidth and uiFontSize for a desktop of this height.
void chooseUiLayout(int desktopHeightPixels);

// Line widths of a web drawn in the Simulator (and of every new spider).
void resetWebLineWidths();
