// arachnovix-cli: the command-line companion of Arachnovix.

#include <string>
#include <vector>

#include "tools/cli/Commands.h"

int main(int argc, char** argv) {
    return runCli(std::vector<std::string>(argv + 1, argv + argc));
}
