#pragma once
// The program's window for the window tests: the toolkit tests' hidden,
// off-screen window (tests/gl/GlWindow.cpp) prepared once as the program
// prepares its own, whichever test comes first.

void openProgramWindow();
