#pragma once
// Population files (".axv"): the whole fossil record and the run settings,
// little-endian, in this order: version text length L and text, population
// size N, generation count G, G x N x 23 record integers, then numPrey,
// preySize, preyValue, the two attack-flag fields, silkCostFactor, silkLimit,
// timePenaltyFactor, crossover rate in percent and mutation rate in tenths of
// a percent. A file is 75 + 92 x N x G bytes long.

#include <cstddef>
#include <cstdint>
#include <string>

// The refusal shown for a file that cannot be taken.
extern const char* const NOT_A_POPULATION_FILE_MESSAGE;

// Writes the run to `path`. The file is written under a temporary name in
// the same folder, flushed to disk and then renamed over `path`, so an
// existing file is either replaced whole or left as it was. On failure a
// message box says so, the reason goes to *why (when given) and the result
// is false.
bool savePopulation(const std::string& path, std::string* why = nullptr);

struct EvolutionState;

// What a file holds: the published fields alone (Plain), or followed by the
// run's continuation record when the run can be continued exactly.
enum class FileLayout { WithContinuation, Plain };

// The same for a given run, silently: the reason of a failure is returned
// (empty on success) and nothing is shown.
std::string writePopulation(const EvolutionState& run, const std::string& path,
                            FileLayout layout = FileLayout::WithContinuation);

// Reads a run from `path` into the evolution state and shows its last
// generation. Bytes after the settings are taken as the run's continuation
// record; a damaged or foreign one never refuses the file (the run's
// fileContinuation says Damaged). A file that cannot be opened, has the wrong version text, a
// population size outside 1 ... 200, fewer than one generation, fewer bytes
// than its record needs, rule values outside their genes' ranges or settings
// that are not numbers is refused with a message box; the state is then left
// exactly as it was, the reason goes to *why and the result is false.
bool loadPopulation(const std::string& path, std::string* why = nullptr);

// The same from bytes in memory (the loader's fuzz target uses it).
bool loadPopulationFromMemory(const uint8_t* data, size_t size, std::string* why = nullptr);

// Reads a run from `path` into `run` with every check of loadPopulation,
// silently: the reason of a refusal is returned (empty on success), and a
// refused file leaves `run` as it was.
std::string readPopulation(EvolutionState& run, const std::string& path);
