#pragma once
// The figures of a sweep's report: per measure the mean per generation with
// its 95% band for each condition, and a box and strip plot of the chosen
// measure at the chosen generation. Conditions are told apart by colour (a
// palette safe for colour-blind readers), line style and marker alike.

#include <string>

#include "tools/cli/sweep/SweepReport.h"

std::string measureSvg(const SweepTable& t, size_t measure);
std::string stripSvg(const SweepTable& t, size_t measure, int generation);

// Writes MEASURE.svg for every measure and MEASURE-strip.svg for the chosen
// one into `folder`, each also as PNG (300 dpi) and PDF where the renderer
// is available; a note on standard error when it is not.
void writeFigures(const SweepTable& t, size_t measure, int generation, const std::string& folder);
