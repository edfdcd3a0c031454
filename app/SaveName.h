#pragma once
// The name a population is saved under.

#include <string>

constexpr const char* POPULATION_EXTENSION = ".axv";
constexpr const char* POPULATION_TYPE_NAME = "Arachnovix File";
constexpr const char* POPULATION_PATTERN = "*.axv";

// The chosen path, with ".axv" appended unless it already ends in it.
std::string populationFileName(const std::string& chosen);
