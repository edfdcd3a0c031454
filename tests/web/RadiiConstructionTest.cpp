// Stages 1 and 2: the first radii and the frame, then the additional radii.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "WebTestUtil.h"
#include "core/LGeom.h"
#include "web/BuilderState.h"
#include "web/Quarters.h"
#include "web/Spider.h"

namespace {

using webtest::DEG;
using webtest::SilkLimitScope;

// The rand() values a build draws first: srand(1000), then n draws.
std::vector<int> firstDraws(int n) {
    std::srand(1000);
    std::vector<int> v;
    for (int i = 0; i < n; ++i)
        v.push_back(std::rand());
    return v;
}

// A spider with 10-degree steps whose web has radii (degrees, length) and
// which stands on radius `from` in stage 2, the walk having started at
// direction startDeg.
Spider stageTwoOn(const std::vector<std::pair<double, double>>& radii, int from, double startDeg) {
    Spider s = webtest::axisSpider();
    s.rNextRadiiAngleRight = s.rNextRadiiAngleBottom = 10;
    s.rNextRadiiAngleLeft = s.rNextRadiiAngleTop = 10;
    for (const auto& r : radii)
        webtest::layRadius(s, r.first, r.second);
    s.currentRadius = from;
    builder.startRadiusAngle = startDeg * DEG;
    s.stage = STAGE_ADDITIONAL_RADII;
    return s;
}

// One stage-2 step; returns what it wrote on standard output.
std::string stepCapturingOutput(Spider& s) {
    testing::internal::CaptureStdout();
    s.stepAdditionalRadii();
    return testing::internal::GetCapturedStdout();
}

TEST(Quarters, BoundsAreTheWrittenLiterals) {
    EXPECT_EQ(quarters::quarterOf(-0.1), quarters::RIGHT);
    EXPECT_EQ(quarters::quarterOf(1.57079632678), quarters::RIGHT);
    EXPECT_EQ(quarters::quarterOf(1.57079632679), quarters::BOTTOM);
    EXPECT_EQ(quarters::quarterOf(3.141592653589793), quarters::BOTTOM); // below 3.14159265359
    EXPECT_EQ(quarters::quarterOf(3.14159265359), quarters::LEFT);
    EXPECT_EQ(quarters::quarterOf(4.71238898038), quarters::TOP);
    EXPECT_EQ(quarters::quarterOf(7.0), quarters::TOP);
}

TEST(Quarters, InterpolationReachesSeventyPercentAtTheQuarterEnd) {
    const double v[4] = {10, 20, 40, 80};
    EXPECT_EQ(quarters::interpolate(0.0, v), 10.0);
    EXPECT_DOUBLE_EQ(quarters::interpolate(1.57079632679 / 2, v), 10 + 0.7 * 10 / 2);
    EXPECT_DOUBLE_EQ(quarters::interpolate((1.57079632679 + 3.14159265359) / 2, v),
                     20 + 0.7 * 20 / 2);
    // Top runs towards the value of Right.
    EXPECT_DOUBLE_EQ(quarters::interpolate(6.28318530718, v), 80 + 0.7 * (10 - 80));
}

TEST(FirstRadii, AxisDirectionsFollowTheirQuarterRules) {
    Spider s;
    s.numStartRadii = 4;
    s.variability = 0;
    s.phase = 0;
    s.rMaxLenRight = 20;
    s.rMaxLenBottom = 30;
    s.rMaxLenLeft = 60;
    s.rMaxLenTop = 80;
    s.buildWebToStage(1);
    const Web& w = s.web;
    ASSERT_EQ(w.radii.size(), 4u);
    EXPECT_EQ(w.radii[0].angle, 0.0);
    EXPECT_EQ(w.radii[1].angle, 90 * DEG);
    EXPECT_EQ(w.radii[2].angle, 180 * DEG);
    EXPECT_EQ(w.radii[3].angle, 270 * DEG);
    EXPECT_EQ(w.radii[0].endX, 20);  // Right at its start
    EXPECT_EQ(w.radii[1].endY, 30);  // Bottom at its start
    EXPECT_EQ(w.radii[2].endX, -51); // Bottom at its far end: 30 + 0.7 x (60 - 30)
    EXPECT_EQ(w.radii[3].endY, -80); // Top at its start
    const double rules[4] = {20, 30, 60, 80};
    // 90 and 270 degrees lie just above the literal bounds 1.57079632679 and
    // 4.71238898038 (by about 5e-12 and 7e-12 radians).
    EXPECT_NEAR(quarters::interpolate(90 * DEG, rules), 30.0, 2e-10);
    EXPECT_NEAR(quarters::interpolate(270 * DEG, rules), 80.0, 2e-10);
    // 180 degrees (3.141592653589793) lies just below the literal 3.14159265359.
    EXPECT_NEAR(quarters::interpolate(180 * DEG, rules), 51.0, 1e-9);
    EXPECT_NEAR(w.radiusSilk, 20 + 30 + 51 + 80, 1e-9);
    EXPECT_EQ(s.stage, STAGE_ADDITIONAL_RADII);
    EXPECT_EQ(s.currentRadius, 3);
    EXPECT_EQ(builder.startRadiusAngle, 270 * DEG);
}

// Stage 1 of three first radii without jitter at the given phase.
Spider threeFirstRadii(int phase) {
    Spider s;
    s.numStartRadii = 3;
    s.variability = 0;
    s.phase = phase;
    s.buildWebToStage(1);
    return s;
}

TEST(FirstRadii, DirectionAboveAFullTurnIsReducedOnceAndAFullTurnStays) {
    const Spider s = threeFirstRadii(150);
    ASSERT_EQ(s.web.radii.size(), 3u);
    // 150, 270 and 390 -> 30 degrees, sorted by angle.
    EXPECT_DOUBLE_EQ(s.web.radii[0].angle, 30 * DEG);
    EXPECT_DOUBLE_EQ(s.web.radii[1].angle, 150 * DEG);
    EXPECT_DOUBLE_EQ(s.web.radii[2].angle, 270 * DEG);
    // The last radius laid (390 -> 30 degrees) is where stage 2 starts.
    EXPECT_EQ(s.currentRadius, 0);
    // 120, 240 and 360: a direction of exactly a full turn stays.
    const Spider t = threeFirstRadii(120);
    ASSERT_EQ(t.web.radii.size(), 3u);
    EXPECT_DOUBLE_EQ(t.web.radii[2].angle, 360 * DEG);
}

TEST(FirstRadii, ZeroVariabilityStillDrawsOncePerRadius) {
    Spider s;
    s.numStartRadii = 7;
    s.variability = 0;
    const std::vector<int> draws = firstDraws(8);
    s.buildWebToStage(1);
    EXPECT_EQ(std::rand(), draws[7]);
}

TEST(FirstRadii, JitterComesFromTheCLibraryGenerator) {
    Spider s;
    s.numStartRadii = 5;
    s.variability = 2;
    s.phase = 10;
    const std::vector<int> draws = firstDraws(5);
    s.buildWebToStage(1);
    ASSERT_EQ(s.web.radii.size(), 5u);
    for (int n = 0; n < 5; ++n) {
        const double d = 72.0 * n + 10 + draws[n] % 5 - 2;
        EXPECT_DOUBLE_EQ(s.web.radii[n].angle, d * DEG) << n;
    }
}

TEST(FirstRadii, FrameChargeIsTheDistanceOfEachEndToTheFirstEnd) {
    Spider s = webtest::axisSpider();
    s.buildWebToStage(1);
    // Ends (50, 0), (0, 50), (-50, 0), (0, -50).
    EXPECT_NEAR(s.web.frameSilk, 0 + std::sqrt(5000.0) + 100 + std::sqrt(5000.0), 1e-12);
}

TEST(SilkLimit, LimitOfTenKeepsOneRadiusAndNoSpiral) {
    SilkLimitScope limit(10);
    Spider s;
    s.phase = 0;
    s.variability = 0;
    s.buildWeb(limit.value());
    EXPECT_EQ(s.stage, STAGE_COMPLETE);
    ASSERT_EQ(s.web.radii.size(), 1u);
    EXPECT_EQ(s.web.radii[0].angle, 0.0);
    EXPECT_EQ(s.web.radii[0].length, s.rMaxLenRight);
    EXPECT_TRUE(s.web.spiralThreads.empty());
    EXPECT_EQ(s.web.frameSilk, 0.0);
    EXPECT_EQ(s.web.radiusSilk, s.rMaxLenRight);
}

TEST(SilkLimit, LimitOfZeroStillLaysTheFirstRadius) {
    SilkLimitScope limit(0);
    Spider s;
    s.buildWeb(limit.value());
    EXPECT_EQ(s.stage, STAGE_COMPLETE);
    EXPECT_EQ(s.web.radii.size(), 1u);
    EXPECT_TRUE(s.web.spiralThreads.empty());
}

TEST(SilkLimit, StageOneDrawsBeforeItTestsTheLimit) {
    SilkLimitScope limit(10);
    Spider s;
    s.numStartRadii = 6;
    const std::vector<int> draws = firstDraws(3);
    s.buildWeb(limit.value());
    // The first radius, then one step that draws and finds the limit reached.
    EXPECT_EQ(std::rand(), draws[2]);
}

TEST(SilkLimit, ALimitInStageTwoStopsAddingRadii) {
    // Four first radii of length 50 on the axes (silk 200 + frame 241.42);
    // stage 2 starts at 270 degrees and adds radii at 280, 290, 300 ...
    // degrees ending on the frame line x - y = 50, of lengths about 43.2,
    // 39.0 and 36.6. A limit 100 above the first silk is reached by the third.
    const std::vector<int> rules = {4,  0,  0,  50, 50, 50, 50, 2, 2,  10,
                                    10, 10, 10, 2,  2,  2,  2,  6, 100};
    Spider first = webtest::spiderWithRules(rules);
    first.buildWebToStage(1);
    EXPECT_NEAR(first.web.totalSilk(), 200 + 100 + 2 * std::sqrt(5000.0), 1e-9);
    SilkLimitScope scope(static_cast<int32_t>(first.web.totalSilk()) + 100);
    Spider s = webtest::spiderWithRules(rules);
    s.buildWeb(scope.value());
    ASSERT_EQ(s.web.radii.size(), 7u);
    EXPECT_NEAR(s.web.radii[4].angle, 280 * DEG, 1e-12);
    EXPECT_NEAR(s.web.radii[6].angle, 300 * DEG, 1e-12);
    EXPECT_EQ(s.web.radii[4].kind, 1);
    EXPECT_GE(s.web.totalSilk(), scope.value());
    EXPECT_TRUE(s.web.spiralThreads.empty());
    EXPECT_EQ(s.stage, STAGE_COMPLETE);
}

TEST(AdditionalRadii, NoGapWideEnoughMeansOneWalkRoundAndNoRadius) {
    Spider s = webtest::axisSpider();
    s.buildWebToStage(2);
    EXPECT_EQ(s.web.radii.size(), 4u);
    EXPECT_EQ(s.stage, STAGE_FIRST_CAP_SPIRAL_LOOP);
    EXPECT_EQ(s.currentRadius, -1);
    EXPECT_EQ(builder.spiralPrevRadius, -1);
    EXPECT_EQ(builder.spiralPrevX, 0.0);
    EXPECT_EQ(builder.spiralPrevY, 0.0);
    EXPECT_EQ(builder.loopAngle, 0.0);
}

TEST(AdditionalRadii, NewRadiusEndsOnTheFrameLine) {
    Spider s = webtest::axisSpider();
    s.rNextRadiiAngleRight = s.rNextRadiiAngleBottom = 12;
    s.rNextRadiiAngleLeft = s.rNextRadiiAngleTop = 12;
    s.minFinalRadiiSpace = 2;
    s.buildWebToStage(2);
    const Web& w = s.web;
    ASSERT_GT(w.radii.size(), 4u);
    // Between the radii at 0 and 90 degrees the frame is the line x + y = 50;
    // each additional radius there ends on it, within rounding.
    int inFirstQuarter = 0;
    for (const Radius& r : w.radii) {
        EXPECT_EQ(r.kind, r.angle == 0.0 || r.angle == 90 * DEG || r.angle == 180 * DEG ||
                                  r.angle == 270 * DEG
                              ? 0
                              : 1);
        if (r.kind == 1 && r.angle < 90 * DEG) {
            ++inFirstQuarter;
            // Each frame line runs from the previous (rounded) end, so allow
            // a little more than the rounding of one end.
            const double x = std::cos(r.angle);
            const double y = std::sin(r.angle);
            const double len = 50 / (x + y);
            EXPECT_NEAR(r.endX, x * len, 1.5);
            EXPECT_NEAR(r.endY, y * len, 1.5);
        }
    }
    // Steps of 12 degrees: radii at 12, 24, ..., 72 degrees; the gap of 18
    // degrees left to 90 is not wider than 2 x 12. The same in every quarter.
    EXPECT_EQ(inFirstQuarter, 6);
    EXPECT_EQ(w.radii.size(), 4u + 4 * 6);
    for (size_t i = 1; i < w.radii.size(); ++i)
        EXPECT_LT(w.radii[i - 1].angle, w.radii[i].angle);
}

TEST(AdditionalRadii, ARayAlongTheFrameLineWarnsAndLaysAShortRadius) {
    // Two radii whose ends and the hub lie on one line: the frame line runs
    // through the hub, so a radius between them has length 0.
    Spider s = stageTwoOn({{0, 50}, {180, 50}}, 0, 180);
    EXPECT_EQ(stepCapturingOutput(s), "warning: radius length < 3\n");
    ASSERT_EQ(s.web.radii.size(), 3u);
    EXPECT_EQ(s.web.radii[1].length, 0);
    EXPECT_EQ(s.currentRadius, 1);
}

TEST(AdditionalRadii, AnUndefinedIntersectionLaysARadiusOfLengthZero) {
    // A radius of length 0 at -10 degrees: the new direction is exactly 0, its
    // tangent 0, and the frame line through two ends at the hub is undefined.
    Spider s = stageTwoOn({{-10, 0}, {180, 0}}, 0, 180);
    EXPECT_EQ(stepCapturingOutput(s), "warning: radius length < 3\n");
    ASSERT_EQ(s.web.radii.size(), 3u);
    EXPECT_EQ(s.web.radii[1].angle, 0.0);
    EXPECT_EQ(s.web.radii[1].endX, 0);
    EXPECT_EQ(s.web.radii[1].endY, 0);
    EXPECT_EQ(s.web.radiusSilk, 0.0);
}

TEST(AdditionalRadii, ADirectionPastAFullTurnIsBroughtBack) {
    Spider s = stageTwoOn({{100, 50}, {355, 50}}, 1, 100);
    s.stepAdditionalRadii();
    ASSERT_EQ(s.web.radii.size(), 3u);
    EXPECT_EQ(s.currentRadius, 0); // the new radius stands first
    EXPECT_EQ(s.web.radii[0].angle, 355 * DEG + 10 * DEG - 6.28318530718);
    EXPECT_EQ(s.web.radii[0].kind, 1);
    EXPECT_EQ(s.stage, STAGE_ADDITIONAL_RADII);
}

TEST(AdditionalRadii, ADirectionOfExactlyAFullTurnIsKept) {
    Spider s = stageTwoOn({{100, 50}}, 0, 100);
    const double step = 10 * DEG;
    const double a = 6.28318530718 - step;
    ASSERT_EQ(a + step, 6.28318530718);
    s.currentRadius = s.web.addRadius(0, a, 50);
    s.stepAdditionalRadii();
    ASSERT_EQ(s.web.radii.size(), 3u);
    // Only a direction above a full turn is brought back.
    EXPECT_EQ(s.web.radii[2].angle, 6.28318530718);
    EXPECT_EQ(s.web.radii[2].kind, 1);
}

TEST(AdditionalRadii, ADirectionJustBelowAQuarterTurnIsHeldAt157079) {
    Spider s = stageTwoOn({{1.5707963 / DEG - 10, 50}, {170, 50}}, 0, 170);
    EXPECT_EQ(stepCapturingOutput(s), "");
    ASSERT_EQ(s.web.radii.size(), 3u);
    EXPECT_EQ(s.web.radii[1].angle, 1.57079);
    EXPECT_TRUE(std::isfinite(s.web.radiusSilk));
}

TEST(AdditionalRadii, TheWalkEndsBackAtTheLastFirstRadius) {
    Spider s = stageTwoOn({{0, 50}, {15, 50}, {30, 50}}, 2, 30);
    // Gaps of 15 degrees are not wider than 2 x 10; the gap of 330 is.
    int steps = 0;
    while (s.stage == STAGE_ADDITIONAL_RADII && steps < 1000) {
        s.stepAdditionalRadii();
        ++steps;
    }
    EXPECT_EQ(s.stage, STAGE_FIRST_CAP_SPIRAL_LOOP);
    // 40, 50, ..., 340 and 350: at 340 the gap to 0 is 20 degrees plus the
    // 4.6e-12 by which the literal 6.28318530718 exceeds 2 pi, so wider.
    EXPECT_EQ(s.web.radii.size(), 3u + 31u);
    for (size_t i = 1; i < s.web.radii.size(); ++i)
        EXPECT_LT(s.web.radii[i - 1].angle, s.web.radii[i].angle);
}

} // namespace
