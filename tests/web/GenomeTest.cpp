// The genome layout of the web-building problem and the decoding of genes
// into a spider's rule values.

#include <gtest/gtest.h>

#include <unistd.h>

#include <string>
#include <vector>

#include "WebTestUtil.h"
#include "core/LRandom.h"
#include "web/EAPGossamerix.h"
#include "web/Spider.h"

namespace {

// Writes a bit pattern (most significant first) into gene g's bits.
void setGeneBits(const EAPGossamerix& p, EAIndInteger& ind, int g, const std::vector<int>& bits) {
    const int first = p.geneBitOffsets[static_cast<size_t>(g)];
    ASSERT_EQ(static_cast<int>(bits.size()), p.geneBitOffsets[static_cast<size_t>(g) + 1] - first);
    for (size_t i = 0; i < bits.size(); ++i)
        ind.bits[first + static_cast<int>(i)] = bits[i];
}

EAIndInteger zeroGenome(const EAPGossamerix& p) {
    EAIndInteger ind;
    for (int& b : ind.bits)
        b = 0;
    ind.numBits = p.geneBitOffsets.back();
    return ind;
}

TEST(Genome, LayoutHasTheNineteenGenesInSeventyTwoBits) {
    EAPGossamerix p;
    EXPECT_EQ(p.problemName, "EAPGossamerix");
    EXPECT_EQ(p.numGenes, 19);
    EXPECT_TRUE(p.maximize);
    const std::vector<int> bounds = {0,  5,  7,  15, 22, 29, 36, 43, 44, 45,
                                     49, 53, 57, 61, 62, 63, 64, 65, 70, 72};
    EXPECT_EQ(p.geneBitOffsets, bounds);
    const std::vector<int> mins = {3, 0, 0, 10, 10, 10, 10, 2, 2, 5, 5, 5, 5, 2, 2, 2, 1, 3, 100};
    const std::vector<int> maxs = {20, 2,  150, 100, 100, 100, 100, 2,  2,  15,
                                   15, 15, 15,  2,   2,   2,   2,   20, 102};
    EXPECT_EQ(p.geneMin, mins);
    EXPECT_EQ(p.geneMax, maxs);
    const std::vector<std::string> names = {"numStartRadii",
                                            "variability",
                                            "phase",
                                            "rMaxLenRight",
                                            "rMaxLenBottom",
                                            "rMaxLenLeft",
                                            "rMaxLenTop",
                                            "interp. func. ID",
                                            "interp. func. param.",
                                            "rNextRadiiAngleRight",
                                            "rNextRadiiAngleBottom",
                                            "rNextRadiiAngleLeft",
                                            "rNextRadiiAngleTop",
                                            "interp. func. ID",
                                            "interp. func. param.",
                                            "min final radii space",
                                            "spiral dist. at start",
                                            "spiral dist. at end",
                                            "growth % to centre"};
    EXPECT_EQ(p.geneNames, names);
    EXPECT_EQ(p.numStages, 4);
    const std::vector<std::string> stages = {"FirstRadiiAndFrame", "AdditionalRadii",
                                             "FirstCapSpiralLoop", "MainCapSpiral"};
    EXPECT_EQ(p.stageNames, stages);
    EXPECT_EQ(p.stageFirstGene, (std::vector<int>{0, 9, 16, 18}));
    EXPECT_TRUE(p.prey.empty());
    EXPECT_FALSE(p.useGravity);
    EXPECT_FALSE(p.useAttackDistance);
}

TEST(Genome, StageOfGeneFollowsTheFirstGeneList) {
    EAPGossamerix p;
    EXPECT_EQ(p.stageOfGene(0), 0);
    EXPECT_EQ(p.stageOfGene(8), 0);
    EXPECT_EQ(p.stageOfGene(9), 1);
    EXPECT_EQ(p.stageOfGene(15), 1);
    EXPECT_EQ(p.stageOfGene(16), 2);
    EXPECT_EQ(p.stageOfGene(17), 2);
    EXPECT_EQ(p.stageOfGene(18), 3);
    EXPECT_EQ(p.stageOfGene(19), -1);
    EXPECT_EQ(p.stageOfGene(-1), -1);
}

TEST(Genome, AllZeroGenomeDecodesToEveryMinimum) {
    EAPGossamerix p;
    EAIndInteger ind = zeroGenome(p);
    const std::vector<int> expected = {3, 0, 0, 10, 10, 10, 10, 2, 2,  5,
                                       5, 5, 5, 2,  2,  2,  1,  3, 100};
    for (int g = 0; g < 19; ++g)
        EXPECT_EQ(p.getGene(ind, static_cast<unsigned>(g)), expected[g]) << g;
}

TEST(Genome, ValuesAboveARangeAreCapped) {
    EAPGossamerix p;
    EAIndInteger ind = zeroGenome(p);
    // Gray 11111 is binary 10101 = 21: 3 + 21 is capped at 20.
    setGeneBits(p, ind, 0, {1, 1, 1, 1, 1});
    EXPECT_EQ(p.getGene(ind, 0), 20);
    // Gray 11111111 is 170: 0 + 170 is capped at 150.
    setGeneBits(p, ind, 2, std::vector<int>(8, 1));
    EXPECT_EQ(p.getGene(ind, 2), 150);
    // Gray 1000 is binary 1111 = 15: 5 + 15 is capped at 15.
    for (int g = 9; g <= 12; ++g) {
        setGeneBits(p, ind, g, {1, 0, 0, 0});
        EXPECT_EQ(p.getGene(ind, static_cast<unsigned>(g)), 15) << g;
    }
    // Gray 10 is 3: 100 + 3 is capped at 102.
    setGeneBits(p, ind, 18, {1, 0});
    EXPECT_EQ(p.getGene(ind, 18), 102);
}

TEST(Genome, FixedGenesYieldTheirMinimumOrOneMore) {
    EAPGossamerix p;
    EAIndInteger ind = zeroGenome(p);
    for (int g : {7, 8, 13, 14, 15}) {
        setGeneBits(p, ind, g, {1});
        EXPECT_EQ(p.getGene(ind, static_cast<unsigned>(g)), 3) << g;
    }
    setGeneBits(p, ind, 16, {1});
    EXPECT_EQ(p.getGene(ind, 16), 2);
}

TEST(Genome, RandomGenotypesDecodeIntoTheirRanges) {
    EAPGossamerix p;
    LRandom::random.seed(77UL);
    for (int n = 0; n < 200; ++n) {
        Spider s;
        p.createRandomGenotype(s.individual);
        EXPECT_EQ(s.individual.numBits, 72);
        for (int g = 0; g < 19; ++g) {
            const int v = p.getGene(s.individual, static_cast<unsigned>(g));
            EXPECT_GE(v, p.geneMin[static_cast<size_t>(g)]);
            EXPECT_LE(v, p.geneMax[static_cast<size_t>(g)]);
        }
    }
}

TEST(Genome, RuleValuesSurviveEncodingAndDecoding) {
    EAPGossamerix p;
    const std::vector<int> rules = {17, 2, 8, 22, 80, 41, 83, 2,  3,  15,
                                    10, 6, 9, 3,  2,  3,  2,  17, 101};
    Spider s = webtest::spiderWithRules(rules);
    p.setGenotype(s.individual, rules);
    for (int g = 0; g < 19; ++g)
        EXPECT_EQ(p.getGene(s.individual, static_cast<unsigned>(g)), rules[g]);
}

TEST(SpiderRecord, NewSpiderHoldsTheDefaults) {
    const Spider s;
    EXPECT_EQ(webtest::rulesOf(s), (std::vector<int>{10, 0, 5, 50, 90, 50, 90, 2, 2, 10, 10, 10, 10,
                                                     2, 2, 2, 2, 6, 100}));
    EXPECT_EQ(s.stage, 0);
    EXPECT_EQ(s.currentRadius, -1);
    EXPECT_EQ(s.spiralDist, -1.0);
    EXPECT_EQ(s.spiralDirection, 1);
    EXPECT_EQ(s.origin, "I");
    EXPECT_EQ(s.parentA, -1);
    EXPECT_EQ(s.parentB, -1);
    EXPECT_EQ(s.individual.fitness, 0.0);
    EXPECT_FALSE(s.individual.isEvaluated);
    EXPECT_FALSE(s.individual.isElite);
    EXPECT_TRUE(s.web.radii.empty());
    EXPECT_TRUE(s.web.spiralThreads.empty());
    EXPECT_EQ(s.web.totalSilk(), 0.0);
    EXPECT_EQ(s.web.firstLoopThreads, 0);
}

TEST(SpiderRecord, RuleIndexNamesEachFieldInGeneOrder) {
    Spider s;
    int32_t Spider::*fields[] = {
        &Spider::numStartRadii,        &Spider::variability,           &Spider::phase,
        &Spider::rMaxLenRight,         &Spider::rMaxLenBottom,         &Spider::rMaxLenLeft,
        &Spider::rMaxLenTop,           &Spider::interpFuncId,          &Spider::interpFuncParam,
        &Spider::rNextRadiiAngleRight, &Spider::rNextRadiiAngleBottom, &Spider::rNextRadiiAngleLeft,
        &Spider::rNextRadiiAngleTop,   &Spider::interpFuncId2,         &Spider::interpFuncParam2,
        &Spider::minFinalRadiiSpace,   &Spider::spiralDistStart,       &Spider::spiralDistEnd,
        &Spider::growthToCentre};
    for (int i = 0; i < NUM_RULES; ++i) {
        s.rule(i) = 1000 + i;
        EXPECT_EQ(s.*fields[i], 1000 + i) << i;
        const Spider& cs = s;
        EXPECT_EQ(cs.rule(i), 1000 + i);
    }
}

TEST(SpiderRecordDeathTest, RuleIndexOutOfRangeEndsTheProcess) {
    Spider s;
    // The message goes to standard output; send that to the checked stream.
    EXPECT_EXIT((dup2(STDERR_FILENO, STDOUT_FILENO), s.rule(19)), ::testing::ExitedWithCode(255),
                "Spider::rule: no rule 19");
    EXPECT_EXIT((dup2(STDERR_FILENO, STDOUT_FILENO), s.rule(-1)), ::testing::ExitedWithCode(255),
                "Spider::rule: no rule -1");
}

} // namespace
