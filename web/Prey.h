#pragma once
// One prey of the swarm: a fixed position in web units. Its circle of radius
// "prey size" around (x, y) is what it sweeps into the web.

struct Prey {
    double x = 0.0;
    double y = 0.0;
};
