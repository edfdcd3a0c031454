#pragma once
// The program's start-up: the window, the callbacks, the panels, the first
// population, the textures, and the GLUT main loop.

// Runs the program; returns only if the main loop ever does.
int runProgram(int argc, char** argv);

// Sets the window title: the run's file name, whether it has unsaved work,
// and the product version. Only a changed title is handed to the window.
void setWindowTitle();
// Loads "fly3.tga" and "araneus.tga" from the program's folder; a missing
// file leaves its texture 0.
void loadTextures();

// Whether an X display can be opened (the window and the dialogs need one).
bool displayAvailable();

// Everything of start-up between creating the window and the main loop.
void prepareWindow();
