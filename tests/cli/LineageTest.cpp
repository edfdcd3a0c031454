// The ancestry of a recorded spider through parentA.

#include <gtest/gtest.h>

#include <sstream>

#include "tests/evolution/FossilBuilder.h"
#include "tools/cli/Lineage.h"

namespace {

size_t lineCount(const std::string& text) {
    return static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
}

// Three generations of two spiders: spider 1 of generation 2 descends from
// spider 0 of generation 1, which descends from spider 1 of generation 0.
FossilBuilder family() {
    FossilBuilder b(2, 3);
    b.spider(0, 0, 5, 0, 0, 0);
    b.spider(0, 1, 9, 0, 1, 1);
    b.spider(1, 0, 12, 1, 1, 0); // replaced by its better rival 1
    b.spider(1, 1, 9, 1, 1, 0);
    b.spider(2, 0, 12, 1, 0, 1);
    b.spider(2, 1, 14, 4, 0, 1); // crossed and mutated
    return b;
}

} // namespace

TEST(Lineage, WalksParentABackToGenerationZero) {
    const FossilBuilder b = family();
    const FossilView f(b.record, 2);
    const Lineage l = traceLineage(f, 2, 1);
    ASSERT_EQ(l.steps.size(), 3u);
    EXPECT_FALSE(l.broken);
    EXPECT_EQ(l.steps[0].generation, 2);
    EXPECT_EQ(l.steps[0].spider, 1);
    EXPECT_EQ(l.steps[0].originCode, 4);
    EXPECT_EQ(l.steps[1].generation, 1);
    EXPECT_EQ(l.steps[1].spider, 0);
    EXPECT_EQ(l.steps[1].fitness, 12);
    EXPECT_EQ(l.steps[2].generation, 0);
    EXPECT_EQ(l.steps[2].spider, 1);
}

TEST(Lineage, StopsWhereTheRecordNamesNoSpider) {
    FossilBuilder b = family();
    b.at(2, 1, FOSSIL_PARENT_A) = 7;
    const FossilView f(b.record, 2);
    const Lineage l = traceLineage(f, 2, 1);
    EXPECT_TRUE(l.broken);
    EXPECT_EQ(l.steps.size(), 1u);
    EXPECT_NE(lineageText(l).find("line ends"), std::string::npos);
}

TEST(Lineage, GenerationZeroIsItsOwnEnd) {
    const FossilBuilder b = family();
    const FossilView f(b.record, 2);
    EXPECT_EQ(traceLineage(f, 0, 0).steps.size(), 1u);
}

TEST(LineageText, NumbersSpidersFromOneLikeTheCaptions) {
    const FossilBuilder b = family();
    const FossilView f(b.record, 2);
    const std::string text = lineageText(traceLineage(f, 2, 1));
    EXPECT_EQ(lineCount(text), 2u + 3u);
    EXPECT_NE(text.find("Lineage of spider 2 of generation 2"), std::string::npos);
    EXPECT_NE(text.find("CROSS+MUT"), std::string::npos);
}

TEST(LineageCsv, HeaderAndOneRowPerStep) {
    const FossilBuilder b = family();
    const FossilView f(b.record, 2);
    const std::string csv = lineageCsv(traceLineage(f, 2, 1));
    EXPECT_EQ(lineCount(csv), 4u);
    std::istringstream in(csv);
    std::string header, first;
    std::getline(in, header);
    std::getline(in, first);
    EXPECT_EQ(header, "generation,spider,fitness,origin,parentA,parentB");
    EXPECT_EQ(first, "2,2,14,CROSS+MUT,1,2");
}

TEST(LineageCsv, NoParentIsAnEmptyFieldAndAnUnknownLabelAQuestionMark) {
    FossilBuilder b(1, 1);
    b.spider(0, 0, 3, 9, -1, -1);
    const FossilView f(b.record, 1);
    EXPECT_EQ(lineageCsv(traceLineage(f, 0, 0)),
              "generation,spider,fitness,origin,parentA,parentB\n0,1,3,?,,\n");
}
