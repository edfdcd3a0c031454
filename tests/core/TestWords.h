#ifndef TESTS_CORE_TESTWORDS_H
#define TESTS_CORE_TESTWORDS_H

#include <cstdint>
#include <vector>

#include "core/MTRand.h"

// Helpers that put a generator into a chosen state, so that tests know
// exactly which words it will hand out.
namespace TestWords {

// Reference MT19937 initialisation of the state vector from one seed.
std::vector<unsigned long> referenceState(uint32_t seed);

// Inverse of the output tempering.
uint32_t untemper(uint32_t y);

// Loads g so that its next outputs are exactly `words` (at most 624).
void loadOutputs(MTRand& g, const std::vector<uint32_t>& words);

} // namespace TestWords

#endif
