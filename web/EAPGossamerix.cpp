// The genome layout of the web-building problem and the prey swarm.

#include "web/EAPGossamerix.h"

#include "core/LRandom.h"
#include "ea/EAUtils.h"

namespace {

struct GeneSpec {
    const char* name;
    int min;
    int max;
};

const GeneSpec GENES[] = {
    {"numStartRadii", 3, 20},
    {"variability", 0, 2},
    {"phase", 0, 150},
    {"rMaxLenRight", 10, 100},
    {"rMaxLenBottom", 10, 100},
    {"rMaxLenLeft", 10, 100},
    {"rMaxLenTop", 10, 100},
    {"interp. func. ID", 2, 2},
    {"interp. func. param.", 2, 2},
    {"rNextRadiiAngleRight", 5, 15},
    {"rNextRadiiAngleBottom", 5, 15},
    {"rNextRadiiAngleLeft", 5, 15},
    {"rNextRadiiAngleTop", 5, 15},
    {"interp. func. ID", 2, 2},
    {"interp. func. param.", 2, 2},
    {"min final radii space", 2, 2},
    {"spiral dist. at start", 1, 2},
    {"spiral dist. at end", 3, 20},
    {"growth % to centre", 100, 102},
};
constexpr int NUM_GENES = sizeof(GENES) / sizeof(GENES[0]);

struct StageSpec {
    const char* name;
    int firstGene;
};

const StageSpec STAGES[] = {
    {"FirstRadiiAndFrame", 0},
    {"AdditionalRadii", 9},
    {"FirstCapSpiralLoop", 16},
    {"MainCapSpiral", 18},
};
constexpr int NUM_STAGES = sizeof(STAGES) / sizeof(STAGES[0]);

constexpr double SQUARE_HALF = 100.0;

} // namespace

EAPGossamerix::EAPGossamerix() {
    problemName = "EAPGossamerix";
    numGenes = NUM_GENES;
    maximize = true;
    geneBitOffsets.push_back(0);
    std::vector<int> gray;
    for (const GeneSpec& g : GENES) {
        geneMin.push_back(g.min);
        geneMax.push_back(g.max);
        geneNames.push_back(g.name);
        EAUtils::encode_int2gray(g.min, g.min, g.max, gray);
        geneBitOffsets.push_back(geneBitOffsets.back() + static_cast<int>(gray.size()));
    }
    numStages = NUM_STAGES;
    for (const StageSpec& s : STAGES) {
        stageNames.push_back(s.name);
        stageFirstGene.push_back(s.firstGene);
    }
}

EAPGossamerix::~EAPGossamerix() = default;

int EAPGossamerix::stageOfGene(int g) const {
    if (g < 0 || g >= numGenes)
        return -1;
    int stage = 0;
    while (stage + 1 < numStages && stageFirstGene[static_cast<size_t>(stage + 1)] <= g)
        ++stage;
    return stage;
}

void EAPGossamerix::createPrey(int n) {
    createPrey(n, LRandom::random);
}

void EAPGossamerix::createPrey(int n, MTRand& random) {
    prey.clear();
    for (int i = 0; i < n; ++i) {
        Prey p;
        p.x = LRandom::getUniformRand(random, -SQUARE_HALF, SQUARE_HALF);
        p.y = LRandom::getUniformRand(random, -SQUARE_HALF, SQUARE_HALF);
        prey.push_back(p);
    }
}
