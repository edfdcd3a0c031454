// A tiny program built against the installed libraries: it draws from the
// shared generator, Gray-codes a gene and asks the toolkit for its version of
// a colour, proving that headers, libraries and RPATH/linking all work.
#include <cstdio>
#include <vector>

#include "core/LRandom.h"
#include "core/LSystem.h"
#include "ea/EAUtils.h"
#ifdef WITH_GL
#include "gl/LGL.h"
#endif

int main() {
    LRandom::random.seed(5489UL);
    double u = LRandom::getUniformRand(0.0, 1.0);
    std::vector<int> gray;
    EAUtils::encode_int2gray(7, 0, 15, gray);
    int back = -1;
    EAUtils::decode_gray2int(back, 0, 15, gray);
    if (!(u >= 0.0 && u <= 1.0) || back != 7) {
        std::printf("consumer: wrong results\n");
        return 1;
    }
    std::printf("consumer ok: bits=%zu version=%s\n", gray.size(),
                LSystem::GetProductVersion().c_str());
    return 0;
}
