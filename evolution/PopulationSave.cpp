// Saving a run: the whole fossil record and the settings, replaced atomically.

#include "core/LSystem.h"
#include "evolution/AtomicFile.h"
#include "evolution/Continuation.h"
#include "evolution/EvolutionState.h"
#include "evolution/FossilView.h"
#include "evolution/LittleEndian.h"
#include "evolution/PopulationFile.h"
#include "evolution/PopulationFormat.h"
#include "evolution/RunControl.h"
#include "evolution/WindowPort.h"

namespace pf = population_format;

namespace {

constexpr size_t RECORD_CHUNK_INTS = 4096;

void writeInt32(AtomicFile& out, int32_t v) {
    uint8_t b[pf::INT_BYTES];
    little_endian::putInt32(b, v);
    out.write(b, sizeof b);
}

void writeRecord(AtomicFile& out, const int32_t* values, size_t count) {
    uint8_t chunk[RECORD_CHUNK_INTS * pf::INT_BYTES];
    while (count > 0 && out.ok()) {
        const size_t n = count < RECORD_CHUNK_INTS ? count : RECORD_CHUNK_INTS;
        for (size_t k = 0; k < n; ++k)
            little_endian::putInt32(chunk + k * pf::INT_BYTES, values[k]);
        out.write(chunk, n * pf::INT_BYTES);
        values += n;
        count -= n;
    }
}

// Why the current run cannot be saved at all (empty when it can).
std::string unsavableReason(int n, size_t generations) {
    if (n < 1 || n > MAX_POPULATION)
        return "the population size is outside 1 ... 200";
    if (generations < 1)
        return "no generation has been recorded yet";
    if (generations > static_cast<size_t>(INT32_MAX))
        return "the record is too long";
    return std::string();
}

bool refuseSave(const std::string& path, const std::string& reason, std::string* why) {
    windowPort().showMessage("ERROR: Cannot write file \"" + path + "\": " + reason + ".",
                             MESSAGE_CAPTION, MessageIcon::Error);
    if (why)
        *why = reason;
    return false;
}

} // namespace

bool savePopulation(const std::string& path, std::string* why) {
    const std::string reason = writePopulation(evolutionState, path);
    if (!reason.empty())
        return refuseSave(path, reason, why);
    if (why)
        why->clear();
    return true;
}

std::string writePopulation(const EvolutionState& es, const std::string& path, FileLayout layout) {
    const int n = es.populationSize;
    const size_t perGeneration = fossilEntryIndex(1, n > 0 ? n : 1, 0);
    const size_t generations = es.fossilRecord.size() / perGeneration;
    const std::string reason = unsavableReason(n, generations);
    if (!reason.empty())
        return reason;

    AtomicFile out(path);
    const std::string version = LSystem::GetProductVersion();
    writeInt32(out, static_cast<int32_t>(version.size()));
    out.write(reinterpret_cast<const uint8_t*>(version.data()), version.size());
    writeInt32(out, n);
    writeInt32(out, static_cast<int32_t>(generations));
    writeRecord(out, es.fossilRecord.data(), generations * perGeneration);
    uint8_t settings[pf::SETTINGS_BYTES];
    pf::encodeSettings(pf::currentSettings(es), settings);
    out.write(settings, sizeof settings);
    if (layout == FileLayout::WithContinuation) {
        const std::vector<uint8_t> record = continuation::encode(es, settings);
        out.write(record.data(), record.size());
    }
    if (!out.commit())
        return out.error();
    return std::string();
}
