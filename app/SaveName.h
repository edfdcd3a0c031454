#pragma once
// The name a population is saved under.

#include <string>

constexpr const char* POPULATION_EXTENSION = ".axv";
constexpr const char* POPULATION_TYPE_NAME = "Arachnovix File";
constexpr const char* POPULATION_PATTERN = "*.axv";

// The chosen path, with ".axv" appended unless it already ends in it.
std::string populationFileName(const std::string& chosen);

// A file pattern that matches its letters in either case ("*.axv" gives
// "*.[aA][xX][vV]"), as the command line opens RUN.AXV too.
std::string caselessPattern(const std::string& pattern);

// The window title for the run saved at `runPath` ("" before its first
// save): "NAME.axv – Arachnovix 1.0.0.1", "Untitled" for a run never saved,
// with a leading "*" while there is unsaved work.
std::string runWindowTitle(const std::string& runPath, bool unsaved, const std::string& version);

// A refused run file in two lines: the loader's message, then the file's
// name and what is wrong with it (`why`, from the loader).
std::string refusalText(const std::string& message, const std::string& path,
                        const std::string& why);
