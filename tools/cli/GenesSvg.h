#pragma once
// How the rules evolved: one row per gene, one column per (sampled)
// generation, each cell coloured by the population's mean decoded value from
// the gene's minimum (blue) to its maximum (red).

#include <string>
#include <vector>

#include "evolution/FossilView.h"

struct GeneInfo {
    std::string name;
    int lo = 0;
    int hi = 0; // the largest value decoding can yield
};

// The gene table of the web-building problem. A gene whose range is a single
// value still decodes to that value or the next one, so its hi is min + 1.
std::vector<GeneInfo> spiderGenes();

constexpr int MAX_GENE_COLUMNS = 1000;

// Mean of rule k over the population of generation g.
double meanRule(const FossilView& fossils, int g, int k);
// The colour fraction of a value: 0 at lo, 1 at hi, clamped.
double geneFraction(double value, const GeneInfo& gene);

std::string genesSvg(const FossilView& fossils, const std::vector<GeneInfo>& genes,
                     const std::string& title);
