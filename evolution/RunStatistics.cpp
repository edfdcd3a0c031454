#include "evolution/RunStatistics.h"

#include <cmath>
#include <cstdio>

#include "evolution/EvolutionState.h"

const char* const STATS_COLUMNS[NUM_STATS_COLUMNS] = {
    "generation",  "best_fitness",       "mean_fitness",      "min_fitness",
    "max_fitness", "sd_fitness",         "n_initial",         "n_selected",
    "n_crossed",   "n_selected_mutated", "n_crossed_mutated", "n_other"};

namespace {

// Column of an origin code: the code itself for 0 ... 4, the last column otherwise.
int originColumn(int32_t code) {
    return code >= 0 && code < NUM_ORIGIN_CODES ? code : ORIGIN_COLUMNS - 1;
}

} // namespace

GenerationStats generationStats(const FossilView& fossils, int g) {
    GenerationStats s;
    s.generation = g;
    const int n = fossils.populationSize();
    double sum = 0.0;
    for (int i = 0; i < n; ++i) {
        const int32_t f = fossils.fitness(g, i);
        if (i == 0 || f < s.min)
            s.min = f;
        if (i == 0 || f > s.max)
            s.max = f;
        sum += f;
        ++s.originCounts[originColumn(fossils.originCode(g, i))];
    }
    s.best = s.max;
    s.mean = sum / n;
    double squares = 0.0;
    for (int i = 0; i < n; ++i) {
        const double d = fossils.fitness(g, i) - s.mean;
        squares += d * d;
    }
    s.stddev = std::sqrt(squares / n);
    return s;
}

std::vector<GenerationStats> allGenerationStats(const FossilView& fossils) {
    std::vector<GenerationStats> rows;
    rows.reserve(fossils.generations());
    for (int g = 0; g < fossils.generations(); ++g)
        rows.push_back(generationStats(fossils, g));
    return rows;
}

std::string statsCsv(const std::vector<GenerationStats>& rows) {
    std::string out;
    for (const char* column : STATS_COLUMNS)
        out += std::string(out.empty() ? "" : ",") + column;
    out += "\n";
    char line[256];
    for (const GenerationStats& s : rows) {
        std::snprintf(line, sizeof line, "%d,%d,%.4f,%d,%d,%.4f", s.generation, s.best, s.mean,
                      s.min, s.max, s.stddev);
        out += line;
        for (int count : s.originCounts)
            out += "," + std::to_string(count);
        out += "\n";
    }
    return out;
}
