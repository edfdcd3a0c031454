#pragma once
// Per-generation statistics of a run: the recorded fitness and the count of
// each origin label, and the table every front end writes them as.

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

// The columns of the table, in order: generation, best_fitness,
// mean_fitness, min_fitness, max_fitness, sd_fitness, then n_initial,
// n_selected, n_crossed, n_selected_mutated, n_crossed_mutated (the origin
// labels by code) and n_other.
extern const char* const STATS_COLUMNS[6 + ORIGIN_COLUMNS];
constexpr int NUM_STATS_COLUMNS = 6 + ORIGIN_COLUMNS;

// The CSV table: a header line, then one line per generation.
std::string statsCsv(const std::vector<GenerationStats>& rows);
