// The grid-based prey test must catch exactly the prey that the plain test
// (every prey against every thread) catches.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "WebTestUtil.h"
#include "core/LRandom.h"
#include "web/EAPGossamerix.h"
#include "web/PreyCapture.h"
#include "web/Spider.h"

namespace {

void expectSameCatch(const std::vector<SpiralThread>& threads, const std::vector<Prey>& prey,
                     const std::vector<uint8_t>& success, double size) {
    std::vector<int32_t> plain;
    std::vector<int32_t> fast;
    ThreadGrid grid;
    findCaughtPreyPlain(threads, prey, success.data(), size, plain);
    grid.findCaughtPrey(threads, prey, success.data(), size, fast);
    EXPECT_EQ(plain, fast) << "prey size " << size;
}

// Prey that meet the threads at their edges: tangent at an end point
// (distance exactly r), touching the bounding box exactly, and on the end
// points themselves.
std::vector<Prey> edgePrey(const std::vector<SpiralThread>& threads, double r) {
    std::vector<Prey> prey;
    for (size_t i = 0; i < threads.size(); i += 7) {
        const SpiralThread& t = threads[i];
        prey.push_back(Prey{t.x1 + 0.6 * r, t.y1 + 0.8 * r});
        prey.push_back(Prey{t.x2 - 0.6 * r, t.y2 - 0.8 * r});
        prey.push_back(Prey{t.x1 + r, static_cast<double>(t.y1)});
        prey.push_back(Prey{t.x2 - r, static_cast<double>(t.y2)});
        prey.push_back(Prey{static_cast<double>(t.x1), t.y1 - r});
        prey.push_back(Prey{static_cast<double>(t.x2), static_cast<double>(t.y2)});
        prey.push_back(Prey{(t.x1 + t.x2) / 2.0, (t.y1 + t.y2) / 2.0 + r});
    }
    return prey;
}

TEST(PreyCapture, GridCatchesWhatThePlainLoopCatches) {
    EAPGossamerix p;
    LRandom::random.seed(2024UL);
    const double sizes[] = {0.5, 1, 2, 3, 4, 7.5, 10, 25, 300};
    int webs = 0;
    int caughtTotal = 0;
    for (int n = 0; n < 60; ++n) {
        Spider s;
        p.createRandomGenotype(s.individual);
        for (int g = 0; g < NUM_RULES; ++g)
            s.rule(g) = p.getGene(s.individual, static_cast<unsigned>(g));
        s.buildWeb();
        const auto& threads = s.web.spiralThreads;
        p.createPrey(150);
        std::vector<uint8_t> success(p.prey.size());
        for (auto& f : success)
            f = LRandom::getUniformRand(0, 1) < 0.8 ? 1 : 0;
        for (double size : sizes) {
            expectSameCatch(threads, p.prey, success, size);
            const std::vector<Prey> edges = edgePrey(threads, size);
            expectSameCatch(threads, edges, std::vector<uint8_t>(edges.size(), 1), size);
            std::vector<int32_t> caught;
            findCaughtPreyPlain(threads, p.prey, success.data(), size, caught);
            caughtTotal += static_cast<int>(caught.size());
        }
        ++webs;
    }
    EXPECT_EQ(webs, 60);
    EXPECT_GT(caughtTotal, 1000); // the webs do catch
}

TEST(PreyCapture, PreyOutsideTheSquareAndOddSizes) {
    Spider s;
    s.buildWeb();
    const auto& threads = s.web.spiralThreads;
    ASSERT_FALSE(threads.empty());
    std::vector<Prey> prey = {{-150, 0},  {150, 150}, {0, -101}, {99.9, -99.9},
                              {1e9, 1e9}, {0, 0},     {3, 4},    {-100, 100}};
    const std::vector<uint8_t> all(prey.size(), 1);
    for (double size : {0.0, -4.0, 1e-12, 60.0, 1e6})
        expectSameCatch(threads, prey, all, size);
}

TEST(PreyCapture, ATangentPreyIsNotCaught) {
    std::vector<SpiralThread> threads = {{0, 10, 20, 10}};
    const std::vector<Prey> prey = {{10, 14}, {10, 13.999}, {24, 10}, {23.9, 10}, {23, 14}};
    const std::vector<uint8_t> all(prey.size(), 1);
    std::vector<int32_t> caught;
    ThreadGrid grid;
    grid.findCaughtPrey(threads, prey, all.data(), 4.0, caught);
    // (23, 14) is 5 from the end point (20, 10): outside.
    EXPECT_EQ(caught, (std::vector<int32_t>{1, 3}));
    expectSameCatch(threads, prey, all, 4.0);
}

TEST(PreyCapture, OnlySpiralThreadsCatchNotRadii) {
    Spider s = webtest::axisSpider();
    s.buildWeb();
    // (8, 0) lies on the radius at 0 degrees, between the spiral points at 6
    // and 10 (the nearest thread is 1.28 away); (0, -51) is 1 from the end of
    // the radius at 270 degrees (2 from the spiral); (25.5, 25.5) is 0.71
    // from the frame line x + y = 50 (3.2 from the spiral).
    const std::vector<Prey> prey = {{8, 0}, {0, -51}, {25.5, 25.5}};
    const std::vector<uint8_t> all(prey.size(), 1);
    std::vector<int32_t> caught;
    ThreadGrid grid;
    grid.findCaughtPrey(s.web.spiralThreads, prey, all.data(), 1.2, caught);
    EXPECT_TRUE(caught.empty());
    grid.findCaughtPrey(s.web.spiralThreads, prey, all.data(), 1.4, caught);
    EXPECT_EQ(caught, (std::vector<int32_t>{0})); // 1.4 reaches the thread near (8, 0)
    expectSameCatch(s.web.spiralThreads, prey, all, 1.2);
}

TEST(PreyCapture, AFailedAttackIsNeverCaught) {
    std::vector<SpiralThread> threads = {{0, 0, 20, 0}};
    const std::vector<Prey> prey = {{5, 1}, {10, 1}, {15, 1}};
    std::vector<int32_t> caught;
    ThreadGrid grid;
    const uint8_t middleFails[] = {1, 0, 1};
    grid.findCaughtPrey(threads, prey, middleFails, 4.0, caught);
    EXPECT_EQ(caught, (std::vector<int32_t>{0, 2}));
    findCaughtPreyPlain(threads, prey, middleFails, 4.0, caught);
    EXPECT_EQ(caught, (std::vector<int32_t>{0, 2}));
}

TEST(PreyCapture, OneGridServesWebsOfEverySize) {
    ThreadGrid grid;
    const std::vector<Prey> prey = {{5, 1}, {50, 50}};
    const std::vector<uint8_t> all(prey.size(), 1);
    std::vector<int32_t> caught;
    std::vector<SpiralThread> many;
    for (int i = 0; i < 100; ++i)
        many.push_back({-100 + 2 * i, 50, -98 + 2 * i, 50});
    grid.findCaughtPrey(many, prey, all.data(), 1.5, caught);
    EXPECT_EQ(caught, (std::vector<int32_t>{1}));
    grid.findCaughtPrey({{0, 0, 20, 0}}, prey, all.data(), 1.5, caught);
    EXPECT_EQ(caught, (std::vector<int32_t>{0}));
    grid.findCaughtPrey({}, prey, all.data(), 1.5, caught);
    EXPECT_TRUE(caught.empty());
}

} // namespace
