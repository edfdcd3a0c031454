#pragma once
// What the Rule Browser edits: the 19 rules of one spider and the four stage
// copies that show its web after each construction stage. Editing, applying
// and writing the rules back into the population need no window.

#include <string>
#include <vector>

#include "web/EAPGossamerix.h"
#include "web/Spider.h"

struct EvolutionState;

constexpr int NUM_BROWSER_STAGES = 4;

struct RuleBrowserModel {
    bool writeBackPending = false;
    Spider stageSpiders[NUM_BROWSER_STAGES];
    std::vector<int> rules;
    EAPGossamerix problem;

    // Starts with the browser's initial rules applied to the stage copies.
    RuleBrowserModel();

    // Genes [stageFirstGene(k), stageEndGene(k)) belong to stage k (0 ... 3).
    int stageFirstGene(int k) const;
    int stageEndGene(int k) const;
    int numGenes() const;

    // The population slot the rules came from (-1: none): the edits go back
    // there even when another spider is selected meanwhile.
    int sourceIndex = -1;

    // The generation the rules came from (-1: any) and the rules as loaded:
    // the edits go back only into that spider of that generation, never into
    // another generation or run that took its place meanwhile.
    int sourceGeneration = -1;
    std::vector<int> sourceRules;

    // Takes the rules of a population spider and applies them.
    void load(const Spider& spider, int index = -1, int generation = -1);

    // Encodes the rules into every stage copy and rebuilds copy k up to
    // stage k + 1.
    void applyRules();

    // Writes the edited rules into the population spider they came from
    // (else the selected one; nothing when that spider is no longer there)
    // and selects it, rebuilds
    // its web, evaluates the population against the current prey and marks
    // the selected spider. Clears writeBackPending.
    void writeBack(EvolutionState& state);

  private:
    bool sourceStillThere(const EvolutionState& state, int slot) const;
};

// The rules a new Rule Browser starts with, in gene order.
extern const int INITIAL_BROWSER_RULES[NUM_RULES];

// Stage titles shown above the four stage webs.
extern const char* const kStageTitles[NUM_BROWSER_STAGES];
