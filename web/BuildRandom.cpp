#include "web/BuildRandom.h"

#include <cstdlib>

void leaveLibraryRandomAsAfterBuild(int draws) {
    std::srand(BuildRandom::BUILD_SEED);
    for (int i = 0; i < draws; ++i)
        std::rand();
}
