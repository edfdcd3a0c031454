#pragma once
// The part every individual shares: its fitness, the multi-objective values,
// a free-text info field and the elite / evaluated / auxiliary flags.

#include <string>

#include "ea/EaApi.h"

class OVLIB_EA_API EAIndividual {
  public:
    static constexpr int NUM_MO_VALUES = 24;

    double fitness = 0.0;
    double moValues[NUM_MO_VALUES] = {};
    std::string info;
    bool isElite = false;
    bool isEvaluated = false;
    bool auxFlag = false;

    EAIndividual();
    EAIndividual(const EAIndividual& other);
    EAIndividual(EAIndividual&& other) noexcept;
    EAIndividual& operator=(const EAIndividual& other);
    EAIndividual& operator=(EAIndividual&& other) noexcept;
    ~EAIndividual();

    // The fitness of an evaluated individual. Reading it while isEvaluated is
    // clear is a caller error: prints a message and ends the process (-1).
    double getFitness() const;
};
