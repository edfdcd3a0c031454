#include "tools/cli/FossilView.h"

#include "evolution/EvolutionState.h"

FossilView::FossilView(const std::vector<int32_t>& record, int populationSize)
    : record_(record), n_(populationSize),
      generations_(populationSize > 0
                       ? static_cast<int>(record.size() /
                                          (static_cast<size_t>(populationSize) * FOSSIL_ENTRY_SIZE))
                       : 0) {}

int32_t FossilView::at(int g, int i, int offset) const {
    const size_t base = (static_cast<size_t>(g) * n_ + i) * FOSSIL_ENTRY_SIZE;
    return record_[base + offset];
}

int32_t FossilView::fitness(int g, int i) const {
    return at(g, i, FOSSIL_FITNESS);
}
int32_t FossilView::originCode(int g, int i) const {
    return at(g, i, FOSSIL_ORIGIN);
}
int32_t FossilView::parentA(int g, int i) const {
    return at(g, i, FOSSIL_PARENT_A);
}
int32_t FossilView::parentB(int g, int i) const {
    return at(g, i, FOSSIL_PARENT_B);
}

int FossilView::bestOf(int g) const {
    int best = 0;
    for (int i = 1; i < n_; ++i)
        if (fitness(g, i) > fitness(g, best))
            best = i;
    return best;
}
