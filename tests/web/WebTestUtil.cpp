#include "WebTestUtil.h"

#include <gtest/gtest.h>

namespace webtest {

Spider axisSpider() {
    Spider s;
    s.numStartRadii = 4;
    s.variability = 0;
    s.phase = 0;
    s.rMaxLenRight = s.rMaxLenBottom = s.rMaxLenLeft = s.rMaxLenTop = 50;
    s.rNextRadiiAngleRight = s.rNextRadiiAngleBottom = 45;
    s.rNextRadiiAngleLeft = s.rNextRadiiAngleTop = 45;
    s.minFinalRadiiSpace = 3;
    s.spiralDistStart = 2;
    s.spiralDistEnd = 6;
    s.growthToCentre = 100;
    return s;
}

Spider spiderWithRules(const std::vector<int>& rules) {
    Spider s;
    for (int i = 0; i < NUM_RULES; ++i)
        s.rule(i) = rules.at(static_cast<size_t>(i));
    return s;
}

std::vector<int> rulesOf(const Spider& s) {
    std::vector<int> r;
    for (int i = 0; i < NUM_RULES; ++i)
        r.push_back(s.rule(i));
    return r;
}

void expectSameWeb(const Web& a, const Web& b) {
    ASSERT_EQ(a.radii.size(), b.radii.size());
    for (size_t i = 0; i < a.radii.size(); ++i) {
        const Radius& p = a.radii[i];
        const Radius& q = b.radii[i];
        EXPECT_EQ(p.endX, q.endX);
        EXPECT_EQ(p.endY, q.endY);
        EXPECT_EQ(p.angle, q.angle);
        EXPECT_EQ(p.kind, q.kind);
        EXPECT_EQ(p.length, q.length);
        ASSERT_EQ(p.points.size(), q.points.size());
        for (size_t k = 0; k < p.points.size(); ++k) {
            EXPECT_EQ(p.points[k].x, q.points[k].x);
            EXPECT_EQ(p.points[k].y, q.points[k].y);
        }
    }
    ASSERT_EQ(a.spiralThreads.size(), b.spiralThreads.size());
    for (size_t i = 0; i < a.spiralThreads.size(); ++i) {
        const SpiralThread& p = a.spiralThreads[i];
        const SpiralThread& q = b.spiralThreads[i];
        EXPECT_TRUE(p.x1 == q.x1 && p.y1 == q.y1 && p.x2 == q.x2 && p.y2 == q.y2) << i;
    }
    EXPECT_EQ(a.lastX, b.lastX);
    EXPECT_EQ(a.lastY, b.lastY);
    EXPECT_EQ(a.firstLoopThreads, b.firstLoopThreads);
    EXPECT_EQ(a.spiralReachedFrame, b.spiralReachedFrame);
    EXPECT_EQ(a.spiralSilk, b.spiralSilk);
    EXPECT_EQ(a.radiusSilk, b.radiusSilk);
    EXPECT_EQ(a.frameSilk, b.frameSilk);
}

int layRadius(Spider& s, double angleDeg, double length) {
    s.currentRadius = s.web.addRadius(0, angleDeg * DEG, length);
    return s.currentRadius;
}

} // namespace webtest
