#pragma once
// The layout of the fossil record, known here alone: FOSSIL_ENTRY_SIZE
// integers per spider (the rule values, then fitness, origin code and the
// two parents), spiders in population order, generation after generation.
// FossilView reads a record through that layout.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "evolution/EvolutionState.h"

// Index of the first integer of spider i of generation g in a record whose
// generations hold n spiders each.
inline size_t fossilEntryIndex(size_t g, int n, int i) {
    return (g * static_cast<size_t>(n) + static_cast<size_t>(i)) * FOSSIL_ENTRY_SIZE;
}

// The name of field k (0 ... FOSSIL_ENTRY_SIZE - 1) of an entry: the gene
// name, "fitness", "origin", "parentA" or "parentB".
std::string fossilFieldName(int k);

// Read-only access to a record, by generation and spider index (from 0).
class FossilView {
  public:
    // `record` must outlive the view; a `populationSize` below 1 shows no
    // generation.
    FossilView(const std::vector<int32_t>& record, int populationSize);

    int populationSize() const { return n_; }
    // Whole generations held by the record.
    int generations() const { return generations_; }

    // Field k of spider i of generation g.
    int32_t field(int g, int i, int k) const {
        return record_[fossilEntryIndex(static_cast<size_t>(g), n_, i) + static_cast<size_t>(k)];
    }
    int32_t rule(int g, int i, int k) const { return field(g, i, k); }
    int32_t fitness(int g, int i) const { return field(g, i, FOSSIL_FITNESS); }
    int32_t originCode(int g, int i) const { return field(g, i, FOSSIL_ORIGIN); }
    int32_t parentA(int g, int i) const { return field(g, i, FOSSIL_PARENT_A); }
    int32_t parentB(int g, int i) const { return field(g, i, FOSSIL_PARENT_B); }

    // The first spider with the highest recorded fitness of generation g.
    int bestOf(int g) const;

    bool hasGeneration(int g) const { return g >= 0 && g < generations_; }
    bool hasSpider(int i) const { return i >= 0 && i < n_; }

  private:
    const std::vector<int32_t>& record_;
    int n_;
    int generations_;
};
