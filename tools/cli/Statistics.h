#pragma once
// Per-generation statistics of the recorded fitness and of the origin labels.

#include <array>
#include <string>
#include <vector>

#include "evolution/FossilView.h"

// Columns for the five origin labels (codes 0 ... 4) and one for any other code.
constexpr int ORIGIN_COLUMNS = 6;

struct GenerationStats {
    int generation = 0;
    int best = 0; // highest recorded fitness (fitness is maximised)
    double mean = 0.0;
    int min = 0;
    int max = 0;
    double stddev = 0.0; // population standard deviation (divides by N)
    std::array<int, ORIGIN_COLUMNS> originCounts{};
};

GenerationStats generationStats(const FossilView& fossils, int g);
std::vector<GenerationStats> allGenerationStats(const FossilView& fossils);

// The CSV table: a header line, then one line per generation.
std::string statsCsv(const std::vector<GenerationStats>& rows);
