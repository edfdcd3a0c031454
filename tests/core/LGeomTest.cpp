#include <gtest/gtest.h>

#include <cmath>

#include "core/LGeom.h"

namespace {
const double PI = 3.14159265359;
const double TWO_PI = 6.28318530718;
} // namespace

// --- Distances and directions -------------------------------------------------

TEST(LGeomDistance, PointDist) {
    EXPECT_EQ(LGeom::pointDist(0, 0, 3, 4), 5.0);
    EXPECT_EQ(LGeom::pointDist(3, 4, 0, 0), 5.0);
    EXPECT_EQ(LGeom::pointDist(-1, -1, -1, -1), 0.0);
}

TEST(LGeomDirection, AngleBetweenOnTheAxes) {
    EXPECT_EQ(LGeom::angleBetween(0, 0, 1, 0), 0.0);
    const double down = LGeom::angleBetween(0, 0, 0, 1);
    EXPECT_LT(down, PI / 2);
    EXPECT_NEAR(down, PI / 2, 1e-3);
    EXPECT_EQ(down, std::atan(1.0 / 0.0001));
    EXPECT_EQ(LGeom::angleBetween(0, 0, -1, 0), PI);
    const double up = LGeom::angleBetween(0, 0, 0, -1);
    EXPECT_GT(up, 3 * PI / 2);
    EXPECT_NEAR(up, 3 * PI / 2, 1e-3);
    EXPECT_EQ(LGeom::angleBetween(5, 5, 5, 5), 0.0);
}

TEST(LGeomDirection, AngleBetweenQuadrants) {
    EXPECT_EQ(LGeom::angleBetween(0, 0, 2, 2), std::atan(1.0));
    EXPECT_EQ(LGeom::angleBetween(0, 0, -2, 2), std::atan(-1.0) + PI);
    EXPECT_EQ(LGeom::angleBetween(0, 0, -2, -2), std::atan(1.0) + PI);
    EXPECT_EQ(LGeom::angleBetween(0, 0, 2, -2), std::atan(-1.0) + TWO_PI);
    // The int form takes its differences from the given points
    EXPECT_EQ(LGeom::angleBetween(10, 20, 12, 22), std::atan(1.0));
}

TEST(LGeomDirection, AngleBetweenExtremeIntegers) {
    EXPECT_EQ(LGeom::angleBetween(-2147483647 - 1, 0, 2147483647, 0), 0.0);
    EXPECT_EQ(LGeom::angleBetween(2147483647, 0, -2147483647 - 1, 0), PI);
}

TEST(LGeomDirection, DoubleFormMatchesIntForm) {
    const int pts[][4] = {{0, 0, 3, 1}, {0, 0, -3, 1}, {1, 1, -3, -7}, {2, 9, 5, -4}, {0, 0, 0, 4}};
    for (const auto& p : pts)
        EXPECT_EQ(LGeom::angleBetween_double(p[0], p[1], p[2], p[3]),
                  LGeom::angleBetween(p[0], p[1], p[2], p[3]));
    EXPECT_EQ(LGeom::angleBetween_double(1.5, 1.5, 1.5, 1.5), 0.0);
}

TEST(LGeomDirection, PolarAngle) {
    EXPECT_EQ(LGeom::polarAngle(1.0, 0.0), 0.0);
    EXPECT_EQ(LGeom::polarAngle(-1.0, 0.0), PI);
    EXPECT_EQ(LGeom::polarAngle(1.0, -1.0), std::atan(-1.0) + TWO_PI);
    // No shortcut for the zero vector: dx becomes 0.0001, atan(0) = 0
    EXPECT_EQ(LGeom::polarAngle(0.0, 0.0), 0.0);
}

TEST(LGeomDirection, TranslatePoint) {
    double x = 1.0, y = 2.0;
    LGeom::translatePoint(x, y, 0.0, 3.0);
    EXPECT_EQ(x, 4.0);
    EXPECT_EQ(y, 2.0);
    LGeom::translatePoint(x, y, PI / 2, 2.0);
    EXPECT_NEAR(x, 4.0, 1e-9);
    EXPECT_EQ(y, 4.0);
}

