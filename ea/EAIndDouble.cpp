#include "ea/EAIndDouble.h"

#include <cstdlib>

EAIndDouble::EAIndDouble() = default;

EAIndDouble::EAIndDouble(int n) {
    // A count outside 0 ... capacity would let the operators run off the array.
    if (n > MAX_NUM_VALUES || n < 0)
        std::exit(EXIT_TOO_MANY_VALUES);
    numValues = n;
}

EAIndDouble::EAIndDouble(const EAIndDouble& other) = default;
EAIndDouble::EAIndDouble(EAIndDouble&& other) noexcept = default;
EAIndDouble& EAIndDouble::operator=(const EAIndDouble& other) = default;
EAIndDouble& EAIndDouble::operator=(EAIndDouble&& other) noexcept = default;
EAIndDouble::~EAIndDouble() = default;
