#include "ea/EAUtils.h"

#include "ea/GrayDecode.h"

#include <cstdint>
#include <cstdlib>

namespace {

const int BITS_PER_WORD = 32;

// Effective upper bound: a fixed gene (lo == hi) still spans two values.
int64_t effectiveUpper(int lo, int hi) {
    return lo == hi ? static_cast<int64_t>(lo) + 1 : static_cast<int64_t>(hi);
}

void checkBounds(int lo, int64_t upper) {
    if (lo > upper)
        std::exit(EAUtils::EXIT_BAD_BOUNDS);
}

// Number of binary digits of r (r >= 1).
int binaryDigits(int64_t r) {
    int n = 0;
    for (; r > 0; r >>= 1)
        ++n;
    return n;
}

} // namespace

int EAUtils::geneBitLength(int lo, int hi) {
    const int64_t range = effectiveUpper(lo, hi) - lo;
    return range < 1 ? 1 : binaryDigits(range);
}

void EAUtils::encode_int2gray(int value, int lo, int hi, std::vector<int>& gray) {
    gray.clear();
    const int64_t upper = effectiveUpper(lo, hi);
    checkBounds(lo, upper);
    if (value < lo || value > upper)
        std::exit(EXIT_BAD_VALUE);
    // value - lo fits in 32 unsigned bits; int2bin reads its two's-complement bits.
    const uint32_t offset = static_cast<uint32_t>(static_cast<int64_t>(value) - lo);
    std::vector<int> bin;
    int2bin(static_cast<int>(offset), bin, geneBitLength(lo, hi));
    binary_to_gray(bin, gray);
}

void EAUtils::decode_gray2int(int& value, int lo, int hi, const std::vector<int>& gray) {
    value = decodeGrayBits(lo, hi, gray.data(), gray.size());
}

int decodeGrayBits(int lo, int hi, const int* gray, size_t n) {
    const int64_t upper = effectiveUpper(lo, hi);
    checkBounds(lo, upper);
    // The binary digits, as gray_to_binary gives them, taken one by one: the
    // value keeps the last 32 (as bin2int does); any set digit ahead of
    // those puts the pattern above the range.
    const size_t extra = n > BITS_PER_WORD ? n - BITS_PER_WORD : 0;
    bool above = false;
    uint32_t v = 0;
    int bit = 0;
    for (size_t j = 0; j < n; ++j) {
        bit = j == 0 ? gray[0] : (gray[j] ^ bit);
        if (j < extra && bit != 0)
            above = true;
        v = v * 2u + static_cast<uint32_t>(bit);
    }
    const uint64_t range = static_cast<uint64_t>(upper - lo);
    // Patterns above the range decode to the upper bound.
    int64_t decoded = upper;
    if (!above && v <= range)
        decoded = static_cast<int64_t>(lo) + v;
    // Only a fixed gene at the largest int can exceed it.
    return decoded > INT32_MAX ? INT32_MAX : static_cast<int>(decoded);
}

void EAUtils::int2bin(int value, std::vector<int>& bin, int nbits) {
    bin.clear();
    const int n = nbits == 0 ? 1 : nbits;
    const int64_t wide = value;
    for (int k = n - 1; k >= 0; --k) {
        // Bits above the 63rd repeat the sign, as in an endless two's complement.
        const int64_t bit = k >= 63 ? (wide < 0 ? 1 : 0) : ((wide >> k) & 1);
        bin.push_back(static_cast<int>(bit));
    }
}

void EAUtils::bin2int(const std::vector<int>& bin, int& value) {
    uint32_t v = 0;
    for (int b : bin)
        v = v * 2u + static_cast<uint32_t>(b);
    value = static_cast<int>(v);
}

void EAUtils::binary_to_gray(const std::vector<int>& bin, std::vector<int>& gray) {
    std::vector<int> out(bin.size());
    for (size_t j = 0; j < bin.size(); ++j)
        out[j] = j == 0 ? bin[0] : (bin[j - 1] ^ bin[j]);
    gray.swap(out);
}

void EAUtils::gray_to_binary(const std::vector<int>& gray, std::vector<int>& bin) {
    std::vector<int> out(gray.size());
    for (size_t j = 0; j < gray.size(); ++j)
        out[j] = j == 0 ? gray[0] : (gray[j] ^ out[j - 1]);
    bin.swap(out);
}
