#include "evolution/FossilView.h"

std::string fossilFieldName(int k) {
    static const char* const TAIL[] = {"fitness", "origin", "parentA", "parentB"};
    if (k >= NUM_RULES)
        return TAIL[k - NUM_RULES];
    const std::vector<std::string>& names = evolutionState.problem.geneNames;
    return k < static_cast<int>(names.size()) ? names[k] : "rule " + std::to_string(k);
}

FossilView::FossilView(const std::vector<int32_t>& record, int populationSize)
    : record_(record), n_(populationSize),
      generations_(populationSize > 0
                       ? static_cast<int>(record.size() / fossilEntryIndex(1, populationSize, 0))
                       : 0) {}

int FossilView::bestOf(int g) const {
    int best = 0;
    for (int i = 1; i < n_; ++i)
        if (fitness(g, i) > fitness(g, best))
            best = i;
    return best;
}
