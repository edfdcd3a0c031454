#pragma once
// Read-only access to a fossil record: the 23 integers of every spider of
// every generation, addressed by generation and spider index (from 0).

#include <cstdint>
#include <vector>

class FossilView {
  public:
    // `record` must outlive the view; `populationSize` >= 1.
    FossilView(const std::vector<int32_t>& record, int populationSize);

    int populationSize() const { return n_; }
    // Whole generations held by the record.
    int generations() const { return generations_; }

    int32_t rule(int g, int i, int k) const { return at(g, i, k); }
    int32_t fitness(int g, int i) const;
    int32_t originCode(int g, int i) const;
    int32_t parentA(int g, int i) const;
    int32_t parentB(int g, int i) const;

    // The first spider with the highest recorded fitness of generation g.
    int bestOf(int g) const;

    bool hasGeneration(int g) const { return g >= 0 && g < generations_; }
    bool hasSpider(int i) const { return i >= 0 && i < n_; }

  private:
    int32_t at(int g, int i, int offset) const;

    const std::vector<int32_t>& record_;
    int n_;
    int generations_;
};
