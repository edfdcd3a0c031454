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
// Saves the run to its file; a run never saved asks for a name first.
void savePopulationFile();
// Asks for a name and saves the run under it.
void savePopulationFileAs();
void exitProgram();
// Whether the window may close (asks first when unsaved work would be lost).
bool mayCloseWindow();
// Ends the program (status 0) without asking.
void quitProgram();

// A run-control command as a menu action: from a browser, the Simulator
// is shown first (see leaveBrowsers); run control asks for the redraw.
template <void (*command)()> void fromSimulator() {
    leaveBrowsers();
    command();
}

// File / New: a new population of the current size, asked first.
void newPopulationOfCurrentSize();
// A new run of `size` spiders (0: the current size), not yet saved anywhere.
void startNewRun(int size);
