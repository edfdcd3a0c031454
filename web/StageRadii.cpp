// Stages 1 and 2: the first radii, whose ends span the frame, then the
// additional radii that fill the gaps between them and end on the frame.

#include <cmath>

#include "web/BuilderState.h"
#include "web/Quarters.h"
#include "web/Spider.h"
#include "web/WebMath.h"

namespace {

constexpr double FULL_CIRCLE_DEG = 360.0;
// Guard around a quarter turn where the tangent of a new direction would
// grow without bound.
constexpr double STEEP_LOW = 1.57079;
constexpr double STEEP_HIGH = 1.5708;
// Slope used for a vertical frame line.
constexpr double VERTICAL_DX = -1e-9;
constexpr double SHORT_RADIUS = 3.0;

bool limitReached(const Web& web) {
    return silkLimitReached(web.totalSilk());
}

// The frame charge: the distance from each first radius's end to the end of
// the first radius in the list, summed in list order.
double frameCharge(const Web& web) {
    double sum = 0.0;
    const Radius& first = web.radii.front();
    for (const Radius& r : web.radii)
        sum += webmath::dist(r.endX, r.endY, first.endX, first.endY);
    return sum;
}

} // namespace

void Spider::stepFirstRadiiAndFrame() {
    BuilderState& bs = builder;
    const int n = static_cast<int>(web.radii.size());
    if (n < numStartRadii) {
        const int jitter = bs.random.next() % (2 * variability + 1);
        double d = (FULL_CIRCLE_DEG / numStartRadii) * n + phase + jitter - variability;
        if (d > FULL_CIRCLE_DEG)
            d -= FULL_CIRCLE_DEG;
        const double a = d * webmath::DEG_TO_RAD;
        const double lengths[quarters::COUNT] = {
            static_cast<double>(rMaxLenRight), static_cast<double>(rMaxLenBottom),
            static_cast<double>(rMaxLenLeft), static_cast<double>(rMaxLenTop)};
        const double length = quarters::interpolate(a, lengths);
        // The first radius is always laid, so that every web has one.
        if (n > 0 && limitReached(web)) {
            stage = STAGE_ADDITIONAL_RADII;
            return;
        }
        currentRadius = web.addRadius(0, a, length);
        spiderX = web.lastX;
        spiderY = web.lastY;
        return;
    }
    if (!web.radii.empty()) {
        web.frameSilk = frameCharge(web);
        bs.startRadiusAngle = web.radii[currentRadius].angle;
    }
    stage = STAGE_ADDITIONAL_RADII;
}

void Spider::stepAdditionalRadii() {
    BuilderState& bs = builder;
    const int m = static_cast<int>(web.radii.size());
    if (m == 0) { // nothing to walk around
        stage = STAGE_FIRST_CAP_SPIRAL_LOOP;
        return;
    }
    const Radius& c = web.radii[currentRadius];
    const Radius& nx = web.radii[(currentRadius + 1) % m];
    const double a = c.angle;

    const double spacings[quarters::COUNT] = {
        rNextRadiiAngleRight * webmath::DEG_TO_RAD, rNextRadiiAngleBottom * webmath::DEG_TO_RAD,
        rNextRadiiAngleLeft * webmath::DEG_TO_RAD, rNextRadiiAngleTop * webmath::DEG_TO_RAD};
    const double step = quarters::interpolate(a, spacings);
    double gap = nx.angle - a;
    if (gap < 0)
        gap += webmath::FULL_TURN;

    if (gap > minFinalRadiiSpace * step) {
        double b = a + step;
        if (b > webmath::FULL_TURN)
            b -= webmath::FULL_TURN;
        if (STEEP_LOW < b && b < STEEP_HIGH)
            b = STEEP_LOW;
        const double dy = static_cast<double>(nx.endY - c.endY);
        const double dx = static_cast<double>(nx.endX - c.endX);
        const double s = dx != 0.0 ? -dy / dx : dy / VERTICAL_DX;
        const double t = std::tan(b);
        const double x = (c.endX * s + c.endY) / (t + s);
        double length = std::sqrt((x * t) * (x * t) + x * x);
        // A frame line that the ray never meets at a defined point (a
        // degenerate web) gives a radius of length 0.
        if (std::isnan(length))
            length = 0.0;
        if (length < SHORT_RADIUS) {
            builderMessage("warning: radius length < 3\n");
        }
        if (!limitReached(web)) {
            currentRadius = web.addRadius(1, b, length);
            spiderX = web.lastX;
            spiderY = web.lastY;
        }
    } else {
        currentRadius = (currentRadius + 1) % m;
    }

    if (web.radii[currentRadius].angle == bs.startRadiusAngle || limitReached(web)) {
        bs.loopAngle = 0.0;
        bs.spiralPrevX = 0.0;
        bs.spiralPrevY = 0.0;
        bs.spiralPrevRadius = -1;
        currentRadius = -1;
        stage = STAGE_FIRST_CAP_SPIRAL_LOOP;
    }
}
