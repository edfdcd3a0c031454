#pragma once
// One member of the population: its genome individual, the 19 rule values
// decoded from it, the construction state, how it was made, and the web those
// rules build. A Spider is a value: copying it copies its web.

#include <cstdint>
#include <string>

#include "ea/EAIndInteger.h"
#include "web/BuilderState.h"
#include "web/Web.h"

// Construction stages.
enum SpiderStage : int32_t {
    STAGE_NONE = 0,
    STAGE_FIRST_RADII_AND_FRAME = 1,
    STAGE_ADDITIONAL_RADII = 2,
    STAGE_FIRST_CAP_SPIRAL_LOOP = 3,
    STAGE_MAIN_CAP_SPIRAL = 4,
    STAGE_COMPLETE = 5
};

constexpr int NUM_RULES = 19;

struct Spider {
    EAIndInteger individual;
    int32_t stage = STAGE_NONE;

    // Rule values, in gene order, with the defaults a new spider holds.
    int32_t numStartRadii = 10;
    int32_t variability = 0;
    int32_t phase = 5;
    int32_t rMaxLenRight = 50;
    int32_t rMaxLenBottom = 90;
    int32_t rMaxLenLeft = 50;
    int32_t rMaxLenTop = 90;
    int32_t interpFuncId = 2;
    int32_t interpFuncParam = 2;
    int32_t rNextRadiiAngleRight = 10;
    int32_t rNextRadiiAngleBottom = 10;
    int32_t rNextRadiiAngleLeft = 10;
    int32_t rNextRadiiAngleTop = 10;
    int32_t interpFuncId2 = 2;
    int32_t interpFuncParam2 = 2;
    int32_t minFinalRadiiSpace = 2;
    int32_t spiralDistStart = 2;
    int32_t spiralDistEnd = 6;
    int32_t growthToCentre = 100;

    int32_t currentRadius = -1;
    double spiralDist = -1.0;

    std::string origin = "I";
    int32_t parentA = -1;
    int32_t parentB = -1;

    Web web;

    int32_t numCaught = 0;
    double silkCost = 0.0;
    double timePenalty = 0.0;
    int32_t spiralDirection = 1;
    int32_t spiderX = 0, spiderY = 0;

    Spider();

    // Rule value i (0 ... 18) in gene order.
    int32_t& rule(int i);
    int32_t rule(int i) const;

    // Empties the web and resets the construction state; keeps the rules,
    // spiralDirection, the spider's position and the evaluation results.
    void clearWeb();

    // Runs all four construction stages (stage becomes 5) under a limit on
    // the web's total silk in web units (negative: none).
    void buildWeb(int32_t silkLimit = NO_SILK_LIMIT);
    // Runs stages 1 ... k (k = 1 ... 4) and stops.
    void buildWebToStage(int k, int32_t silkLimit = NO_SILK_LIMIT);
    // The same, touching nothing shared: it draws from this thread's builder
    // generator and leaves the C library's rand() alone. Several threads may
    // construct webs of different spiders at once. Afterwards this thread's
    // builder.random holds the generator as rand() would be left.
    void constructWeb(int k, int32_t silkLimit);

    // Whether the main spiral can step from currentRadius to its neighbour in
    // sense s (+1 or -1); sets spiralDist to the distance it tested.
    bool canMoveSpiral(int s);
    // The same with the given spiral spacing instead of the builder's.
    bool canMoveSpiral(int s, double spacing);

    // One step of each construction stage.
    void stepFirstRadiiAndFrame();
    void stepAdditionalRadii();
    void stepFirstCapSpiralLoop();
    void stepMainCapSpiral();
};
