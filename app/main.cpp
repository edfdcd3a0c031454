// Arachnovix: evolves the web-building behaviour of orb-weaving spiders with
// a genetic algorithm and shows the result in one OpenGL window.

#include "app/Startup.h"

int main(int argc, char** argv) {
    return runProgram(argc, argv);
}
