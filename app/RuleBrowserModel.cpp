#include "app/RuleBrowserModel.h"

#include "evolution/EvolutionState.h"
#include "evolution/RunControl.h"

const int INITIAL_BROWSER_RULES[NUM_RULES] = {7,  0,  0,  100, 100, 100, 100, 2,  2,  15,
                                              15, 15, 15, 2,   2,   2,   2,   10, 101};

const char* const kStageTitles[NUM_BROWSER_STAGES] = {
    "Stage 1: First radii and frame",
    "Stage 2: Additional radii",
    "Stage 3: First capture spiral loop",
    "Stage 4: Main capture spiral",
};

namespace {

// Decodes every rule value of a spider from its genome.
void decodeInto(const EAPGossamerix& problem, Spider& spider) {
    const int n = static_cast<int>(problem.geneMin.size());
    for (int i = 0; i < n && i < NUM_RULES; ++i)
        spider.rule(i) = problem.getGene(spider.individual, static_cast<unsigned>(i));
}

// Copies what the write-back carries from one spider into another.
void copyRulesAndGenome(const Spider& from, Spider& to) {
    for (int i = 0; i < NUM_RULES; ++i)
        to.rule(i) = from.rule(i);
    to.individual.numBits = from.individual.numBits;
    for (int b = 0; b < MAX_NUM_GENES; ++b)
        to.individual.bits[b] = from.individual.bits[b];
    to.individual.isEvaluated = from.individual.isEvaluated;
    to.individual.fitness = from.individual.fitness;
    to.origin = from.origin;
    to.parentA = from.parentA;
    to.parentB = from.parentB;
}

} // namespace

RuleBrowserModel::RuleBrowserModel()
    : rules(INITIAL_BROWSER_RULES, INITIAL_BROWSER_RULES + NUM_RULES) {
    applyRules();
}

int RuleBrowserModel::numGenes() const {
    return static_cast<int>(problem.geneMin.size());
}

int RuleBrowserModel::stageFirstGene(int k) const {
    return problem.stageFirstGene.at(static_cast<size_t>(k));
}

int RuleBrowserModel::stageEndGene(int k) const {
    if (k + 1 < problem.numStages)
        return problem.stageFirstGene.at(static_cast<size_t>(k + 1));
    return numGenes();
}

void RuleBrowserModel::load(const Spider& spider, int index, int generation) {
    sourceIndex = index;
    sourceGeneration = generation;
    rules.assign(static_cast<size_t>(numGenes()), 0);
    for (int i = 0; i < numGenes() && i < NUM_RULES; ++i)
        rules[static_cast<size_t>(i)] = spider.rule(i);
    sourceRules = rules;
    applyRules();
}

bool RuleBrowserModel::sourceStillThere(const EvolutionState& state, int slot) const {
    if (sourceGeneration >= 0 && state.generation != sourceGeneration)
        return false;
    const Spider& target = state.spiders[slot];
    for (size_t i = 0; i < sourceRules.size() && i < NUM_RULES; ++i) {
        if (target.rule(static_cast<int>(i)) != sourceRules[i])
            return false;
    }
    return true;
}

void RuleBrowserModel::applyRules() {
    for (Spider& copy : stageSpiders) {
        problem.setGenotype(copy.individual, rules);
        decodeInto(problem, copy);
        copy.clearWeb();
    }
    for (int k = 0; k < NUM_BROWSER_STAGES; ++k)
        stageSpiders[k].buildWebToStage(k + 1, evolutionState.silkLimit);
    evolutionState.followWebBuild();
}

void RuleBrowserModel::writeBack(EvolutionState& state) {
    writeBackPending = false;
    const int selected = sourceIndex >= 0 ? sourceIndex : state.selectedSpider;
    if (selected < 0 || selected >= state.populationSize || !sourceStillThere(state, selected))
        return;
    const Spider complete = stageSpiders[NUM_BROWSER_STAGES - 1];
    Spider& target = state.spiders[selected];
    copyRulesAndGenome(complete, target);
    decodeInto(state.problem, target);
    target.clearWeb();
    target.buildWeb(state.silkLimit);
    state.evaluatePopulation(false);
    state.selectSpider(selected);
    evolutionState.flags.unsavedWork.edited = true;
}
