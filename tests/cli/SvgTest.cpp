// SVG writing: escaping, colours, numbers, chart axes, and the three pictures.

#include <gtest/gtest.h>

#include "XmlCheck.h"
#include "tests/evolution/FossilBuilder.h"
#include "tools/cli/Chart.h"
#include "tools/cli/GenesSvg.h"
#include "tools/cli/PlotSvg.h"
#include "tools/cli/Svg.h"
#include "tools/cli/WebSvg.h"

namespace {

Radius radius(int kind, int x, int y) {
    Radius r;
    r.kind = kind;
    r.endX = x;
    r.endY = y;
    return r;
}

// Four radii (one of stage 2) and five spiral threads, two in the first loop.
Spider handMadeWeb() {
    Spider s;
    s.web.radii = {radius(0, 50, 0), radius(1, 0, 60), radius(0, -50, 0), radius(0, 0, -60)};
    s.web.spiralThreads = {
        {10, 0, 0, 12}, {0, 12, -10, 0}, {-10, 0, 0, -12}, {0, -12, 14, 0}, {14, 0, 0, 16}};
    s.web.firstLoopThreads = 2;
    s.spiderX = 3;
    s.spiderY = 4;
    s.individual.fitness = 240.0;
    s.origin = "CROSS";
    s.parentA = 4;
    s.parentB = 0;
    return s;
}

// The value of the points attribute of the first element with this class.
std::string pointsOf(const std::string& svg, const std::string& cssClass) {
    const size_t at = svg.find("class=\"" + cssClass + "\"");
    if (at == std::string::npos)
        return "";
    const size_t p = svg.find("points=\"", at) + 8;
    return svg.substr(p, svg.find('"', p) - p);
}

} // namespace

TEST(Svg, EscapesTheFiveXmlCharacters) {
    EXPECT_EQ(xmlEscape("a<b>&\"c'"), "a&lt;b&gt;&amp;&quot;c&apos;");
    EXPECT_EQ(xmlEscape("plain"), "plain");
}

TEST(Svg, ColoursRoundEachChannelAndClamp) {
    EXPECT_EQ(svgColour({1.0, 0.0, 0.0}), "#ff0000");
    EXPECT_EQ(svgColour({0.3, 0.3, 1.0}), "#4d4dff"); // 76.5 rounds up
    EXPECT_EQ(svgColour({0.5, 0.5, 0.5}), "#808080"); // 127.5 rounds up
    EXPECT_EQ(svgColour({-1.0, 2.0, 0.2}), "#00ff33");
}

TEST(Svg, NumbersHaveAtMostThreeDecimalsAndNoTrailingZeros) {
    EXPECT_EQ(svgNumber(2.0), "2");
    EXPECT_EQ(svgNumber(-0.5), "-0.5");
    EXPECT_EQ(svgNumber(1.23456), "1.235");
    EXPECT_EQ(svgNumber(-0.0001), "0");
}

TEST(Chart, NiceTicksCoverTheRangeWithRoundSteps) {
    const std::vector<double> t = niceTicks(0, 578, 6);
    ASSERT_GE(t.size(), 2u);
    EXPECT_EQ(t.front(), 0.0);
    EXPECT_GE(t.back(), 578.0);
    EXPECT_DOUBLE_EQ(t[1] - t[0], 100.0);
    EXPECT_EQ(niceTicks(0, 0, 6).back(), 1.0); // an empty range still gets an axis
}

TEST(Chart, SampledGenerationsKeepBothEndsAndTheLimit) {
    EXPECT_EQ(sampleGenerations(5, 1000), (std::vector<int>{0, 1, 2, 3, 4}));
    const std::vector<int> s = sampleGenerations(10001, 1000);
    ASSERT_EQ(s.size(), 1000u);
    EXPECT_EQ(s.front(), 0);
    EXPECT_EQ(s.back(), 10000);
    EXPECT_TRUE(std::is_sorted(s.begin(), s.end()));
    EXPECT_EQ(std::adjacent_find(s.begin(), s.end()), s.end()); // no column twice
    EXPECT_EQ(sampleGenerations(1, 1000), (std::vector<int>{0}));
    EXPECT_TRUE(sampleGenerations(0, 1000).empty());
}

