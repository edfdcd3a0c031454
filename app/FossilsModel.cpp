#include "app/FossilsModel.h"

#include "app/AppState.h"
#include "app/FossilSampling.h"
#include "app/GridGeometry.h"
#include "app/SimulatorGrid.h"
#include "evolution/EvolutionState.h"

void buildFossilList(EvolutionState& state) {
    const int last = lastRecordedGeneration(state.fossilRecord, state.populationSize);
    fossilStep = fossilStepFor(last);
    fossilGenerations = sampledGenerations(last, fossilStep);
    fossilSpiders.assign(fossilGenerations.size(), Spider());
    const int numGenes = static_cast<int>(state.problem.geneMin.size());
    for (size_t k = 0; k < fossilGenerations.size(); ++k) {
        const int g = fossilGenerations[k];
        const int best = bestRecordedSpider(state.fossilRecord, state.populationSize, g);
        Spider& fossil = fossilSpiders[k];
        state.restoreSpiderInto(fossil, g, best);
        for (int i = 0; i < numGenes && i < NUM_RULES; ++i)
            fossil.rule(i) = state.problem.getGene(fossil.individual, static_cast<unsigned>(i));
        fossil.clearWeb();
        fossil.buildWeb(state.silkLimit);
    }
    if (!fossilSpiders.empty())
        state.followWebBuild();
}

void layoutFossils() {
    buildFossilList(evolutionState);
    const int n = static_cast<int>(fossilSpiders.size());
    const GridShape shape = fossilGridShape(n);
    const GridGeometry geometry = applyGridShape(shape);
    for (int i = 0; i < n && i < shape.columns * shape.rows; ++i)
        placeWebInCell(fossilSpiders[static_cast<size_t>(i)].web, i, shape, geometry.cell);
}
