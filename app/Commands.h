#pragma once

#include <string>
// The commands behind menu items, keys, mouse clicks and panel buttons:
// the view switches, full screen, the file commands and Exit.

void showSimulator();
// Stops evolution and shows the selected spider in the Rule Browser.
void showRuleBrowser();
// Stops evolution and shows the best spiders of sampled generations.
void showFossilsBrowser();

void toggleFullScreen();
void toggleShowGenes();
void toggleLeavePrey();

// Commands that breed or replace the population act on the Simulator's:
// with a browser shown they return to the Simulator first (Rule Browser
// edits are dropped, as with Escape).
void leaveBrowsers();

// The text of the question before a run is replaced by a new one.
constexpr const char* START_NEW_RUN = "start a new run";

// Each asks first when unsaved work would be lost.
void openPopulationFile();
// Opens a run file as File / Open does once its dialog has chosen `path`.
void openPopulationPath(const std::string& path);
void savePopulationFileAs();
void exitProgram();
// Whether the window may close (asks first when unsaved work would be lost).
bool mayCloseWindow();
// Ends the program (status 0) without asking.
void quitProgram();

// Menu actions that run a run-control command and redraw.
void runStopCommand();
void runOneStepAndRedraw();
void stepBackwardAndRedraw();
void stepForwardAndRedraw();
void evaluateAndRedraw();
void newPopulationOfCurrentSize();

// The "o" key: start or stop a run that redraws only every fifth generation.
void toggleOfflineRun();

// Draws the window at once (the display sequence).
void drawWindowNow();
