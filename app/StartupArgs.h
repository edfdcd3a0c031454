#pragma once
// The program's one command-line addition: a run file to open after start-up,
// so that desktops can open ".axv" files with the program. Every argument is
// still handed to GLUT first; what GLUT leaves is looked at here.

#include <string>

// The run file named by the arguments GLUT left (argv[0] excluded): exactly
// one argument ending in ".axv" (any letter case). Anything else gives "".
std::string startupRunFile(int argc, const char* const* argv);

// The folders, in search order, where the program looks for its textures:
// next to the executable, then the installed data folder relative to it.
std::string textureFolderBesideProgram(const std::string& exeFolder);
std::string textureFolderInData(const std::string& exeFolder);
