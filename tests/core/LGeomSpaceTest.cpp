#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <vector>

#include "core/LGeom.h"

namespace {
// Misuse is reported on standard output; death tests read standard error.
void stdoutToStderr() {
    dup2(STDERR_FILENO, STDOUT_FILENO);
}
} // namespace

TEST(LGeomSpace, PointDist3D) {
    EXPECT_EQ(LGeom::pointDist(SVector3D(1, 2, 3), SVector3D(3, 5, 9)), 7.0);
    EXPECT_EQ(LGeom::pointDist(SVector3D(), SVector3D()), 0.0);
}

TEST(LGeomSpace, RotationsAboutTheAxes) {
    double x = 1, y = 2, z = 3;
    LGeom::rotate_3d_x(x, y, z, 90);
    EXPECT_EQ(x, 1.0);
    EXPECT_NEAR(y, 3.0, 1e-9);  // y cos + z sin
    EXPECT_NEAR(z, -2.0, 1e-9); // z cos - y sin

    x = 1, y = 2, z = 3;
    LGeom::rotate_3d_y(x, y, z, 90);
    EXPECT_NEAR(x, -3.0, 1e-9); // x cos - z sin
    EXPECT_EQ(y, 2.0);
    EXPECT_NEAR(z, 1.0, 1e-9); // x sin + z cos

    x = 1, y = 2, z = 3;
    LGeom::rotate_3d_z(x, y, z, 90);
    EXPECT_NEAR(x, 2.0, 1e-9);  // x cos + y sin
    EXPECT_NEAR(y, -1.0, 1e-9); // y cos - x sin
    EXPECT_EQ(z, 3.0);
}

TEST(LGeomSpace, RotationUsesDegreesWithWrittenPi) {
    double x = 1, y = 0, z = 0;
    LGeom::rotate_3d_z(x, y, z, 30);
    const double a = 30 * 3.14159265359 / 180;
    EXPECT_EQ(x, std::cos(a));
    EXPECT_EQ(y, -std::sin(a));
}

TEST(LGeomSpace, RotationKeepsLength) {
    double x = 1, y = -2, z = 2;
    LGeom::rotate_3d_x(x, y, z, 37);
    LGeom::rotate_3d_y(x, y, z, -121);
    LGeom::rotate_3d_z(x, y, z, 200);
    EXPECT_NEAR(std::sqrt(x * x + y * y + z * z), 3.0, 1e-12);
}

TEST(LGeomSpace, TranslateInHorizontalPlane) {
    double x = 1, y = 7, z = 2;
    LGeom::translate3D_xz(x, y, z, 0.0, 5.0);
    EXPECT_EQ(x, 6.0);
    EXPECT_EQ(y, 7.0);
    EXPECT_EQ(z, 2.0);
    LGeom::translate3D_xz(x, y, z, 3.14159265359 / 2, 1.0);
    EXPECT_NEAR(x, 6.0, 1e-9);
    EXPECT_EQ(y, 7.0);
    EXPECT_NEAR(z, 3.0, 1e-12);
}

TEST(LGeomSpace, VectorDistance) {
    EXPECT_EQ(LGeom::nDimVectorDist({1, 2, 3, 4}, {2, 3, 4, 5}), 2.0);
    EXPECT_EQ(LGeom::nDimVectorDist({}, {}), 0.0);
    EXPECT_EQ(LGeom::nDimVectorDist({0, 0}, {3, 4}), 5.0);
}

TEST(LGeomSpaceDeathTest, VectorsOfDifferentLengthEndTheProcess) {
    EXPECT_EXIT((stdoutToStderr(), LGeom::nDimVectorDist({1, 2}, {1, 2, 3})),
                ::testing::ExitedWithCode(255), "different length");
}

TEST(LGeomSpace, NormalOfTriangle) {
    const SVector3D n =
        LGeom::calcNormal(SVector3D(0, 0, 0), SVector3D(2, 0, 0), SVector3D(0, 3, 0));
    EXPECT_EQ(n.x, 0.0);
    EXPECT_EQ(n.y, 0.0);
    EXPECT_EQ(n.z, 1.0);
    const SVector3D m =
        LGeom::calcNormal(SVector3D(1, 1, 1), SVector3D(1, 2, 2), SVector3D(1, 3, 1));
    EXPECT_NEAR(std::sqrt(m.x * m.x + m.y * m.y + m.z * m.z), 1.0, 1e-12);
    EXPECT_EQ(m.y, 0.0);
    EXPECT_EQ(m.z, 0.0);
}

TEST(LGeomSpace, TinyNormalStaysUnnormalised) {
    // Cross product (0, 0, 1e-8): squared length 1e-16
    const SVector3D n =
        LGeom::calcNormal(SVector3D(0, 0, 0), SVector3D(1e-4, 0, 0), SVector3D(0, 1e-4, 0));
    EXPECT_DOUBLE_EQ(n.z, 1e-8);
    const SVector3D d =
        LGeom::calcNormal(SVector3D(1, 1, 1), SVector3D(2, 2, 2), SVector3D(3, 3, 3));
    EXPECT_EQ(d.x, 0.0);
    EXPECT_EQ(d.y, 0.0);
    EXPECT_EQ(d.z, 0.0);
}

TEST(LGeomSpace, ConvexLinesOfSquareWithInnerPoint) {
    const std::vector<double> xs = {0, 4, 2, 4, 0, 2};
    const std::vector<double> ys = {0, 0, 2, 4, 4, 0}; // 2: inside, 5: on an edge
    const auto lines = LGeom::getConvexLines(xs, ys);
    ASSERT_EQ(lines.size(), 4u);
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].second, lines[(i + 1) % lines.size()].first);
        EXPECT_NE(lines[i].first, 2);
        EXPECT_NE(lines[i].first, 5);
    }
    // Counter-clockwise for y growing upwards: from (0,0) on to (4,0)
    EXPECT_EQ(lines[0].first, 0);
    EXPECT_EQ(lines[0].second, 1);
}

TEST(LGeomSpace, ConvexLinesOfTooFewPoints) {
    EXPECT_TRUE(LGeom::getConvexLines({}, {}).empty());
    EXPECT_TRUE(LGeom::getConvexLines({1}, {1}).empty());
    EXPECT_TRUE(LGeom::getConvexLines({1, 1}, {2, 2}).empty());
    const auto two = LGeom::getConvexLines({0, 3}, {0, 1});
    ASSERT_EQ(two.size(), 2u);
    EXPECT_EQ(two[0], std::make_pair(0, 1));
    EXPECT_EQ(two[1], std::make_pair(1, 0));
}

TEST(LGeomSpaceDeathTest, ConvexLinesWithUnpairedCoordinatesEndTheProcess) {
    EXPECT_EXIT((stdoutToStderr(), LGeom::getConvexLines({1, 2}, {1})),
                ::testing::ExitedWithCode(255), "different length");
}
