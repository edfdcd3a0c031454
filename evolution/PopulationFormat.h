#pragma once
// The byte layout of population files, shared by saving and loading.

#include <cstdint>

#include "evolution/EvolutionState.h"

namespace population_format {

// The only version text a file may carry.
constexpr char VERSION_TEXT[] = "1.0.0.1";
constexpr uint32_t VERSION_LENGTH = sizeof(VERSION_TEXT) - 1;

constexpr uint64_t INT_BYTES = 4;
constexpr uint64_t REAL_BYTES = 8;
constexpr uint64_t ENTRY_BYTES = FOSSIL_ENTRY_SIZE * INT_BYTES; // 92
// numPrey, preySize, preyValue, two flag fields, silkCostFactor, silkLimit,
// timePenaltyFactor, crossover percent, mutation tenths of a percent.
constexpr uint64_t SETTINGS_BYTES = 56;

// Accepted files hold at most this many prey per evaluation (the program's
// panel offers 10 ... 100); more could not be placed in memory sensibly.
constexpr int32_t MAX_PREY = 1000000;

// Size of a file whose version text has `versionLength` bytes and whose
// record holds g generations of n spiders (64-bit: no overflow for any
// 32-bit n and g).
inline uint64_t fileSize(uint64_t versionLength, uint64_t n, uint64_t g) {
    return INT_BYTES + versionLength + 2 * INT_BYTES + n * g * ENTRY_BYTES + SETTINGS_BYTES;
}

// The settings block at the end of the file, as read or to be written.
struct Settings {
    int32_t numPrey = 0;
    double preySize = 0.0;
    double preyValue = 0.0;
    bool useGravity = false;
    bool useAttackDistance = false;
    uint8_t selectedSpiderLowBits = 0; // written, ignored when read
    double silkCostFactor = 0.0;
    int32_t silkLimit = -1;
    double timePenaltyFactor = 0.0;
    int32_t crossoverPercent = 0;
    int32_t mutationTenths = 0;
};

// The settings of the running program (silkLimit and the attack flags
// included), with the rates in their stored units.
Settings currentSettings();
Settings currentSettings(const EvolutionState& run);
void encodeSettings(const Settings& s, uint8_t out[SETTINGS_BYTES]);
Settings decodeSettings(const uint8_t in[SETTINGS_BYTES]);
// Writes settings read from a file into the running program.
void applySettings(const Settings& s);
void applySettings(EvolutionState& run, const Settings& s);

} // namespace population_format
