#pragma once
// Best and mean fitness over the generations as an SVG line chart.

#include <string>
#include <vector>

#include "evolution/RunStatistics.h"

std::string fitnessPlotSvg(const std::vector<GenerationStats>& rows, const std::string& title);