TEST(WebSvg, DrawsRadiiFrameAndBothSpiralPartsInThePaletteColours) {
    const Spider s = handMadeWeb();
    const std::string svg = webSvg(s, spiderCaption(s, 6), "web <test>");
    EXPECT_EQ(xmlProblem(svg), "");
    EXPECT_NE(svg.find("viewBox=\"-100 -100 200 200\""), std::string::npos);
    EXPECT_EQ(occurrences(svg, "class=\"radius\""), 3u);
    EXPECT_EQ(occurrences(svg, "class=\"extra-radius\""), 1u);
    EXPECT_EQ(pointsOf(svg, "frame"), "50,0 0,60 -50,0 0,-60");
    EXPECT_NE(svg.find("class=\"frame\" fill=\"none\" stroke=\"#ff0000\""), std::string::npos);
    // the strip runs through every thread's first point and ends at the last
    // thread's second point; the main spiral starts at thread 2
    EXPECT_EQ(pointsOf(svg, "first-loop"), "10,0 0,12 -10,0");
    EXPECT_EQ(pointsOf(svg, "main-spiral"), "-10,0 0,-12 14,0 0,16");
    EXPECT_NE(svg.find("stroke=\"#4d4dff\""), std::string::npos);
    EXPECT_NE(svg.find("[7] Fit=240  CROSS(5, 1)"), std::string::npos);
    EXPECT_NE(svg.find("web &lt;test&gt;"), std::string::npos);
}

TEST(WebSvg, AnEmptyWebIsStillAPicture) {
    const Spider s;
    const std::string svg = webSvg(s, "", "empty");
    EXPECT_EQ(xmlProblem(svg), "");
    EXPECT_EQ(occurrences(svg, "<polyline"), 0u);
    EXPECT_EQ(occurrences(svg, "<polygon"), 0u);
}

TEST(WebSvg, AllThreadsInTheFirstLoopLeaveNoMainSpiral) {
    Spider s = handMadeWeb();
    s.web.firstLoopThreads = 5;
    const std::string svg = webSvg(s, "", "t");
    EXPECT_EQ(occurrences(svg, "first-loop"), 1u);
    EXPECT_EQ(occurrences(svg, "main-spiral"), 0u);
}

TEST(PlotSvg, OnePointPerGenerationOnEachLineWithLabelledAxes) {
    std::vector<GenerationStats> rows(4);
    for (int g = 0; g < 4; ++g) {
        rows[g].generation = g;
        rows[g].best = 100 * g;
        rows[g].mean = 50.0 * g;
    }
    const std::string svg = fitnessPlotSvg(rows, "plot");
    EXPECT_EQ(xmlProblem(svg), "");
    EXPECT_EQ(occurrences(pointsOf(svg, "best"), ","), 4u);
    EXPECT_EQ(occurrences(pointsOf(svg, "mean"), ","), 4u);
    EXPECT_NE(svg.find(">generation</text>"), std::string::npos);
    EXPECT_NE(svg.find(">fitness</text>"), std::string::npos);
}

TEST(GenesSvg, FractionRunsFromTheGeneMinimumToItsMaximum) {
    const GeneInfo g{"phase", 0, 150};
    EXPECT_DOUBLE_EQ(geneFraction(0, g), 0.0);
    EXPECT_DOUBLE_EQ(geneFraction(75, g), 0.5);
    EXPECT_DOUBLE_EQ(geneFraction(151, g), 1.0);
    EXPECT_DOUBLE_EQ(geneFraction(2, GeneInfo{"fixed", 2, 2}), 0.0);
}

TEST(GenesSvg, TheGeneTableHasNineteenGenesWithDecodableRanges) {
    const std::vector<GeneInfo> genes = spiderGenes();
    ASSERT_EQ(genes.size(), 19u);
    EXPECT_EQ(genes[0].name, "numStartRadii");
    EXPECT_EQ(genes[0].lo, 3);
    EXPECT_EQ(genes[0].hi, 20);
    EXPECT_EQ(genes[15].lo, 2); // "min final radii space": 2 or 3
    EXPECT_EQ(genes[15].hi, 3);
    EXPECT_EQ(genes[18].name, "growth % to centre");
}

TEST(GenesSvg, OneLabelledRowPerGeneColouredByTheMeanValue) {
    FossilBuilder b(2, 3);
    const std::vector<GeneInfo> genes = {{"low", 0, 10}, {"high & mighty", 0, 10}};
    for (int g = 0; g < 3; ++g)
        for (int i = 0; i < 2; ++i)
            b.at(g, i, 1) = 10; // gene 1 at its maximum, gene 0 at 0
    const FossilView f(b.record, 2);
    EXPECT_DOUBLE_EQ(meanRule(f, 1, 1), 10.0);
    const std::string svg = genesSvg(f, genes, "genes");
    EXPECT_EQ(xmlProblem(svg), "");
    EXPECT_NE(svg.find(">0 low</text>"), std::string::npos);
    EXPECT_NE(svg.find(">1 high &amp; mighty</text>"), std::string::npos);
    EXPECT_EQ(occurrences(svg, "<g class=\"gene\">"), 2u);
    // equal columns of a row merge into one cell: blue for gene 0, red for gene 1
    EXPECT_EQ(occurrences(svg, "fill=\"#0033ff\" stroke=\"none\"/>"),
              1u + 1u); // + the legend's first step
    EXPECT_EQ(occurrences(svg, "fill=\"#ff3300\" stroke=\"none\"/>"), 1u + 1u);
}
