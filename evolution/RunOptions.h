#pragma once
// The options of a run, typed: every setting with which a run is started or
// resumed, each present only when given. Every front end fills one (the tool
// from its words, the sweeps from their designs, Python from keywords) and
// validate() checks them all here, with messages that name the setting.

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

#include "evolution/RunSettings.h"

// Limits of the options.
constexpr int DEFAULT_GENERATIONS = 100;
constexpr int MAX_THREADS = 256;
constexpr int MAX_OPTION_PREY = 10000;
constexpr double MAX_OPTION_PREY_SIZE = 200.0;
constexpr double MAX_OPTION_FACTOR = 1e6;
constexpr int MAX_OPTION_SILK_LIMIT = 10000000;

struct RunOptions {
    std::optional<int> population;         // 1 ... 200; a new run's size (default 24)
    int generations = DEFAULT_GENERATIONS; // 0 ... 10,000 to breed
    std::optional<uint32_t> seed;          // the twister's seed (default: from the system)
    int threads = 0;                       // evaluation threads, 1 ... 256; 0: every core

    // Settings; absent ones keep the run's (or the defaults for a new run).
    std::optional<int> prey; // 0 ... 10,000
    std::optional<double> preySize;
    std::optional<double> preyValue;
    std::optional<AttackSim> attack;
    std::optional<double> silkCost;
    std::optional<int> silkLimit; // web units, -1 for no limit
    std::optional<double> timePenalty;
    std::optional<int> crossover; // percent, 0 ... 100
    std::optional<int> mutation;  // tenths of a percent, 0 ... 1000
};

// A refused option: `setting` is its name (population, prey_size, ...).
class RunOptionError : public std::invalid_argument {
  public:
    RunOptionError(const std::string& setting, const std::string& message)
        : std::invalid_argument(message), setting_(setting) {}
    const std::string& setting() const { return setting_; }

  private:
    std::string setting_;
};

// Throws RunOptionError for the first option outside its range, e.g.
// "population must be between 1 and 200, got 0".
void validate(const RunOptions& options);

// `settings` with every given setting of `options` written over it.
RunSettings overridden(RunSettings settings, const RunOptions& options);

// The record keeps fitness as a 32-bit integer: the most a spider can earn
// (every prey caught) must fit. Throws RunOptionError naming prey_value.
void checkFitnessFitsTheRecord(const RunSettings& settings);

// "off", "dist", "dist+grav" and back.
std::string attackWord(AttackSim attack);
std::optional<AttackSim> parseAttackWord(const std::string& word);
