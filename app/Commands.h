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

void openPopulationFile();
// Opens a run file as File / Open does once its dialog has chosen `path`.
void openPopulationPath(const std::string& path);
void savePopulationFileAs();
void exitProgram();

// Menu actions that run a run-control command and redraw.
void runOneStepAndRedraw();
void stepBackwardAndRedraw();
void stepForwardAndRedraw();
void evaluateAndRedraw();
void newPopulationOfCurrentSize();

// The "o" key: start or stop a run that redraws only every fifth generation.
void toggleOfflineRun();

// Draws the window at once (the display sequence).
void drawWindowNow();