// --- Point to segment, circle to segment --------------------------------------

TEST(LGeomSegment, DistanceToInteriorIsHeight) {
    EXPECT_NEAR(LGeom::distPtToLine(5, 3, 0, 0, 10, 0), 3.0, 1e-12);
    EXPECT_NEAR(LGeom::distPtToLine(5, -3, 0, 0, 10, 0), 3.0, 1e-12);
    // A point on the segment
    EXPECT_EQ(LGeom::distPtToLine(5, 0, 0, 0, 10, 0), 0.0);
}

TEST(LGeomSegment, BeyondAnEndGivesDistanceToNearerEnd) {
    EXPECT_NEAR(LGeom::distPtToLine(13, 4, 0, 0, 10, 0), 5.0, 1e-12);
    EXPECT_NEAR(LGeom::distPtToLine(-3, -4, 0, 0, 10, 0), 5.0, 1e-12);
    // On the extension of the segment: the infinite line would give 0
    EXPECT_NEAR(LGeom::distPtToLine(15, 0, 0, 0, 10, 0), 5.0, 1e-12);
}

TEST(LGeomSegment, DegenerateSegmentIsNotANumber) {
    EXPECT_TRUE(std::isnan(LGeom::distPtToLine(1, 1, 4, 5, 4, 5)));
}

TEST(LGeomCircle, CrossingCentreTouches) {
    EXPECT_TRUE(LGeom::circleInLine(0, 0, 1, -5, 0, 5, 0));
    EXPECT_TRUE(LGeom::circleInLine(0, 0, 1, -5, -5, 5, 5));
}

TEST(LGeomCircle, TangentDoesNotTouch) {
    EXPECT_FALSE(LGeom::circleInLine(0, 0, 2, -5, 2, 5, 2));
    EXPECT_FALSE(LGeom::circleInLine(0, 0, 2, 2, -5, 2, 5));
    EXPECT_TRUE(LGeom::circleInLine(0, 0, 2.0000001, -5, 2, 5, 2));
}

TEST(LGeomCircle, DegenerateSegmentNeverTouches) {
    // The point lies inside the circle, yet no thread of length 0 is hit
    EXPECT_FALSE(LGeom::circleInLine(0, 0, 5, 1, 1, 1, 1));
    EXPECT_FALSE(LGeom::circleInLine(0, 0, 5, 0, 0, 0, 0));
}

TEST(LGeomCircle, CentreBeyondEndUsesNearerEndPoint) {
    // The infinite line passes through the centre; the end is 3 away
    EXPECT_FALSE(LGeom::circleInLine(13, 0, 2.5, 0, 0, 10, 0));
    EXPECT_TRUE(LGeom::circleInLine(13, 0, 3.5, 0, 0, 10, 0));
    // End point (10, 0) lies 5 from (13, 4)
    EXPECT_FALSE(LGeom::circleInLine(13, 4, 4.9, 0, 0, 10, 0));
    EXPECT_TRUE(LGeom::circleInLine(13, 4, 5.1, 0, 0, 10, 0));
}

TEST(LGeomCircle, BoundingBoxRejection) {
    EXPECT_FALSE(LGeom::circleInLine(0, 0, 1, 2, -5, 3, 5));
    EXPECT_FALSE(LGeom::circleInLine(0, 0, 1, -3, -5, -2, 5));
    EXPECT_FALSE(LGeom::circleInLine(0, 0, 1, -5, 2, 5, 3));
    EXPECT_FALSE(LGeom::circleInLine(0, 0, 1, -5, -3, 5, -2));
}

// --- Relative angles and the sigmoid ------------------------------------------

TEST(LGeomAngles, RelativeAngle) {
    EXPECT_EQ(LGeom::getRelativeAngle(1.0, 0.5), 0.5);
    EXPECT_EQ(LGeom::getRelativeAngle(6.0, 0.5), 6.0 - 0.5 - TWO_PI);
    EXPECT_EQ(LGeom::getRelativeAngle(0.5, 6.0), 0.5 - 6.0 + TWO_PI);
    EXPECT_EQ(LGeom::getRelativeAngle(PI, 0.0), PI); // the border stays
    EXPECT_EQ(LGeom::getRelativeAngle(0.0, PI), -PI);
    // Only one correction is made
    EXPECT_EQ(LGeom::getRelativeAngle(20.0, 0.0), 20.0 - TWO_PI);
}

