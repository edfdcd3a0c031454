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

std::string measureNames() {
    return "best,mean,min,max,stddev,silk,radius_silk,spiral_silk,frame_silk,radii,"
           "spiral_threads";
}

std::string runRows(const std::string& prefix) {
    const FossilView f(evolutionState.fossilRecord, evolutionState.populationSize);
    std::string out;
    char line[512];
    for (int g = 0; g < f.generations(); ++g) {
        const GenerationStats s = generationStats(f, g);
        const Web& web = bestSpider(f, g).web;
        std::snprintf(line, sizeof line, ",%d,%d,%.4f,%d,%d,%.4f,%.4f,%.4f,%.4f,%.4f,%zu,%zu\n", g,
                      s.best, s.mean, s.min, s.max, s.stddev, web.totalSilk(), web.radiusSilk,
                      web.spiralSilk, web.frameSilk, web.radii.size(), web.spiralThreads.size());
        out += prefix + line;
    }
    return out;
}
