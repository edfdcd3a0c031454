#include "ea/EAIndividual.h"

#include <cstdlib>
#include <iostream>

namespace {
const int EXIT_NOT_EVALUATED = -1;
}

EAIndividual::EAIndividual() = default;
EAIndividual::EAIndividual(const EAIndividual& other) = default;
EAIndividual& EAIndividual::operator=(const EAIndividual& other) = default;
EAIndividual::~EAIndividual() = default;

EAIndividual::EAIndividual(EAIndividual&& other) noexcept
    : fitness(other.fitness), info(std::move(other.info)), isElite(other.isElite),
      isEvaluated(other.isEvaluated), auxFlag(other.auxFlag) {
    for (int i = 0; i < NUM_MO_VALUES; ++i)
        moValues[i] = other.moValues[i];
    other.info.clear();
}

EAIndividual& EAIndividual::operator=(EAIndividual&& other) noexcept {
    if (this == &other)
        return *this;
    fitness = other.fitness;
    for (int i = 0; i < NUM_MO_VALUES; ++i)
        moValues[i] = other.moValues[i];
    info = std::move(other.info);
    other.info.clear();
    isElite = other.isElite;
    isEvaluated = other.isEvaluated;
    auxFlag = other.auxFlag;
    return *this;
}

double EAIndividual::getFitness() const {
    if (!isEvaluated) {
        std::cout << "ERROR in EAIndividual::getFitness(). Fitness not evaluated!" << std::endl;
        std::exit(EXIT_NOT_EVALUATED);
    }
    return fitness;
}