TEST(LGeomAngles, RelativeAngleDegrees) {
    EXPECT_EQ(LGeom::getRelativeAngleDEG(350.0, 10.0), -20.0);
    EXPECT_EQ(LGeom::getRelativeAngleDEG(10.0, 350.0), 20.0);
    EXPECT_EQ(LGeom::getRelativeAngleDEG(180.0, 0.0), 180.0);
    EXPECT_EQ(LGeom::getRelativeAngleDEG(0.0, 180.0), -180.0);
    EXPECT_EQ(LGeom::getRelativeAngleDEG(90.0, 45.0), 45.0);
}

TEST(LGeomSigmoid, EndsAndCentre) {
    EXPECT_EQ(LGeom::sigmoid(0.0), 0.0);
    // The rescaling constants are rounded: the ends are met to about 1e-7
    EXPECT_NEAR(LGeom::sigmoid(1.0), 1.0, 1e-6);
    EXPECT_NEAR(LGeom::sigmoid(0.5), 0.5, 1e-6);
    // Rising and symmetric about the centre
    EXPECT_LT(LGeom::sigmoid(0.3), LGeom::sigmoid(0.4));
    EXPECT_NEAR(LGeom::sigmoid(0.25) + LGeom::sigmoid(0.75), 1.0, 1e-6);
    const double expected =
        (1.0 / (std::exp(-4.0 * (2.0 * 0.25 - 1.0)) + 1.0) - 0.0179862103338) / 0.9640277896662001;
    EXPECT_EQ(LGeom::sigmoid(0.25), expected);
}

// --- Rectangles -------------------------------------------------------------

TEST(LGeomRect, SetAndMove) {
    tRect r;
    LGeom::setRect(r, 1, 2, 30, 40);
    EXPECT_EQ(r.x1, 1);
    EXPECT_EQ(r.y1, 2);
    EXPECT_EQ(r.x2, 30);
    EXPECT_EQ(r.y2, 40);
    LGeom::setRectExt(r, 10, 20, 5, 6);
    EXPECT_EQ(r.x1, 10);
    EXPECT_EQ(r.y1, 20);
    EXPECT_EQ(r.x2, 15);
    EXPECT_EQ(r.y2, 26);
    LGeom::moveRect(r, -3, 4);
    EXPECT_EQ(r.x1, 7);
    EXPECT_EQ(r.y1, 24);
    EXPECT_EQ(r.x2, 12);
    EXPECT_EQ(r.y2, 30);
}

TEST(LGeomRect, BordersAreInside) {
    tRect r;
    LGeom::setRect(r, 10, 20, 30, 40);
    EXPECT_TRUE(LGeom::pointInRect(10, 20, r));
    EXPECT_TRUE(LGeom::pointInRect(30, 40, r));
    EXPECT_TRUE(LGeom::pointInRect(10, 40, r));
    EXPECT_TRUE(LGeom::pointInRect(30, 20, r));
    EXPECT_TRUE(LGeom::pointInRect(20, 30, r));
    EXPECT_FALSE(LGeom::pointInRect(9, 30, r));
    EXPECT_FALSE(LGeom::pointInRect(31, 30, r));
    EXPECT_FALSE(LGeom::pointInRect(20, 19, r));
    EXPECT_FALSE(LGeom::pointInRect(20, 41, r));
}

TEST(LGeomRect, EmptyExtentHoldsItsCorner) {
    tRect r;
    LGeom::setRectExt(r, 10, 20, 0, 0);
    EXPECT_EQ(r.x1, r.x2);
    EXPECT_EQ(r.y1, r.y2);
    EXPECT_TRUE(LGeom::pointInRect(10, 20, r));
    EXPECT_FALSE(LGeom::pointInRect(11, 20, r));
}
