#pragma once
// The decoding of EAUtils::decode_gray2int, read straight from n bits in
// place (a genome's bits), without the copies the vector form makes.

#include <cstddef>

// lo + the value of the Gray pattern gray[0 ... n - 1], capped at the
// effective upper bound; ends the process with status 5 on bad bounds.
int decodeGrayBits(int lo, int hi, const int* gray, size_t n);
