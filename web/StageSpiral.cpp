// Stages 3 and 4: the first loop of the capture spiral around the hub, then
// the main spiral that walks outward from radius to radius.

#include "web/BuilderState.h"
#include "web/RadiusGeometry.h"
#include "web/Spider.h"
#include "web/WebMath.h"

using radiusgeom::pointAt;
using radiusgeom::reach;
using radiusgeom::room;
using radiusgeom::wrap;

namespace {

constexpr double FRAME_REACHED = 3.0;      // the loop stops this close to a radius end
constexpr double TURN_BACK_SPACINGS = 2.2; // room ahead below which the spiral turns
constexpr double PERCENT = 100.0;

bool limitReached(const Web& web) {
    return silkLimitReached(web.totalSilk());
}

// Closes the first loop: the main spiral starts at the last point of the
// current radius, spaced as that radius's last two points.
void closeFirstLoop(const Radius& r) {
    BuilderState& bs = builder;
    const std::vector<SpiralPoint>& p = r.points;
    bs.spiralPrevX = p.empty() ? 0.0 : p.back().x;
    bs.spiralPrevY = p.empty() ? 0.0 : p.back().y;
    bs.spiralSpacing = 0.0;
    if (p.size() >= 2) {
        const SpiralPoint& a = p[p.size() - 2];
        const SpiralPoint& b = p.back();
        bs.spiralSpacing = webmath::dist(a.x, a.y, b.x, b.y);
    }
}

} // namespace

void Spider::stepFirstCapSpiralLoop() {
    BuilderState& bs = builder;
    const int m = static_cast<int>(web.radii.size());
    if (m == 0) { // nothing to lay a loop on
        stage = STAGE_MAIN_CAP_SPIRAL;
        return;
    }
    web.firstLoopThreads = static_cast<int32_t>(web.spiralThreads.size());
    currentRadius = (currentRadius + 1) % m;
    const Radius& r = web.radii[currentRadius];
    const bool hadPrevious = bs.spiralPrevRadius > -1;
    if (hadPrevious) {
        double g = r.angle - web.radii[bs.spiralPrevRadius].angle;
        if (g < 0)
            g += webmath::FULL_TURN;
        bs.loopAngle += g;
    }
    spiralDist =
        spiralDistStart + (spiralDistEnd - spiralDistStart) * bs.loopAngle / webmath::FULL_TURN;
    double px = 0.0;
    double py = 0.0;
    pointAt(r, spiralDist, px, py);
    if (webmath::dist(px, py, r.endX, r.endY) < FRAME_REACHED) {
        web.spiralReachedFrame = true;
        stage = STAGE_MAIN_CAP_SPIRAL;
        return;
    }
    if (hadPrevious && !limitReached(web)) {
        web.addSpiralThread(bs.spiralPrevRadius, currentRadius, bs.spiralPrevX, bs.spiralPrevY, px,
                            py);
        spiderX = web.lastX;
        spiderY = web.lastY;
    }
    bs.spiralPrevX = px;
    bs.spiralPrevY = py;
    bs.spiralPrevRadius = currentRadius;
    // Back at the first radius. (A web whose radii all share one direction
    // turns no angle; it too has gone round once when it is back at radius 0.)
    const bool loopClosed = currentRadius == 0 && (bs.loopAngle > 0 || hadPrevious);
    if (loopClosed || limitReached(web)) {
        closeFirstLoop(web.radii[currentRadius]);
        stage = STAGE_MAIN_CAP_SPIRAL;
    }
}

bool Spider::canMoveSpiral(int s) {
    return canMoveSpiral(s, builder.spiralSpacing);
}

bool Spider::canMoveSpiral(int s, double spacing) {
    const int i = wrap(currentRadius + s, static_cast<int>(web.radii.size()));
    const double d = growthToCentre * spacing / PERCENT;
    spiralDist = reach(web.radii[i]) + d;
    return static_cast<double>(web.radii[i].length) >= spiralDist;
}

void Spider::stepMainCapSpiral() {
    BuilderState& bs = builder;
    const int m = static_cast<int>(web.radii.size());
    // Without spacing the spiral would circle on the points it has: it ends.
    if (web.spiralReachedFrame || limitReached(web) || m == 0 || !(bs.spiralSpacing > 0.0)) {
        stage = STAGE_COMPLETE;
        return;
    }
    const int c = currentRadius;
    int s = spiralDirection;
    const double roomAhead = room(web.radii[wrap(c + s, m)]);
    bool stuck = false;
    if (bs.spiralSpacing * TURN_BACK_SPACINGS > roomAhead &&
        room(web.radii[c]) > roomAhead - bs.spiralSpacing) {
        if (canMoveSpiral(-s, bs.spiralSpacing)) {
            s = -s;
        } else {
            stuck = !canMoveSpiral(s, bs.spiralSpacing);
        }
    } else if (!canMoveSpiral(s, bs.spiralSpacing)) {
        if (canMoveSpiral(-s, bs.spiralSpacing)) {
            s = -s;
        } else {
            stuck = true;
        }
    }
    spiralDirection = s;

    const int n = wrap(c + s, m);
    currentRadius = n;
    const double d = growthToCentre * bs.spiralSpacing / PERCENT;
    spiralDist = reach(web.radii[n]) + d;
    if (stuck) {
        stage = STAGE_COMPLETE;
        return;
    }
    double px = 0.0;
    double py = 0.0;
    pointAt(web.radii[n], spiralDist, px, py);
    bool failed = true;
    if (!limitReached(web)) {
        failed = !web.addSpiralThread(c, n, bs.spiralPrevX, bs.spiralPrevY, px, py);
        spiderX = web.lastX;
        spiderY = web.lastY;
    }
    bs.spiralPrevX = px;
    bs.spiralPrevY = py;
    bs.spiralSpacing = d;
    if (failed || limitReached(web))
        stage = STAGE_COMPLETE;
}
