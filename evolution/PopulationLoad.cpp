// Loading a run. Everything is read and checked into temporaries first; the
// evolution state changes only once the whole file has been taken.

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "evolution/Continuation.h"
#include "evolution/EvolutionState.h"
#include "evolution/LittleEndian.h"
#include "evolution/PopulationFile.h"
#include "evolution/PopulationFormat.h"
#include "evolution/RegularFile.h"
#include "evolution/RunControl.h"
#include "evolution/WindowPort.h"

namespace pf = population_format;

const char* const NOT_A_POPULATION_FILE_MESSAGE =
    "ERROR: Cannot read file. This does not seem to be a Arachnovix file.";

namespace {

constexpr size_t RECORD_CHUNK_INTS = 4096;

// Where the bytes come from: a file or a block of memory.
class ByteSource {
  public:
    virtual ~ByteSource() = default;
    virtual uint64_t size() const = 0;
    // Reads exactly n bytes; false when they are not there.
    virtual bool read(uint8_t* out, size_t n) = 0;
};

class MemorySource : public ByteSource {
  public:
    MemorySource(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    uint64_t size() const override { return size_; }
    bool read(uint8_t* out, size_t n) override {
        if (n > size_ - pos_)
            return false;
        if (n > 0)
            std::memcpy(out, data_ + pos_, n);
        pos_ += n;
        return true;
    }

  private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

class FileSource : public ByteSource {
  public:
    explicit FileSource(const std::string& path) { fd_ = openRegularFile(path, &error_, &size_); }
    ~FileSource() override {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    // Why the file cannot be read at all (empty when it can).
    const std::string& error() const { return error_; }
    uint64_t size() const override { return size_; }
    bool read(uint8_t* out, size_t n) override {
        while (n > 0) {
            const ssize_t got = ::read(fd_, out, n);
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                return false;
            out += got;
            n -= static_cast<size_t>(got);
        }
        return true;
    }

  private:
    int fd_ = -1;
    uint64_t size_ = 0;
    std::string error_;
};

// A whole run as read from a file, not yet taken into the program.
struct LoadedRun {
    int32_t populationSize = 0;
    int32_t generations = 0;
    std::vector<int32_t> record;
    pf::Settings settings;
    uint8_t settingsBytes[pf::SETTINGS_BYTES] = {};
    // What follows the settings: a continuation record, or anything else.
    std::vector<uint8_t> trailing;
    bool trailingTooLong = false;
};

bool readInt32(ByteSource& in, int32_t& v) {
    uint8_t b[pf::INT_BYTES];
    if (!in.read(b, sizeof b))
        return false;
    v = little_endian::getInt32(b);
    return true;
}

bool readRecord(ByteSource& in, std::vector<int32_t>& record) {
    uint8_t chunk[RECORD_CHUNK_INTS * pf::INT_BYTES];
    for (size_t done = 0; done < record.size();) {
        const size_t n = std::min(record.size() - done, RECORD_CHUNK_INTS);
        if (!in.read(chunk, n * pf::INT_BYTES))
            return false;
        for (size_t k = 0; k < n; ++k)
            record[done + k] = little_endian::getInt32(chunk + k * pf::INT_BYTES);
        done += n;
    }
    return true;
}

std::string readHeader(ByteSource& in, LoadedRun& run) {
    int32_t length = 0;
    if (!readInt32(in, length))
        return "the file is too short for a version text";
    if (length != static_cast<int32_t>(pf::VERSION_LENGTH))
        return "the version text has " + std::to_string(length) + " bytes, not " +
               std::to_string(pf::VERSION_LENGTH);
    char version[pf::VERSION_LENGTH];
    if (!in.read(reinterpret_cast<uint8_t*>(version), sizeof version))
        return "the file ends inside its version text";
    if (std::memcmp(version, pf::VERSION_TEXT, pf::VERSION_LENGTH) != 0)
        return "the version text is not " + std::string(pf::VERSION_TEXT);
    if (!readInt32(in, run.populationSize) || !readInt32(in, run.generations))
        return "the file ends before its population size and generation count";
    if (run.populationSize < 1 || run.populationSize > MAX_POPULATION)
        return "the population size " + std::to_string(run.populationSize) + " is outside 1 ... " +
               std::to_string(MAX_POPULATION);
    if (run.generations < 1)
        return "the generation count " + std::to_string(run.generations) + " is below 1";
    const uint64_t needed = pf::fileSize(pf::VERSION_LENGTH, run.populationSize, run.generations);
    if (in.size() < needed)
        return "the file has " + std::to_string(in.size()) + " bytes, its record needs " +
               std::to_string(needed);
    return std::string();
}

// The largest value a gene can decode to (a fixed gene still takes one bit).
int geneUpperLimit(const EAPInteger& problem, size_t k) {
    return problem.geneMin[k] == problem.geneMax[k] ? problem.geneMin[k] + 1 : problem.geneMax[k];
}

std::string checkRuleValues(const EAPInteger& problem, const std::vector<int32_t>& record) {
    const size_t numGenes = std::min<size_t>(problem.geneMin.size(), NUM_RULES);
    for (size_t e = 0; e < record.size(); e += FOSSIL_ENTRY_SIZE) {
        for (size_t k = 0; k < numGenes; ++k) {
            const int32_t v = record[e + k];
            if (v < problem.geneMin[k] || v > geneUpperLimit(problem, k))
                return "rule value " + std::to_string(v) + " of gene " + std::to_string(k) +
                       " (record entry " + std::to_string(e / FOSSIL_ENTRY_SIZE) +
                       ") is outside the gene's range";
        }
    }
    return std::string();
}

std::string checkSettings(const pf::Settings& s) {
    if (!std::isfinite(s.preySize) || !std::isfinite(s.preyValue) ||
        !std::isfinite(s.silkCostFactor) || !std::isfinite(s.timePenaltyFactor))
        return "a setting is not a finite number";
    if (s.numPrey < 0 || s.numPrey > pf::MAX_PREY)
        return "the number of prey " + std::to_string(s.numPrey) + " is outside 0 ... " +
               std::to_string(pf::MAX_PREY);
    return std::string();
}

// The bytes after the settings, unless there are more than any
// continuation record can have.
void readTrailing(ByteSource& in, LoadedRun& run) {
    const uint64_t end = pf::fileSize(pf::VERSION_LENGTH, run.populationSize, run.generations);
    const uint64_t left = in.size() > end ? in.size() - end : 0;
    if (left > continuation::HEAD_BYTES + continuation::MAX_BODY_BYTES) {
        run.trailingTooLong = true;
        return;
    }
    run.trailing.resize(static_cast<size_t>(left));
    if (!in.read(run.trailing.data(), run.trailing.size()))
        run.trailing.clear();
}

std::string readRun(const EAPInteger& layout, ByteSource& in, LoadedRun& run) {
    std::string problem = readHeader(in, run);
    if (!problem.empty())
        return problem;
    try {
        run.record.assign(
            static_cast<size_t>(run.populationSize) * run.generations * FOSSIL_ENTRY_SIZE, 0);
    } catch (const std::bad_alloc&) {
        return "there is not enough memory for its record";
    }
    // The size was checked above; a read can still fail when the file
    // shrinks meanwhile or the disk fails.
    if (!readRecord(in, run.record))
        return "the file ends inside its record";
    if (!in.read(run.settingsBytes, sizeof run.settingsBytes))
        return "the file ends inside its settings";
    run.settings = pf::decodeSettings(run.settingsBytes);
    readTrailing(in, run);
    problem = checkRuleValues(layout, run.record);
    if (problem.empty())
        problem = checkSettings(run.settings);
    return problem;
}

// The continuation after the settings, for the run just taken.
void takeContinuation(EvolutionState& es, const LoadedRun& run) {
    es.provenance = RunProvenance();
    es.pendingContinuation = nullptr;
    es.fileContinuation = FileContinuation::Absent;
    if (run.trailing.empty() && !run.trailingTooLong)
        return;
    es.pendingContinuation =
        continuation::decode(run.trailing.data(), run.trailing.size(), es, run.settingsBytes);
    if (es.pendingContinuation) {
        es.fileContinuation = FileContinuation::Exact;
        es.provenance = es.pendingContinuation->provenance;
    } else {
        es.fileContinuation = FileContinuation::Damaged;
    }
}

void takeRun(EvolutionState& es, LoadedRun& run) {
    es.populationSize = run.populationSize;
    es.fossilRecord = std::move(run.record);
    ++es.recordRevision;
    pf::applySettings(es, run.settings);
    es.generation = run.generations - 1;
    es.goToGeneration(run.generations - 1);
    takeContinuation(es, run);
}

bool refuseLoad(const std::string& reason, std::string* why) {
    windowPort().showMessage(NOT_A_POPULATION_FILE_MESSAGE, MESSAGE_CAPTION, MessageIcon::Plain);
    if (why)
        *why = reason;
    return false;
}

std::string loadInto(EvolutionState& es, ByteSource& in) {
    LoadedRun run;
    const std::string problem = readRun(es.problem, in, run);
    if (problem.empty())
        takeRun(es, run);
    return problem;
}

bool loadFrom(ByteSource& in, std::string* why) {
    const std::string problem = loadInto(evolutionState, in);
    if (!problem.empty())
        return refuseLoad(problem, why);
    if (why)
        why->clear();
    return true;
}

std::string openFailure(const std::string& path, const FileSource& in) {
    return "cannot open \"" + path + "\": " + in.error();
}

} // namespace

bool loadPopulation(const std::string& path, std::string* why) {
    FileSource in(path);
    if (!in.error().empty()) {
        const std::string reason = openFailure(path, in);
        windowPort().showMessage("ERROR: Cannot read file. " + reason + ".", MESSAGE_CAPTION,
                                 MessageIcon::Plain);
        if (why)
            *why = reason;
        return false;
    }
    return loadFrom(in, why);
}

bool loadPopulationFromMemory(const uint8_t* data, size_t size, std::string* why) {
    MemorySource in(data, size);
    return loadFrom(in, why);
}

std::string readPopulation(EvolutionState& run, const std::string& path) {
    FileSource in(path);
    if (!in.error().empty())
        return openFailure(path, in);
    return loadInto(run, in);
}
