#include "web/BuildRandom.h"
#include "web/LibraryRandom.h"

#include <cstdlib>

namespace {

int lastBuildDraws = -1; // set only on the thread that evaluates

} // namespace

void leaveLibraryRandomAsAfterBuild(int draws) {
    lastBuildDraws = draws;
    std::srand(BuildRandom::BUILD_SEED);
    for (int i = 0; i < draws; ++i)
        std::rand();
}

int libraryRandomDrawsAfterBuild() {
    return lastBuildDraws;
}

void restoreLibraryRandom(int drawsAfterBuild) {
    if (drawsAfterBuild >= 0) {
        leaveLibraryRandomAsAfterBuild(drawsAfterBuild);
        return;
    }
    std::srand(1);
    lastBuildDraws = -1;
}
