#pragma once
// The geometry of one orb web: radii sorted by angle with their spiral
// attachment points, the capture-spiral threads in laying order, the silk
// totals and the prey caught in the last evaluation. All coordinates are web
// units inside the square -100 ... 100 with the hub at the origin.

#include <cstdint>
#include <vector>

struct SpiralPoint {
    int32_t x = 0;
    int32_t y = 0;
};

struct Radius {
    int32_t hubX = 0, hubY = 0;      // inner end, always the hub
    int32_t endX = 0, endY = 0;      // outer end, on the frame
    double angle = 0.0;              // direction as requested, radians
    int32_t kind = 0;                // 0: first radius (stage 1), 1: additional radius (stage 2)
    int32_t length = 0;              // trunc(sqrt(endX^2 + endY^2) + 0.5)
    std::vector<SpiralPoint> points; // spiral attachment points, in laying order

    // cos and sin of `dirAngle`, kept by addRadius so that the spiral stages
    // need not recompute them; read only while dirAngle equals angle.
    double dirAngle = 0.0, dirX = 1.0, dirY = 0.0;
};

struct SpiralThread {
    int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

struct Web {
    std::vector<Radius> radii;               // sorted by ascending angle
    std::vector<SpiralThread> spiralThreads; // first loop, then main spiral
    std::vector<int32_t> caughtPrey;         // prey indices, ascending
    int32_t lastX = 0, lastY = 0;            // end of the last silk laid
    int32_t firstLoopThreads = 0;            // threads before the main spiral
    bool spiralReachedFrame = false;
    double spiralSilk = 0.0;
    double radiusSilk = 0.0;
    double frameSilk = 0.0;

    // Display data of the simulator view; construction never touches it.
    bool isHighlighted = false; // the selection mark
    bool isMarked = false;      // second display flag, never set by the system
    double viewHalfWidth = 99.0, viewHalfHeight = 99.0;
    double viewX = 0.0, viewY = 0.0; // centre on screen, pixels, before the grid offset
    double viewScale = 1.0;          // pixels per web unit

    // Lays a radius from the hub in direction `angle` (radians) with the given
    // length, clamped into the square; returns its index in the sorted list.
    int addRadius(int kind, double angle, double length);

    // Lays a spiral thread from the builder's previous spiral point to (x, y),
    // leaving radius `fromRadius` for radius `toRadius`. Returns false (and
    // changes nothing) when it would repeat the last thread, either way round.
    bool addSpiralThread(int fromRadius, int toRadius, double x, double y);
    // The same from the given previous point (x0, y0) instead of the builder's.
    bool addSpiralThread(int fromRadius, int toRadius, double x0, double y0, double x, double y);

    double totalSilk() const { return spiralSilk + radiusSilk + frameSilk; }
};
