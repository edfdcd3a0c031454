#pragma once
// The run settings in force as text.

#include <string>

#include "evolution/RunOptions.h"

// Every setting of the program's current run, one "name: value" line each.
std::string describeSettings();
