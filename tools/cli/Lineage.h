#pragma once
// The ancestry of one recorded spider: from its generation back to
// generation 0, following the spider whose genes each one carries (parentA).

#include <string>
#include <vector>

#include "evolution/FossilView.h"

struct LineageStep {
    int generation = 0;
    int spider = 0; // index in its generation, from 0
    int fitness = 0;
    int originCode = 0;
    int parentA = 0; // index in the previous generation, from 0
    int parentB = 0;
};

struct Lineage {
    std::vector<LineageStep> steps; // from the starting spider back in time
    // Set when a parentA in the record does not name a spider of the
    // previous generation, so the walk stopped before generation 0.
    bool broken = false;
};

// The walk from spider i of generation g (both valid) back to generation 0.
Lineage traceLineage(const FossilView& fossils, int g, int i);

// The lineage as a table for people (spider numbers from 1) and as CSV.
std::string lineageText(const Lineage& lineage);
std::string lineageCsv(const Lineage& lineage);
