#pragma once
// An individual whose genome is a flat array of bits (one int per bit, each
// 0 or 1). Genes are contiguous runs of bits, most significant bit first; the
// problem (EAPInteger) knows where each gene starts.

#include <cstdint>

#include "ea/EAIndividual.h"
#include "ea/EaApi.h"

// Capacity of a bit genome (its name appears in the capacity message).
constexpr int MAX_NUM_GENES = 100;

class OVLIB_EA_API EAIndInteger : public EAIndividual {
  public:
    int32_t bits[MAX_NUM_GENES] = {};
    int32_t numBits = 0;

    EAIndInteger();
    EAIndInteger(const EAIndInteger& other);
    EAIndInteger(EAIndInteger&& other) noexcept;
    EAIndInteger& operator=(const EAIndInteger& other);
    EAIndInteger& operator=(EAIndInteger&& other) noexcept;
    ~EAIndInteger();
};
