// Scoring: the attack model, the cost terms, rounding and the evaluation.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "WebTestUtil.h"
#include "core/LRandom.h"
#include "web/EAPGossamerix.h"
#include "web/Fitness.h"
#include "web/Spider.h"

namespace {

// The shared generator's state, to see whether anything drew from it.
std::vector<unsigned long> generatorState() {
    std::vector<unsigned long> state(MTRand::SAVE);
    LRandom::random.save(state.data());
    return state;
}

// A problem with a fresh swarm of n prey drawn after seeding the generator.
EAPGossamerix withPrey(unsigned long seed, int n, bool attackDistance = false) {
    EAPGossamerix p;
    p.useAttackDistance = attackDistance;
    LRandom::random.seed(seed);
    p.createPrey(n);
    return p;
}

void evaluate(EAPGossamerix& p, Spider& s, double size = 4, double value = 20,
              double silkFactor = 1, double timeFactor = 0) {
    s.individual.isEvaluated = false;
    p.evaluateSpider(s, size, value, silkFactor, timeFactor);
}

TEST(FitnessTerms, SilkCostAndTimePenalty) {
    Web w;
    w.radii.resize(10);
    w.spiralThreads.resize(100);
    w.radiusSilk = 500;
    w.spiralSilk = 1200;
    w.frameSilk = 300;
    EXPECT_DOUBLE_EQ(fitness::silkCost(w, 1.0), 10.0);
    EXPECT_DOUBLE_EQ(fitness::timePenalty(w, 1.0), 5.5);
    EXPECT_DOUBLE_EQ(fitness::silkCost(w, 2.5), 25.0);
    EXPECT_EQ(fitness::timePenalty(w, 0.0), 0.0);
}

TEST(FitnessTerms, RoundingHalvesAwayFromZeroAndNeverNegative) {
    EXPECT_EQ(fitness::rounded(3 * 20 - 10.4 - 5.5), 44.0);
    EXPECT_EQ(fitness::rounded(12.5), 13.0);
    EXPECT_EQ(fitness::rounded(12.49), 12.0);
    EXPECT_EQ(fitness::rounded(-0.4), 0.0);
    EXPECT_FALSE(std::signbit(fitness::rounded(-0.4))); // not -0
    EXPECT_EQ(fitness::rounded(-0.5), 0.0);
    EXPECT_EQ(fitness::rounded(-30), 0.0);
    EXPECT_EQ(fitness::rounded(std::nan("")), 0.0);
}

TEST(AttackModel, DistanceAloneCatchesNothingFromEightyUnits) {
    // Exactly 80 units out: p = 1 - (8 - 1) / 7 = 0, never above a draw.
    for (const Prey& q : std::vector<Prey>{{80, 0}, {0, -80}, {48, 64}, {-64, 48}})
        EXPECT_EQ(EAPGossamerix::attackChance(q.x, q.y, false), 0.0);
    for (double a = 0; a < 6.3; a += 0.1) {
        EXPECT_EQ(EAPGossamerix::attackChance(95 * std::cos(a), 95 * std::sin(a), false), 0.0);
        EXPECT_EQ(EAPGossamerix::attackChance(81 * std::cos(a), 81 * std::sin(a), false), 0.0);
        EXPECT_EQ(EAPGossamerix::attackChance(9.9 * std::cos(a), 9.9 * std::sin(a), false), 1.0);
    }
    EXPECT_DOUBLE_EQ(EAPGossamerix::attackChance(45, 0, false), 0.5);
    EXPECT_DOUBLE_EQ(EAPGossamerix::attackChance(0, -45, false), 0.5);
}

TEST(AttackModel, GravityWeighsByDirection) {
    // Unit 20 straight on the +y side: p reaches 0 only at 160 units.
    EXPECT_GT(EAPGossamerix::attackChance(0, 150, true), 0.0);
    EXPECT_DOUBLE_EQ(EAPGossamerix::attackChance(0, 90, true), 0.5);
    // Unit 6 on the -y side: nothing beyond 48 units.
    EXPECT_EQ(EAPGossamerix::attackChance(0, -48, true), 0.0);
    EXPECT_GT(EAPGossamerix::attackChance(0, -47, true), 0.0);
    // Unit 10 to the sides.
    EXPECT_DOUBLE_EQ(EAPGossamerix::attackChance(-45, 0, true), 0.5);
    // A blend between: (|y| 20 + |x| 10) / (|y| + |x|) = 15 on the diagonal.
    EXPECT_DOUBLE_EQ(EAPGossamerix::attackChance(30, 30, true),
                     1 - (std::sqrt(1800.0) / 15 - 1) / 7);
    EXPECT_EQ(EAPGossamerix::attackChance(0, 0, true), 1.0); // at the hub
}

TEST(Evaluation, AttackOffDrawsNoRandomNumber) {
    EAPGossamerix p = withPrey(3, 100);
    Spider s;
    const std::vector<unsigned long> before = generatorState();
    evaluate(p, s);
    EXPECT_EQ(generatorState(), before);
    EXPECT_GT(s.numCaught, 0);
}

TEST(Evaluation, AttackByDistanceDrawsOncePerPrey) {
    EAPGossamerix p = withPrey(3, 100, true);
    MTRand copy;
    std::vector<unsigned long> state = generatorState();
    copy.load(state.data());
    for (int i = 0; i < 100; ++i)
        copy.randInt();
    Spider s;
    evaluate(p, s);
    std::vector<unsigned long> expected(MTRand::SAVE);
    copy.save(expected.data());
    EXPECT_EQ(generatorState(), expected);
}

TEST(Evaluation, DistanceModelNeverCatchesFarPrey) {
    EAPGossamerix p = withPrey(11, 3000, true);
    Spider s;
    s.rMaxLenRight = s.rMaxLenBottom = s.rMaxLenLeft = s.rMaxLenTop = 100;
    evaluate(p, s, 10);
    int near = 0;
    for (int32_t k : s.web.caughtPrey) {
        const Prey& q = p.prey[static_cast<size_t>(k)];
        EXPECT_LT(std::hypot(q.x, q.y), 80.0);
        if (std::hypot(q.x, q.y) < 10)
            ++near;
    }
    EXPECT_GT(s.numCaught, 0);
    // Without the attack model, prey within 10 units are caught the same.
    EAPGossamerix off;
    off.prey = p.prey;
    Spider t = s;
    evaluate(off, t, 10);
    int nearOff = 0;
    for (int32_t k : t.web.caughtPrey) {
        const Prey& q = p.prey[static_cast<size_t>(k)];
        if (std::hypot(q.x, q.y) < 10)
            ++nearOff;
    }
    EXPECT_EQ(near, nearOff);
    EXPECT_GT(t.numCaught, s.numCaught);
}

TEST(Evaluation, FitnessIsCaughtTimesValueLessCosts) {
    EAPGossamerix p = withPrey(8, 100);
    Spider s;
    evaluate(p, s, 4, 20, 0.5, 2);
    const double f = s.numCaught * 20.0 - s.silkCost - s.timePenalty;
    EXPECT_EQ(s.individual.fitness, f > 0 ? std::round(f) : 0.0);
    EXPECT_DOUBLE_EQ(s.silkCost, s.web.totalSilk() / 200 * 0.5);
    EXPECT_DOUBLE_EQ(s.timePenalty,
                     static_cast<double>(s.web.radii.size() + s.web.spiralThreads.size()) / 20 * 2);
    EXPECT_EQ(static_cast<size_t>(s.numCaught), s.web.caughtPrey.size());
    EXPECT_TRUE(s.individual.isEvaluated);
    for (size_t i = 1; i < s.web.caughtPrey.size(); ++i)
        EXPECT_LT(s.web.caughtPrey[i - 1], s.web.caughtPrey[i]);
}

TEST(Evaluation, HighCostsGiveZeroNotNegative) {
    EAPGossamerix p = withPrey(8, 100);
    Spider s;
    evaluate(p, s, 4, 20, 1000, 0);
    EXPECT_EQ(s.individual.fitness, 0.0);
    EXPECT_GT(s.silkCost, 0.0);
}

TEST(Evaluation, NoPreyGivesZeroFitness) {
    EAPGossamerix p;
    p.createPrey(0);
    EXPECT_TRUE(p.prey.empty());
    p.createPrey(-5);
    EXPECT_TRUE(p.prey.empty());
    Spider s;
    evaluate(p, s);
    EXPECT_EQ(s.individual.fitness, 0.0);
    EXPECT_EQ(s.numCaught, 0);
}

TEST(Evaluation, AnEvaluatedSpiderIsLeftAlone) {
    EAPGossamerix p = withPrey(8, 100);
    Spider s;
    s.individual.isEvaluated = true;
    s.individual.fitness = 1234;
    p.evaluateSpider(s, 4, 20, 1, 0);
    EXPECT_TRUE(s.web.radii.empty());
    EXPECT_EQ(s.individual.fitness, 1234);
    EXPECT_EQ(s.stage, 0);
}

TEST(Evaluation, PlainAndGridEvaluationsAgree) {
    EAPGossamerix grid;
    EAPGossamerix plain;
    plain.plainCapture = true;
    grid.useAttackDistance = plain.useAttackDistance = true;
    grid.useGravity = plain.useGravity = true;
    LRandom::random.seed(21UL);
    grid.createPrey(200);
    plain.prey = grid.prey;
    for (int n = 0; n < 30; ++n) {
        Spider s;
        grid.createRandomGenotype(s.individual);
        for (int g = 0; g < NUM_RULES; ++g)
            s.rule(g) = grid.getGene(s.individual, static_cast<unsigned>(g));
        Spider t = s;
        std::vector<unsigned long> before = generatorState();
        evaluate(grid, s);
        LRandom::random.load(before.data());
        evaluate(plain, t);
        EXPECT_EQ(s.web.caughtPrey, t.web.caughtPrey);
        EXPECT_EQ(s.individual.fitness, t.individual.fitness);
    }
}

TEST(Prey, CreatedUniformlyOverTheSquareXBeforeY) {
    EAPGossamerix p;
    LRandom::random.seed(5UL);
    p.createPrey(50);
    MTRand g(5UL);
    ASSERT_EQ(p.prey.size(), 50u);
    for (const Prey& q : p.prey) {
        EXPECT_EQ(q.x, g.rand() * 200 - 100);
        EXPECT_EQ(q.y, g.rand() * 200 - 100);
    }
    p.createPrey(3);
    EXPECT_EQ(p.prey.size(), 3u);
}

} // namespace
