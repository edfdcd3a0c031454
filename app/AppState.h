#pragma once
// The program's changeable state, all of it in one place: the view shown,
// the window, the display switches, the grid of webs, line widths, textures
// and colours, the window's long-lived objects (fonts, menu bar, panels,
// Rule Browser), the control panel's widgets and the Fossils Browser's list.
//
// Kept elsewhere, because the model owns it: the program's current run
// (evolutionState, evolution/EvolutionState.h) holds the population, its
// settings, the record, the selected spider, the run flags (flags:
// isRunning, renderOffline, freshGeneration, unsavedWork) and the prey
// angles.
// Private to the file that uses them: the button latches of the three
// panels, the spinner hold-frame flag (Callbacks.cpp), the GTK status and
// dialog parent (GtkDialogs.cpp), the guarded X window (XWindowClose.cpp).
//
// Defined in AppState.cpp, except the toolkit objects (WindowObjects.cpp,
// they need GL) and the palette (WebPalette.cpp, beside its colours).

#include <string>
#include <vector>

#include "web/Spider.h"

class LGLFont;
class LGLMenu;
class LGLUI;
struct RuleBrowser;
struct tWebPalette;

enum AppView : int { VIEW_SIMULATOR = 0, VIEW_RULE_BROWSER = 1, VIEW_FOSSILS = 2, NUM_VIEWS = 3 };

// Window geometry before entering full screen (x, y: where the window was
// asked to go; under a window manager, its frame's top-left corner).
struct tSavedGeometry {
    int width = 0, height = 0, x = 0, y = 0;
};

// --- Views and display switches ---
extern int currentView;       // the view shown (an AppView)
extern bool showGenes;        // the Simulator draws a gene chart in each cell
extern bool leavePrey;        // caught prey stay drawn in the webs
extern bool isFullScreen;     // the window covers the desktop
extern bool showHistoryChart; // the Simulator shows the fitness history chart

// --- Window ---
extern int windowX, windowY;               // window position (saved on full screen)
extern int windowWidth, windowHeight;      // client size in pixels
extern int desktopWidth, desktopHeight;    // screen size in pixels
extern tSavedGeometry savedWindowGeometry; // geometry to return to from full screen
extern int uiFontSize;                     // font size of the panels
extern double panelStripWidth;             // width of the panel strip at the right edge

// --- Grid of webs (Simulator or Fossils Browser) ---
extern int gridColumns, gridRows;       // grid shape
extern double gridOffsetX, gridOffsetY; // top-left corner of the grid

// --- Drawing ---
extern float radiusLineWidth, frameLineWidth, spiralLineWidth; // web line widths
extern unsigned flyTexture, spiderTexture;                     // texture names; 0 = not loaded
extern tWebPalette webPalette;                                 // the colours webs are drawn in now

// --- Window objects ---
extern LGLFont smallFont;       // captions and panel text
extern LGLFont largeFont;       // the information band
extern LGLMenu menuBar;         // the menu bar and its shortcuts
extern RuleBrowser ruleBrowser; // the Rule Browser: model, panels, font
extern LGLUI controlPanel;      // the Simulator's control panel
extern LGLUI fossilPanel;       // the Fossils Browser's panel (Back)

// --- Control panel ---
extern std::vector<int> controlPanelIds; // widget ids, in ControlWidget order
extern int lastPopulationChoice;         // population-size list index last acted on

// --- The run's file ---
extern std::string runFilePath; // where the run was opened from or saved to; "" = never saved

// --- Fossils Browser ---
extern int fossilStep;                     // generations between sampled fossils
extern std::vector<Spider> fossilSpiders;  // best spider of each sampled generation
extern std::vector<int> fossilGenerations; // the generation of each fossil
extern int fossilBackId;                   // id of the panel's Back button

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
