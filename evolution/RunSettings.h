#pragma once
// The settings of a run, in one record: what the control panel sets, a
// population file keeps and the command-line tool takes as options. The
// record's defaults are the values the program's panel starts with, and the
// units in which the panel, the file and the tool show the settings are
// converted here and nowhere else.

#include <cstdint>

#include "web/BuilderState.h"

struct EvolutionState;

// How prey are attacked: at once (Off), after the spider's walk (Dist), or
// after a walk weighted by direction (DistGrav). The values are the panel's
// list indices.
enum class AttackSim { Off = 0, Dist = 1, DistGrav = 2 };

// The population size a new run starts with.
constexpr int DEFAULT_POPULATION = 24;

struct RunSettings {
    int numPrey = 100;
    double preySize = 4.0;
    double preyValue = 20.0;
    bool useAttackDistance = false;
    bool useGravity = false;
    double silkCostFactor = 10.0;
    int32_t silkLimit = NO_SILK_LIMIT; // web units
    double timePenaltyFactor = 0.0;
    double crossoverRate = 0.8;  // 80 percent
    double mutationRate = 0.002; // 2 tenths of a percent
};

// The settings of a run: those of its record, its problem's attack switches
// and its silk limit; without a run, the program's current run.
RunSettings currentRunSettings(const EvolutionState& run);
RunSettings currentRunSettings();

// Puts the settings in force in a run (the program's current run by default).
void applyRunSettings(EvolutionState& run, const RunSettings& settings);
void applyRunSettings(const RunSettings& settings);

// The attack model of the two switches (gravity alone counts as Off), and
// the switches of a model.
AttackSim attackOf(const RunSettings& settings);
void setAttack(RunSettings& settings, AttackSim attack);

// A rate times these is the rate in percent, in tenths of a percent.
constexpr double PERCENT = 100.0;
constexpr double TENTHS_OF_PERCENT = 1000.0;

// Rates as whole percent and as whole tenths of a percent (the file's and
// the panel's units); a rate is truncated toward zero on the way out.
double rateFromPercent(int32_t percent);
int32_t percentOf(double rate);
double rateFromTenths(int32_t tenths);
int32_t tenthsOf(double rate);

// The panel counts the silk limit in steps of this many web units, 0 being
// no limit; a limit is truncated to whole steps on the way out.
constexpr int32_t SILK_LIMIT_STEP = 10;
int32_t silkLimitFromSteps(int32_t steps);
int32_t silkLimitSteps(int32_t silkLimit);
