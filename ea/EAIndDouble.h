#pragma once
// An individual whose genome is a vector of real numbers (at most 100).

#include "ea/EAIndividual.h"
#include "ea/EaApi.h"

class OVLIB_EA_API EAIndDouble : public EAIndividual {
  public:
    // Capacity of a real-valued genome, the same as that of a bit genome.
    static constexpr int MAX_NUM_VALUES = 100;
    // Exit status when a genome larger than the capacity is requested.
    static constexpr int EXIT_TOO_MANY_VALUES = -1;

    double values[MAX_NUM_VALUES] = {};
    int numValues = 0;

    EAIndDouble();
    // An individual with n values in use (left uninitialised by the caller's
    // contract; zero here); n above the capacity, or negative, ends the
    // process with status -1 (no message).
    explicit EAIndDouble(int n);
    EAIndDouble(const EAIndDouble& other);
    EAIndDouble(EAIndDouble&& other) noexcept;
    EAIndDouble& operator=(const EAIndDouble& other);
    EAIndDouble& operator=(EAIndDouble&& other) noexcept;
    ~EAIndDouble();
};
