// How laid silk is stored, rounded, clamped and charged.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "WebTestUtil.h"
#include "web/BuilderState.h"
#include "web/Spider.h"
#include "web/Web.h"
#include "web/WebMath.h"

namespace {

constexpr double QUARTER_PI = 0.7853981633974483;

void setPrevious(double x, double y) {
    builder.spiralPrevX = x;
    builder.spiralPrevY = y;
}

TEST(AddRadius, ClampsToTheSquareAndChargesTheClampedLength) {
    Web w;
    EXPECT_EQ(w.addRadius(0, 0.0, 150.0), 0);
    EXPECT_EQ(w.radii[0].endX, 100);
    EXPECT_EQ(w.radii[0].endY, 0);
    EXPECT_EQ(w.radii[0].length, 100);
    EXPECT_EQ(w.radii[0].hubX, 0);
    EXPECT_EQ(w.radii[0].hubY, 0);
    EXPECT_EQ(w.radiusSilk, 100.0);
    EXPECT_EQ(w.lastX, 100);
    EXPECT_EQ(w.lastY, 0);

    Web d;
    d.addRadius(1, QUARTER_PI, 200.0);
    EXPECT_EQ(d.radii[0].endX, 100);
    EXPECT_EQ(d.radii[0].endY, 100);
    EXPECT_EQ(d.radii[0].length, 141);
    EXPECT_EQ(d.radii[0].kind, 1);
    EXPECT_EQ(d.radii[0].angle, QUARTER_PI); // as requested, not recomputed
    EXPECT_NEAR(d.radiusSilk, 141.42135623730951, 1e-12);
}

TEST(AddRadius, RoundsTheEndAndTruncatesTheLastPosition) {
    Web w;
    w.addRadius(0, 2.0, 10.6);
    const double x = std::cos(2.0) * 10.6; // -4.41...
    EXPECT_EQ(w.radii[0].endX, -4);
    EXPECT_EQ(w.radii[0].endY, 10);
    EXPECT_EQ(w.lastX, static_cast<int>(x)); // toward zero: -4
    EXPECT_EQ(w.lastY, 9);
    EXPECT_EQ(w.radii[0].length, 11); // trunc(sqrt(116) + 0.5) = trunc(11.27)
    EXPECT_NEAR(w.radiusSilk, 10.6, 1e-12);
    EXPECT_TRUE(w.radii[0].points.empty());
}

TEST(AddRadius, HalvesRoundAwayFromZero) {
    Web w;
    w.addRadius(0, 3.14159265358979323846, 2.5); // (-2.5, ~0)
    EXPECT_EQ(w.radii[0].endX, -3);
    EXPECT_EQ(w.lastX, -2);
}

TEST(AddRadius, CoordinateRoundingIsStdRound) {
    const double tricky[] = {0.49999999999999994,
                             -0.49999999999999994,
                             0.5,
                             -0.5,
                             1.5,
                             -1.5,
                             2.5,
                             -2.5,
                             99.5,
                             -99.5,
                             100,
                             -100,
                             0.0,
                             -0.0,
                             1e-300,
                             7.4999999};
    for (double v : tricky)
        EXPECT_EQ(webmath::roundCoord(v), std::round(v)) << v;
    for (int i = -200000; i <= 200000; ++i) {
        const double v = i / 2000.0;
        ASSERT_EQ(webmath::roundCoord(v), std::round(v)) << v;
        const double up = std::nextafter(v, 1000.0);
        const double down = std::nextafter(v, -1000.0);
        ASSERT_EQ(webmath::roundCoord(up), std::round(up)) << up;
        ASSERT_EQ(webmath::roundCoord(down), std::round(down)) << down;
    }
}

TEST(AddRadius, KeepsRadiiSortedByAngleAndEqualAnglesInLayingOrder) {
    Web w;
    EXPECT_EQ(w.addRadius(0, 1.0, 20), 0);
    EXPECT_EQ(w.addRadius(0, 3.0, 20), 1);
    EXPECT_EQ(w.addRadius(0, 2.0, 20), 1);
    EXPECT_EQ(w.radii[0].angle, 1.0);
    EXPECT_EQ(w.radii[1].angle, 2.0);
    EXPECT_EQ(w.radii[2].angle, 3.0);
    EXPECT_EQ(w.addRadius(1, 2.0, 30), 2); // after the radius of the same angle
    EXPECT_EQ(w.radii[2].kind, 1);
    EXPECT_EQ(w.radii[1].kind, 0);
    EXPECT_EQ(w.addRadius(0, -0.01, 20), 0); // a slightly negative first radius
}

TEST(AddRadius, UndefinedLengthsNeverBecomeUndefinedCoordinates) {
    Web w;
    // An infinite length runs to the edge of the square.
    w.addRadius(1, 0.5, std::numeric_limits<double>::infinity());
    EXPECT_EQ(w.radii[0].endX, 100);
    EXPECT_EQ(w.radii[0].endY, 100);
    EXPECT_TRUE(std::isfinite(w.radiusSilk));
    // A length that is not a number lays a radius of length 0 at the hub.
    Web n;
    n.addRadius(1, 0.5, std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(n.radii[0].endX, 0);
    EXPECT_EQ(n.radii[0].endY, 0);
    EXPECT_EQ(n.radii[0].length, 0);
    EXPECT_EQ(n.radiusSilk, 0.0);
}

TEST(AddSpiralThread, RoundsClampsAndChargesTheRoundedThread) {
    Web w;
    w.addRadius(0, 0.0, 50);
    w.addRadius(0, 1.0, 50);
    setPrevious(3.5, -0.5);
    EXPECT_TRUE(w.addSpiralThread(0, 1, 120.2, 4.49));
    ASSERT_EQ(w.spiralThreads.size(), 1u);
    const SpiralThread& t = w.spiralThreads[0];
    EXPECT_EQ(t.x1, 4);
    EXPECT_EQ(t.y1, -1);
    EXPECT_EQ(t.x2, 100);
    EXPECT_EQ(t.y2, 4);
    EXPECT_EQ(w.lastX, 100);
    EXPECT_EQ(w.lastY, 4);
    EXPECT_DOUBLE_EQ(w.spiralSilk, std::sqrt(96.0 * 96.0 + 25.0));
    ASSERT_EQ(w.radii[0].points.size(), 1u);
    EXPECT_EQ(w.radii[0].points[0].x, 4);
    ASSERT_EQ(w.radii[1].points.size(), 1u);
    EXPECT_EQ(w.radii[1].points[0].y, 4);
}

TEST(AddSpiralThread, RefusesTheSameThreadEitherWayRound) {
    Web w;
    w.addRadius(0, 0.0, 50);
    w.addRadius(0, 1.0, 50);
    setPrevious(10, 0);
    ASSERT_TRUE(w.addSpiralThread(0, 1, 6, 8));
    const double silk = w.spiralSilk;
    setPrevious(10.2, 0.1); // rounds to the same thread
    EXPECT_FALSE(w.addSpiralThread(0, 1, 6.3, 7.6));
    setPrevious(6, 8); // the same thread reversed
    EXPECT_FALSE(w.addSpiralThread(1, 0, 10, 0));
    EXPECT_EQ(w.spiralThreads.size(), 1u);
    EXPECT_EQ(w.spiralSilk, silk);
    EXPECT_EQ(w.radii[0].points.size(), 1u);
    EXPECT_EQ(w.radii[1].points.size(), 1u);
    // A thread that repeats an older one (not the last) is laid.
    setPrevious(6, 8);
    ASSERT_TRUE(w.addSpiralThread(1, 0, 12, 0));
    setPrevious(10, 0);
    EXPECT_TRUE(w.addSpiralThread(0, 1, 6, 8));
}

TEST(AddSpiralThread, AddsAMeetingPointToItsRadiusOnce) {
    Web w;
    w.addRadius(0, 0.0, 50);
    w.addRadius(0, 1.0, 50);
    w.addRadius(0, 2.0, 50);
    setPrevious(10, 0);
    ASSERT_TRUE(w.addSpiralThread(0, 1, 5, 9));
    setPrevious(5, 9);
    ASSERT_TRUE(w.addSpiralThread(1, 2, -4, 9));
    ASSERT_EQ(w.radii[1].points.size(), 1u);
    EXPECT_EQ(w.radii[1].points[0].x, 5);
    EXPECT_EQ(w.radii[1].points[0].y, 9);
    EXPECT_EQ(w.radii[2].points.size(), 1u);
}

TEST(ClearWeb, EmptiesTheWebAndKeepsRulesAndResults) {
    Spider s = webtest::axisSpider();
    s.buildWeb();
    s.numCaught = 7;
    s.silkCost = 3.5;
    s.spiralDirection = -1;
    s.web.isHighlighted = true;
    s.web.isMarked = true;
    s.web.caughtPrey.push_back(3);
    const int spiderX = s.spiderX;
    const std::vector<int> rules = webtest::rulesOf(s);
    s.clearWeb();
    EXPECT_EQ(s.stage, 0);
    EXPECT_EQ(s.currentRadius, -1);
    EXPECT_EQ(s.spiralDist, -1.0);
    EXPECT_TRUE(s.web.radii.empty());
    EXPECT_TRUE(s.web.spiralThreads.empty());
    EXPECT_TRUE(s.web.caughtPrey.empty());
    EXPECT_FALSE(s.web.spiralReachedFrame);
    EXPECT_FALSE(s.web.isHighlighted);
    EXPECT_FALSE(s.web.isMarked);
    EXPECT_EQ(s.web.totalSilk(), 0.0);
    EXPECT_EQ(s.web.firstLoopThreads, 0);
    EXPECT_EQ(webtest::rulesOf(s), rules);
    EXPECT_EQ(s.spiralDirection, -1);
    EXPECT_EQ(s.spiderX, spiderX);
    EXPECT_EQ(s.numCaught, 7);
    EXPECT_EQ(s.silkCost, 3.5);
}

TEST(SpiderRecord, CopyingASpiderCopiesItsWeb) {
    Spider a = webtest::axisSpider();
    a.buildWeb();
    Spider b = a;
    a.clearWeb();
    Spider c = webtest::axisSpider();
    c.buildWeb();
    webtest::expectSameWeb(b.web, c.web);
}

} // namespace
