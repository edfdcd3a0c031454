#pragma once
// Shared helpers of the evolution tests: a fresh evolution state and a fake
// window around every test, and small builders of populations and files.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "evolution/EvolutionState.h"
#include "tests/evolution/FakeWindowPort.h"

// Puts the evolution state, the run flags, the silk limit and the window back
// to the state at program start, and seeds the shared generator.
void resetEvolution(unsigned long seed = 12345);

// Every test of the engine starts from program start with a recording window.
class EvolutionTest : public ::testing::Test {
  protected:
    FakeWindowPort window;
    void SetUp() override;
    void TearDown() override;
};

// The settings the program's panel starts with (the default RunSettings).
void usePanelDefaults();

// Gives spider i a fixed fitness and marks it evaluated (and not elite).
void setFitness(int i, double fitness);

// A file's bytes, or empty when it cannot be read.
std::vector<uint8_t> readBytes(const std::string& path);
void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes);

// A fresh folder under the test temporary directory.
std::string makeTempFolder(const std::string& name);

// The fields of the engine that a refused load must leave alone.
struct StateSnapshot {
    int populationSize, generation, numPrey, selectedSpider, bestSpider;
    double preySize, preyValue, silkCostFactor, timePenaltyFactor, crossoverRate, mutationRate;
    bool useGravity, useAttackDistance;
    int32_t silkLimit;
    std::vector<int32_t> fossilRecord;
    std::vector<std::vector<int32_t>> bits;
    std::vector<std::string> origins;
    std::vector<double> fitness;
};
StateSnapshot snapshotState();
void expectStateUnchanged(const StateSnapshot& before);
