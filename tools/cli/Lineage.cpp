#include "tools/cli/Lineage.h"

#include <cstdio>

#include "evolution/EvolutionState.h"

namespace {

// A spider number as the program's captions show it (index + 1); a negative
// index (no parent) is shown as "-".
std::string spiderNumber(int index) {
    return index < 0 ? std::string("-") : std::to_string(static_cast<long long>(index) + 1);
}

// The same for CSV, where no parent is an empty field.
std::string csvSpiderNumber(int index) {
    return index < 0 ? std::string() : spiderNumber(index);
}

std::string labelOf(int code) {
    const std::string label = originLabel(code);
    return label.empty() ? "?" : label;
}

} // namespace

Lineage traceLineage(const FossilView& fossils, int g, int i) {
    Lineage lineage;
    for (;;) {
        LineageStep step;
        step.generation = g;
        step.spider = i;
        step.fitness = fossils.fitness(g, i);
        step.originCode = fossils.originCode(g, i);
        step.parentA = fossils.parentA(g, i);
        step.parentB = fossils.parentB(g, i);
        lineage.steps.push_back(step);
        if (g == 0)
            break;
        if (!fossils.hasSpider(step.parentA)) {
            lineage.broken = true;
            break;
        }
        --g;
        i = step.parentA;
    }
    return lineage;
}

std::string lineageText(const Lineage& lineage) {
    std::string out;
    char line[160];
    if (!lineage.steps.empty()) {
        const LineageStep& first = lineage.steps.front();
        std::snprintf(line, sizeof line, "Lineage of spider %d of generation %d\n",
                      first.spider + 1, first.generation);
        out += line;
    }
    std::snprintf(line, sizeof line, "%10s %7s %8s  %-10s %8s %8s\n", "generation", "spider",
                  "fitness", "origin", "parentA", "parentB");
    out += line;
    for (const LineageStep& s : lineage.steps) {
        std::snprintf(line, sizeof line, "%10d %7d %8d  %-10s %8s %8s\n", s.generation,
                      s.spider + 1, s.fitness, labelOf(s.originCode).c_str(),
                      spiderNumber(s.parentA).c_str(), spiderNumber(s.parentB).c_str());
        out += line;
    }
    if (lineage.broken)
        out += "(the record names no spider of the previous generation here; the line ends)\n";
    return out;
}

std::string lineageCsv(const Lineage& lineage) {
    std::string out = "generation,spider,fitness,origin,parentA,parentB\n";
    for (const LineageStep& s : lineage.steps) {
        out += std::to_string(s.generation) + "," + std::to_string(s.spider + 1) + "," +
               std::to_string(s.fitness) + "," + labelOf(s.originCode) + "," +
               csvSpiderNumber(s.parentA) + "," + csvSpiderNumber(s.parentB) + "\n";
    }
    return out;
}
