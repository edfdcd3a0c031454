// Stages 3 and 4: the first spiral loop and the main capture spiral.

#include <gtest/gtest.h>

#include <cmath>

#include "WebTestUtil.h"
#include "web/BuilderState.h"
#include "web/RadiusGeometry.h"
#include "web/Spider.h"

namespace {

using webtest::DEG;
using webtest::SilkLimitScope;

// Four radii of the given length on the axes, and the builder state as
// stage 2 leaves it.
Spider fourAxisRadii(double length) {
    Spider s = webtest::axisSpider();
    for (int d : {0, 90, 180, 270})
        webtest::layRadius(s, d, length);
    builder.spiralPrevRadius = -1;
    builder.spiralPrevX = builder.spiralPrevY = builder.loopAngle = 0.0;
    s.currentRadius = -1;
    s.stage = STAGE_FIRST_CAP_SPIRAL_LOOP;
    return s;
}

void runStage(Spider& s, int stage) {
    while (s.stage == stage) {
        if (stage == STAGE_FIRST_CAP_SPIRAL_LOOP)
            s.stepFirstCapSpiralLoop();
        else
            s.stepMainCapSpiral();
    }
}

void expectThread(const SpiralThread& t, int x1, int y1, int x2, int y2) {
    EXPECT_EQ(t.x1, x1);
    EXPECT_EQ(t.y1, y1);
    EXPECT_EQ(t.x2, x2);
    EXPECT_EQ(t.y2, y2);
}

TEST(RadiusGeometry, PointsAlongARadiusFollowItsCurrentAngle) {
    Web w;
    w.addRadius(0, 0.7, 80);
    double x = 0, y = 0;
    radiusgeom::pointAt(w.radii[0], 10, x, y);
    EXPECT_EQ(x, std::cos(0.7) * 10);
    EXPECT_EQ(y, std::sin(0.7) * 10);
    w.radii[0].angle = 2.0; // changed after laying
    radiusgeom::pointAt(w.radii[0], 10, x, y);
    EXPECT_EQ(x, std::cos(2.0) * 10);
    EXPECT_EQ(y, std::sin(2.0) * 10);
    Radius byHand; // never laid
    byHand.angle = 1.0;
    radiusgeom::pointAt(byHand, 3, x, y);
    EXPECT_EQ(x, std::cos(1.0) * 3);
    EXPECT_EQ(radiusgeom::wrap(4, 4), 0);
    EXPECT_EQ(radiusgeom::wrap(-1, 4), 3);
    EXPECT_EQ(radiusgeom::wrap(2, 4), 2);
}

TEST(FirstLoop, FourRadiiOfFiftyGetFourThreadsWithSpacingFour) {
    Spider s = fourAxisRadii(50);
    runStage(s, STAGE_FIRST_CAP_SPIRAL_LOOP);
    EXPECT_EQ(s.stage, STAGE_MAIN_CAP_SPIRAL);
    const Web& w = s.web;
    ASSERT_EQ(w.spiralThreads.size(), 4u);
    // Points at 2, 3, 4, 5 and, back on radius 0, 6 units from the hub.
    expectThread(w.spiralThreads[0], 2, 0, 0, 3);
    expectThread(w.spiralThreads[1], 0, 3, -4, 0);
    expectThread(w.spiralThreads[2], -4, 0, 0, -5);
    expectThread(w.spiralThreads[3], 0, -5, 6, 0);
    EXPECT_EQ(builder.spiralSpacing, 4.0);
    EXPECT_EQ(builder.spiralPrevX, 6.0);
    EXPECT_EQ(builder.spiralPrevY, 0.0);
    EXPECT_EQ(s.currentRadius, 0);
    EXPECT_EQ(w.firstLoopThreads, 3);
    EXPECT_FALSE(w.spiralReachedFrame);
    ASSERT_EQ(w.radii[0].points.size(), 2u);
    EXPECT_EQ(w.radii[2].points.size(), 1u);
    EXPECT_NEAR(w.spiralSilk, std::sqrt(13.0) + 5 + std::sqrt(41.0) + std::sqrt(61.0), 1e-12);
    EXPECT_EQ(s.spiderX, 6);
    EXPECT_EQ(s.spiderY, 0);
}

TEST(FirstLoop, ALoopThatReachesTheFrameStopsAndLeavesNoMainSpiral) {
    // Radii of 20: the loop grows from 2 to 20 units, about 15.5 on the last
    // radius (room 4.5) and 20 back on radius 0 (room 0).
    Spider s = fourAxisRadii(20);
    s.spiralDistEnd = 20;
    runStage(s, STAGE_FIRST_CAP_SPIRAL_LOOP);
    EXPECT_TRUE(s.web.spiralReachedFrame);
    EXPECT_EQ(s.web.spiralThreads.size(), 3u);
    EXPECT_EQ(s.web.firstLoopThreads, 3);
    runStage(s, STAGE_MAIN_CAP_SPIRAL);
    EXPECT_EQ(s.stage, STAGE_COMPLETE);
    EXPECT_EQ(s.web.spiralThreads.size(), 3u);
}

TEST(FirstLoop, ALimitReachedEndsTheLoopWithoutThreads) {
    Spider s = fourAxisRadii(50);
    SilkLimitScope limit(150);
    runStage(s, STAGE_FIRST_CAP_SPIRAL_LOOP);
    EXPECT_EQ(s.stage, STAGE_MAIN_CAP_SPIRAL);
    EXPECT_TRUE(s.web.spiralThreads.empty());
    EXPECT_EQ(builder.spiralSpacing, 0.0);
    runStage(s, STAGE_MAIN_CAP_SPIRAL);
    EXPECT_TRUE(s.web.spiralThreads.empty());
}

TEST(MainSpiral, CanMoveTestsTheNeighbourOneSpacingBeyondItsReach) {
    Spider s = fourAxisRadii(50);
    runStage(s, STAGE_FIRST_CAP_SPIRAL_LOOP);
    // Radius 1 reaches 3, radius 3 reaches 5; spacing 4.
    EXPECT_TRUE(s.canMoveSpiral(1));
    EXPECT_EQ(s.spiralDist, 7.0);
    EXPECT_TRUE(s.canMoveSpiral(-1));
    EXPECT_EQ(s.spiralDist, 9.0);
    builder.spiralSpacing = 45; // 3 + 45.9 fits a radius of 50; 5 + 45.9 does not
    s.growthToCentre = 102;
    EXPECT_TRUE(s.canMoveSpiral(1));
    EXPECT_DOUBLE_EQ(s.spiralDist, 3 + 45.9);
    EXPECT_FALSE(s.canMoveSpiral(-1));
}

TEST(MainSpiral, ConstantSpacingEndsWhenNoNeighbourIsLongEnough) {
    Spider s = webtest::axisSpider();
    s.buildWeb();
    EXPECT_EQ(s.stage, STAGE_COMPLETE);
    // Every radius's points lie 4 units apart.
    for (const Radius& r : s.web.radii) {
        ASSERT_GE(r.points.size(), 2u);
        for (size_t k = 1; k < r.points.size(); ++k) {
            const double a = std::hypot(r.points[k - 1].x, r.points[k - 1].y);
            const double b = std::hypot(r.points[k].x, r.points[k].y);
            EXPECT_EQ(b - a, 4.0) << k;
        }
    }
    // Neither neighbour of the last radius has room for one more spacing.
    s.currentRadius = 0; // the radius of the last point, (50, 0)
    EXPECT_FALSE(s.canMoveSpiral(1));
    EXPECT_FALSE(s.canMoveSpiral(-1));
}

TEST(MainSpiral, ARepeatedThreadEndsTheSpiral) {
    // Two opposite radii and a spacing so small that the point one spacing
    // out rounds back to the last one: the second thread would be the first
    // reversed.
    Spider s = webtest::axisSpider();
    webtest::layRadius(s, 0, 50);
    webtest::layRadius(s, 180, 50);
    s.web.radii[0].points.push_back(SpiralPoint{10, 0});
    s.web.radii[1].points.push_back(SpiralPoint{-10, 0});
    builder.spiralPrevX = 10;
    builder.spiralPrevY = 0;
    builder.spiralSpacing = 0.4;
    s.currentRadius = 0;
    s.stage = STAGE_MAIN_CAP_SPIRAL;
    runStage(s, STAGE_MAIN_CAP_SPIRAL);
    EXPECT_EQ(s.stage, STAGE_COMPLETE);
    ASSERT_EQ(s.web.spiralThreads.size(), 1u);
    expectThread(s.web.spiralThreads[0], 10, 0, -10, 0);
    EXPECT_EQ(s.currentRadius, 0);
}

TEST(MainSpiral, ALimitReachedEndsTheSpiralAtOnce) {
    Spider s = fourAxisRadii(50);
    runStage(s, STAGE_FIRST_CAP_SPIRAL_LOOP);
    SilkLimitScope limit(200); // the radii alone
    const size_t threads = s.web.spiralThreads.size();
    s.stepMainCapSpiral();
    EXPECT_EQ(s.stage, STAGE_COMPLETE);
    EXPECT_EQ(s.web.spiralThreads.size(), threads);
}

TEST(MainSpiral, WithoutSpacingTheSpiralEnds) {
    // A first loop whose closing radius has one point leaves no spacing; the
    // main spiral would only circle on the points it has.
    Spider s = fourAxisRadii(50);
    s.web.radii[0].points.push_back(SpiralPoint{6, 0});
    builder.spiralSpacing = 0.0;
    s.currentRadius = 0;
    s.stage = STAGE_MAIN_CAP_SPIRAL;
    runStage(s, STAGE_MAIN_CAP_SPIRAL);
    EXPECT_EQ(s.stage, STAGE_COMPLETE);
    EXPECT_TRUE(s.web.spiralThreads.empty());
}

} // namespace
