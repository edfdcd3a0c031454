// The fossil record: every generation of the run, 23 integers per spider,
// kept in one flat vector so that the user can move through time, resume
// breeding from the past and save the whole run.

#include <vector>

#include "evolution/EvolutionState.h"
#include "evolution/FossilView.h"

size_t EvolutionState::fossilIndex(size_t g, int i) const {
    return fossilEntryIndex(g, populationSize, i);
}

int EvolutionState::recordedGenerations() const {
    return FossilView(fossilRecord, populationSize).generations();
}

void EvolutionState::reserveRecord() {
    // Room for generations 0 ... GENERATION_LIMIT. Untouched pages cost no
    // memory, and the record then never has to be moved while it grows.
    const size_t wholeRun = fossilIndex(GENERATION_LIMIT + 1, 0);
    if (fossilRecord.capacity() < wholeRun && fossilRecord.size() < wholeRun)
        fossilRecord.reserve(wholeRun);
}

void EvolutionState::recordGeneration() {
    const size_t needed = fossilIndex(static_cast<size_t>(generation) + 1, 0);
    if (fossilRecord.size() < needed) {
        reserveRecord();
        fossilRecord.resize(needed, 0);
    } else if (fossilRecord.size() > needed) {
        ++recordRevision; // an earlier generation written again
    }
    for (int i = 0; i < populationSize; ++i) {
        const Spider& s = spiders[i];
        int32_t* entry = &fossilRecord[fossilIndex(generation, i)];
        for (int k = 0; k < NUM_RULES; ++k)
            entry[k] = s.rule(k);
        entry[FOSSIL_FITNESS] = truncToInt32(s.individual.fitness);
        entry[FOSSIL_ORIGIN] = originCode(s.origin);
        entry[FOSSIL_PARENT_A] = s.parentA;
        entry[FOSSIL_PARENT_B] = s.parentB;
    }
}

void EvolutionState::takeFossil(Spider& s, int g, int i) {
    const int32_t* entry = &fossilRecord[fossilIndex(g, i)];
    problem.setGenotype(s.individual, std::vector<int>(entry, entry + NUM_RULES));
    s.individual.fitness = static_cast<double>(entry[FOSSIL_FITNESS]);
    s.individual.isEvaluated = true;
    s.numCaught = CAUGHT_NOT_RECORDED;
    s.origin = originLabel(entry[FOSSIL_ORIGIN]);
    s.parentA = entry[FOSSIL_PARENT_A];
    s.parentB = entry[FOSSIL_PARENT_B];
}

bool EvolutionState::hasFossil(int g, int i) const {
    return g >= 0 && i >= 0 && i < populationSize &&
           fossilIndex(static_cast<size_t>(g), i) + FOSSIL_ENTRY_SIZE <= fossilRecord.size();
}

void EvolutionState::restoreSpider(int g, int i) {
    if (!hasFossil(g, i))
        return;
    takeFossil(spiders[i], g, i);
    // The genome changed: the rules follow it (decoding leaves the fitness,
    // the marks and the labels alone).
    decodeRules();
}

void EvolutionState::restoreSpiderInto(Spider& s, int g, int i) {
    if (!hasFossil(g, i))
        return;
    takeFossil(s, g, i);
    const int numGenes = static_cast<int>(problem.geneMin.size());
    for (int k = 0; k < numGenes; ++k)
        s.rule(k) = problem.getGene(s.individual, k);
}

void EvolutionState::goToGeneration(int g) {
    if (g < 0 || fossilIndex(static_cast<size_t>(g) + 1, 0) > fossilRecord.size())
        return;
    generation = g;
    // Restoring spider by spider and decoding the whole population after
    // each one ends in the same state as taking every entry and decoding
    // once; the latter never decodes a slot whose genome is not yet restored.
    for (int i = 0; i < populationSize; ++i)
        takeFossil(spiders[i], g, i);
    decodeRules();
}

void EvolutionState::highlightBestRestored() {
    if (!spiders[0].individual.isEvaluated)
        return;
    int best = 0;
    int32_t bestFitness = 0;
    for (int i = 0; i < populationSize; ++i) {
        const double f = spiders[i].individual.fitness;
        if (f > bestFitness) {
            bestFitness = truncToInt32(f);
            best = i;
        }
    }
    for (int i = 0; i < populationSize; ++i)
        spiders[i].web.isHighlighted = (i == best);
    selectedSpider = best;
}

void EvolutionState::markSelectedElite() {
    if (selectedSpider < 0 || selectedSpider >= populationSize)
        return;
    bestSpider = selectedSpider;
    rankPopulation();
}
