#pragma once
// The continuation record: an optional block after a run file's settings
// that lets the run go on exactly as it would have gone on unsaved. Readers
// of the fifteen fields stop before it. It holds everything the next
// generation reads that those fields do not (both random streams, every
// spider's genome bits, exact fitness and marks, the best and selected
// spider) and where the run came from (product version, first seed, the
// settings of the last breeding). It never holds the front end, a command
// line, a time or a host, so the same run always gives the same bytes.
//
// Layout (little-endian): the 8-byte marker, the record version (int32),
// the length of the body in bytes (int32), then the body (see
// docs/evolution.md) ending in an FNV-1a 64-bit check of the run's last
// generation, its settings and the body before it.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "evolution/EvolutionState.h"

// The one warning given for a continuation that cannot be used.
extern const char* const DAMAGED_CONTINUATION_WARNING;

namespace continuation {

constexpr uint8_t MARKER[8] = {'A', 'X', 'V', '-', 'C', 'O', 'N', 'T'};
constexpr int32_t RECORD_VERSION = 1;
// Marker, version and length.
constexpr size_t HEAD_BYTES = 16;
// No record of a run of at most 200 spiders comes near this.
constexpr size_t MAX_BODY_BYTES = 1 << 20;

// One spider in use, as the next generation reads it.
struct SpiderState {
    double fitness = 0.0;
    bool isEvaluated = false;
    bool isElite = false;
    bool isHighlighted = false;
    int32_t originCode = 0;
    int32_t parentA = -1;
    int32_t parentB = -1;
    int32_t numBits = 0;
    std::vector<uint8_t> bits; // numBits values, each 0 or 1
};

} // namespace continuation

struct ContinuationRecord {
    RunProvenance provenance;
    int32_t bestSpider = 0;
    int32_t selectedSpider = -1;
    std::vector<uint32_t> randomWords; // RunRandom::words()
    std::vector<continuation::SpiderState> spiders;
};

namespace continuation {

// Whether the run in memory can be written so that opening the file goes on
// exactly as the run would: only while it shows its last recorded
// generation (a file opens at its last generation).
bool continuesExactly(const EvolutionState& run);

// The whole record of `run`, from its marker to its check, to follow
// `settings` (the file's 56 settings bytes); empty when the run cannot be
// continued exactly.
std::vector<uint8_t> encode(const EvolutionState& run, const uint8_t* settings);

// The record in the `size` bytes after a file's settings, for the run just
// taken from that file (`settings`: its settings bytes); null for a record
// that is damaged, foreign, of another run or of another layout.
std::shared_ptr<const ContinuationRecord>
decode(const uint8_t* data, size_t size, const EvolutionState& run, const uint8_t* settings);

// Puts a decoded record in force over the run opened from its file: genomes,
// fitness, marks, the best and selected spider, both random streams and the
// provenance. Webs whose genome changed are built again.
void apply(EvolutionState& run, const ContinuationRecord& record);

} // namespace continuation
