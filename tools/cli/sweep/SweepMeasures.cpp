#include "tools/cli/sweep/SweepMeasures.h"

#include <cstdio>

#include "evolution/EvolutionState.h"
#include "evolution/FossilView.h"
#include "evolution/RunStatistics.h"

namespace {

// The best spider of generation g, rebuilt from its recorded rules.
Spider bestSpider(const FossilView& f, int g) {
    Spider spider;
    evolutionState.restoreSpiderInto(spider, g, f.bestOf(g));
    spider.clearWeb();
    spider.buildWeb(evolutionState.silkLimit);
    return spider;
}

} // namespace

const std::vector<MeasureInfo>& measures() {
    static const std::vector<MeasureInfo> all = {
        {"best_fitness", "best fitness (fitness points)"},
        {"mean_fitness", "mean fitness (fitness points)"},
        {"min_fitness", "lowest fitness (fitness points)"},
        {"max_fitness", "highest fitness (fitness points)"},
        {"sd_fitness", "standard deviation of fitness (fitness points)"},
        {"n_initial", "spiders of the initial population (count)"},
        {"n_selected", "spiders selected unchanged (count)"},
        {"n_crossed", "spiders from crossover (count)"},
        {"n_selected_mutated", "spiders selected and mutated (count)"},
        {"n_crossed_mutated", "spiders from crossover and mutated (count)"},
        {"n_other", "spiders of another origin (count)"},
        {"silk", "silk used by the best web (web units)"},
        {"radius_silk", "radius silk of the best web (web units)"},
        {"spiral_silk", "capture-spiral silk of the best web (web units)"},
        {"frame_silk", "frame silk of the best web (web units)"},
        {"radii", "radii of the best web (count)"},
        {"spiral_threads", "capture-spiral threads of the best web (count)"}};
    return all;
}

std::string measureLabel(const std::string& name) {
    for (const MeasureInfo& m : measures())
        if (name == m.name)
            return m.label;
    return name;
}

std::string measureNames() {
    std::string out;
    for (const MeasureInfo& m : measures())
        out += (out.empty() ? "" : ",") + std::string(m.name);
    return out;
}

std::string runRows(const std::string& prefix) {
    const FossilView f(evolutionState.fossilRecord, evolutionState.populationSize);
    std::string out;
    char line[512];
    for (int g = 0; g < f.generations(); ++g) {
        const GenerationStats s = generationStats(f, g);
        const Web& web = bestSpider(f, g).web;
        std::snprintf(line, sizeof line, ",%d,%d,%.4f,%d,%d,%.4f", g, s.best, s.mean, s.min, s.max,
                      s.stddev);
        out += prefix + line;
        for (int count : s.originCounts)
            out += "," + std::to_string(count);
        std::snprintf(line, sizeof line, ",%.4f,%.4f,%.4f,%.4f,%zu,%zu\n", web.totalSilk(),
                      web.radiusSilk, web.spiralSilk, web.frameSilk, web.radii.size(),
                      web.spiralThreads.size());
        out += line;
    }
    return out;
}
