#pragma once
// Coding helpers for bounded integer genes: plain binary and reflected binary
// Gray code. Bit vectors hold one 0/1 value per element, most significant bit
// first.
//
// A gene with bounds lo ... hi uses the effective upper bound hi' = hi, or
// lo + 1 when lo == hi (a fixed gene still takes one bit), and as many bits
// as the range hi' - lo has binary digits.

#include <vector>

#include "ea/EaApi.h"

class OVLIB_EA_API EAUtils {
  public:
    // Exit statuses of the coding misuse checks.
    static constexpr int EXIT_BAD_BOUNDS = 5; // lo above the effective upper bound
    static constexpr int EXIT_BAD_VALUE = 6;  // value outside the gene's range

    // Number of bits a gene with bounds lo ... hi takes.
    static int geneBitLength(int lo, int hi);

    // Gray code of value - lo in geneBitLength(lo, hi) bits. Ends the process
    // with status 5 (bad bounds) or 6 (value outside lo ... hi').
    static void encode_int2gray(int value, int lo, int hi, std::vector<int>& gray);
    // lo + the value of the Gray pattern, capped at hi'. Ends the process with
    // status 5 on bad bounds.
    static void decode_gray2int(int& value, int lo, int hi, const std::vector<int>& gray);

    // The low nbits bits of value (one bit when nbits is 0).
    static void int2bin(int value, std::vector<int>& bin, int nbits);
    // The value of a binary pattern (modulo 2^32 for patterns longer than 31
    // bits).
    static void bin2int(const std::vector<int>& bin, int& value);

    static void binary_to_gray(const std::vector<int>& bin, std::vector<int>& gray);
    static void gray_to_binary(const std::vector<int>& gray, std::vector<int>& bin);
};
