#include "tools/cli/GenesSvg.h"

#include <algorithm>

#include "evolution/EvolutionState.h"
#include "tools/cli/Chart.h"
#include "tools/cli/Svg.h"

namespace {

constexpr double LABEL_WIDTH = 200, MAP_WIDTH = 800, RIGHT = 20, TOP = 50;
constexpr double ROW_HEIGHT = 18, AXIS_HEIGHT = 45, LEGEND_HEIGHT = 40;
constexpr double FONT = 11, TITLE_FONT = 15;
constexpr int TICKS = 8;
constexpr double CELL_OVERLAP = 0.5;
const Rgb TEXT_COLOUR = {0.1, 0.1, 0.1};
const Rgb BACKGROUND = {1.0, 1.0, 1.0};

// The gene chart's colour ramp: blue at the minimum, red at the maximum.
Rgb rampColour(double f) {
    return {f, 0.2, 1.0 - f};
}

std::string geneLabel(int k, const GeneInfo& gene) {
    return std::to_string(k) + " " + gene.name;
}

// One row: consecutive columns of equal colour become one rectangle.
void drawRow(SvgDocument& svg, const FossilView& fossils, const std::vector<int>& columns, int k,
             const GeneInfo& gene, double y) {
    const double cell = MAP_WIDTH / columns.size();
    size_t start = 0;
    std::string colour;
    for (size_t c = 0; c <= columns.size(); ++c) {
        std::string next;
        if (c < columns.size())
            next = svgColour(rampColour(geneFraction(meanRule(fossils, columns[c], k), gene)));
        if (c > 0 && (c == columns.size() || next != colour)) {
            // a little overlap, so that no seam shows between neighbouring cells
            const double overlap = c < columns.size() ? CELL_OVERLAP : 0.0;
            svg.rect(LABEL_WIDTH + start * cell, y, (c - start) * cell + overlap, ROW_HEIGHT - 1,
                     colour);
            start = c;
        }
        colour = next;
    }
}

void drawGenerationAxis(SvgDocument& svg, const std::vector<int>& columns, double y) {
    const std::string ink = svgColour(TEXT_COLOUR);
    const double cell = MAP_WIDTH / columns.size();
    // Tick at the centre of the column that shows each tick's generation.
    for (double t : niceTicks(0, std::max(columns.back(), 1), TICKS)) {
        if (t > columns.back())
            break;
        const auto it = std::lower_bound(columns.begin(), columns.end(), static_cast<int>(t));
        const double x = LABEL_WIDTH + (it - columns.begin() + 0.5) * cell;
        svg.line(x, y, x, y + 5, ink, 1);
        svg.text(x, y + 18, std::to_string(*it), FONT, ink, "middle");
    }
    svg.text(LABEL_WIDTH + MAP_WIDTH / 2, y + 36, "generation", FONT + 1, ink, "middle");
}

void drawLegend(SvgDocument& svg, double y) {
    const int steps = 20;
    const double w = 10;
    for (int s = 0; s < steps; ++s)
        svg.rect(LABEL_WIDTH + s * w, y, w, 12, svgColour(rampColour(s / double(steps - 1))));
    const std::string ink = svgColour(TEXT_COLOUR);
    svg.text(LABEL_WIDTH - 6, y + 10, "gene minimum", FONT, ink, "end");
    svg.text(LABEL_WIDTH + steps * w + 6, y + 10,
             "gene maximum (mean decoded value over the population)", FONT, ink);
}

} // namespace

std::vector<GeneInfo> spiderGenes() {
    const EAPGossamerix& p = evolutionState.problem;
    std::vector<GeneInfo> genes;
    for (size_t k = 0; k < p.geneMin.size(); ++k) {
        GeneInfo g;
        g.name = k < p.geneNames.size() ? p.geneNames[k] : std::string();
        g.lo = p.geneMin[k];
        g.hi = p.geneMax[k] == p.geneMin[k] ? p.geneMin[k] + 1 : p.geneMax[k];
        genes.push_back(g);
    }
    return genes;
}

double meanRule(const FossilView& fossils, int g, int k) {
    double sum = 0.0;
    for (int i = 0; i < fossils.populationSize(); ++i)
        sum += fossils.rule(g, i, k);
    return sum / fossils.populationSize();
}

double geneFraction(double value, const GeneInfo& gene) {
    if (gene.hi <= gene.lo)
        return 0.0;
    return std::clamp((value - gene.lo) / (gene.hi - gene.lo), 0.0, 1.0);
}

std::string genesSvg(const FossilView& fossils, const std::vector<GeneInfo>& genes,
                     const std::string& title) {
    const std::vector<int> columns = sampleGenerations(fossils.generations(), MAX_GENE_COLUMNS);
    const double mapHeight = genes.size() * ROW_HEIGHT;
    const double height = TOP + mapHeight + AXIS_HEIGHT + LEGEND_HEIGHT;
    const double width = LABEL_WIDTH + MAP_WIDTH + RIGHT;
    SvgDocument svg(0, 0, width, height, static_cast<int>(width), static_cast<int>(height));
    svg.title(title);
    svg.rect(0, 0, width, height, svgColour(BACKGROUND));
    svg.text(10, TOP - 25, title, TITLE_FONT, svgColour(TEXT_COLOUR));
    if (columns.empty())
        return svg.str();
    for (size_t k = 0; k < genes.size(); ++k) {
        const double y = TOP + k * ROW_HEIGHT;
        svg.text(LABEL_WIDTH - 6, y + ROW_HEIGHT - 5, geneLabel(static_cast<int>(k), genes[k]),
                 FONT, svgColour(TEXT_COLOUR), "end");
        svg.beginGroup("gene");
        drawRow(svg, fossils, columns, static_cast<int>(k), genes[k], y);
        svg.endGroup();
    }
    drawGenerationAxis(svg, columns, TOP + mapHeight);
    drawLegend(svg, TOP + mapHeight + AXIS_HEIGHT);
    return svg.str();
}
