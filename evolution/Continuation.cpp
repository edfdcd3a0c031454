#include "evolution/Continuation.h"

#include <algorithm>
#include <cstring>

#include "core/LSystem.h"
#include "evolution/LittleEndian.h"
#include "evolution/PopulationFormat.h"

const char* const DAMAGED_CONTINUATION_WARNING =
    "its continuation data is damaged: continuing will start new random streams";

namespace continuation {

namespace {

constexpr uint64_t FNV_OFFSET = 1469598103934665603ull;
constexpr uint64_t FNV_PRIME = 1099511628211ull;
constexpr int32_t MAX_VERSION_BYTES = 64;
constexpr uint8_t FLAG_EVALUATED = 1;
constexpr uint8_t FLAG_ELITE = 2;
constexpr uint8_t FLAG_HIGHLIGHTED = 4;
constexpr uint8_t ALL_FLAGS = FLAG_EVALUATED | FLAG_ELITE | FLAG_HIGHLIGHTED;
constexpr size_t CHECK_BYTES = 8;
constexpr int BITS_PER_BYTE = 8;

class Fnv1a {
  public:
    void add(const uint8_t* p, size_t n) {
        for (size_t k = 0; k < n; ++k)
            hash_ = (hash_ ^ p[k]) * FNV_PRIME;
    }
    void addInt32(int32_t v) {
        uint8_t b[4];
        little_endian::putInt32(b, v);
        add(b, sizeof b);
    }
    uint64_t value() const { return hash_; }

  private:
    uint64_t hash_ = FNV_OFFSET;
};

// The check's start: the run the record belongs to (its size, generation
// count, last generation and settings), so that a record moved onto another
// run's fields is told apart.
Fnv1a runCheck(const EvolutionState& run, const uint8_t* settings) {
    Fnv1a h;
    const int n = run.populationSize;
    const int g = run.recordedGenerations();
    h.addInt32(n);
    h.addInt32(g);
    const size_t first = static_cast<size_t>(g - 1) * n * FOSSIL_ENTRY_SIZE;
    for (size_t k = first; k < first + static_cast<size_t>(n) * FOSSIL_ENTRY_SIZE; ++k)
        h.addInt32(run.fossilRecord[k]);
    h.add(settings, population_format::SETTINGS_BYTES);
    return h;
}

class Writer {
  public:
    std::vector<uint8_t> out;
    void u8(uint8_t v) { out.push_back(v); }
    void u32(uint32_t v) {
        uint8_t b[4];
        little_endian::putUInt32(b, v);
        out.insert(out.end(), b, b + 4);
    }
    void i32(int32_t v) { u32(static_cast<uint32_t>(v)); }
    void real(double v) {
        uint8_t b[8];
        little_endian::putDouble(b, v);
        out.insert(out.end(), b, b + 8);
    }
    void u64(uint64_t v) {
        u32(static_cast<uint32_t>(v));
        u32(static_cast<uint32_t>(v >> 32));
    }
};

// Reads fields; every read past the end sets failed() and gives zeros.
class Reader {
  public:
    Reader(const uint8_t* p, size_t n) : p_(p), n_(n) {}
    bool failed() const { return failed_; }
    size_t position() const { return pos_; }
    size_t left() const { return n_ - pos_; }
    const uint8_t* take(size_t k) {
        if (failed_ || k > left()) {
            failed_ = true;
            static const uint8_t zeros[8] = {};
            return zeros;
        }
        const uint8_t* at = p_ + pos_;
        pos_ += k;
        return at;
    }
    uint8_t u8() { return *take(1); }
    uint32_t u32() { return little_endian::getUInt32(take(4)); }
    int32_t i32() { return little_endian::getInt32(take(4)); }
    double real() { return little_endian::getDouble(take(8)); }
    uint64_t u64() {
        const uint64_t low = u32();
        return low | static_cast<uint64_t>(u32()) << 32;
    }

  private:
    const uint8_t* p_;
    size_t n_;
    size_t pos_ = 0;
    bool failed_ = false;
};

void writeSettings(Writer& w, const RunSettings& s) {
    w.i32(s.numPrey);
    w.real(s.preySize);
    w.real(s.preyValue);
    w.u8(s.useAttackDistance ? 1 : 0);
    w.u8(s.useGravity ? 1 : 0);
    w.real(s.silkCostFactor);
    w.i32(s.silkLimit);
    w.real(s.timePenaltyFactor);
    w.real(s.crossoverRate);
    w.real(s.mutationRate);
}

RunSettings readSettings(Reader& r) {
    RunSettings s;
    s.numPrey = r.i32();
    s.preySize = r.real();
    s.preyValue = r.real();
    s.useAttackDistance = r.u8() != 0;
    s.useGravity = r.u8() != 0;
    s.silkCostFactor = r.real();
    s.silkLimit = r.i32();
    s.timePenaltyFactor = r.real();
    s.crossoverRate = r.real();
    s.mutationRate = r.real();
    return s;
}

void writeProvenance(Writer& w, const RunProvenance& p) {
    const std::string version = LSystem::GetProductVersion();
    w.i32(static_cast<int32_t>(version.size()));
    w.out.insert(w.out.end(), version.begin(), version.end());
    w.u8(p.firstSeed ? 1 : 0);
    w.u32(p.firstSeed.value_or(0));
    w.u8(p.lastBred ? 1 : 0);
    writeSettings(w, p.lastBred.value_or(RunSettings{}));
}

bool readProvenance(Reader& r, RunProvenance& p) {
    const int32_t length = r.i32();
    if (length < 0 || length > MAX_VERSION_BYTES)
        return false;
    const uint8_t* text = r.take(static_cast<size_t>(length));
    p.version.assign(reinterpret_cast<const char*>(text), r.failed() ? 0 : length);
    const uint8_t hasSeed = r.u8();
    const uint32_t seed = r.u32();
    if (hasSeed > 1)
        return false;
    if (hasSeed)
        p.firstSeed = seed;
    const uint8_t hasBred = r.u8();
    const RunSettings bred = readSettings(r);
    if (hasBred > 1)
        return false;
    if (hasBred)
        p.lastBred = bred;
    return !r.failed();
}

size_t packedBytes(int32_t numBits) {
    return static_cast<size_t>((numBits + BITS_PER_BYTE - 1) / BITS_PER_BYTE);
}

void writeSpider(Writer& w, const Spider& s) {
    const EAIndInteger& ind = s.individual;
    w.real(ind.fitness);
    w.u8(static_cast<uint8_t>((ind.isEvaluated ? FLAG_EVALUATED : 0) |
                              (ind.isElite ? FLAG_ELITE : 0) |
                              (s.web.isHighlighted ? FLAG_HIGHLIGHTED : 0)));
    w.i32(originCode(s.origin));
    w.i32(s.parentA);
    w.i32(s.parentB);
    w.i32(ind.numBits);
    std::vector<uint8_t> packed(packedBytes(ind.numBits), 0);
    for (int32_t k = 0; k < ind.numBits; ++k)
        if (ind.bits[k])
            packed[k / BITS_PER_BYTE] |= static_cast<uint8_t>(0x80u >> (k % BITS_PER_BYTE));
    w.out.insert(w.out.end(), packed.begin(), packed.end());
}

bool readSpider(Reader& r, int32_t expectedBits, SpiderState& s) {
    s.fitness = r.real();
    const uint8_t flags = r.u8();
    s.isEvaluated = (flags & FLAG_EVALUATED) != 0;
    s.isElite = (flags & FLAG_ELITE) != 0;
    s.isHighlighted = (flags & FLAG_HIGHLIGHTED) != 0;
    s.originCode = r.i32();
    s.parentA = r.i32();
    s.parentB = r.i32();
    s.numBits = r.i32();
    if (flags & ~ALL_FLAGS || s.originCode < ORIGIN_CODE_UNKNOWN ||
        s.originCode >= NUM_ORIGIN_CODES || s.numBits != expectedBits)
        return false;
    const uint8_t* packed = r.take(packedBytes(s.numBits));
    if (r.failed())
        return false;
    s.bits.resize(static_cast<size_t>(s.numBits));
    for (int32_t k = 0; k < s.numBits; ++k)
        s.bits[k] = (packed[k / BITS_PER_BYTE] >> (BITS_PER_BYTE - 1 - k % BITS_PER_BYTE)) & 1u;
    return true;
}

bool inPopulation(int32_t i, int32_t n) {
    return i >= 0 && i < n;
}

std::shared_ptr<ContinuationRecord> readBody(Reader& r, const EvolutionState& run) {
    auto record = std::make_shared<ContinuationRecord>();
    if (!readProvenance(r, record->provenance))
        return nullptr;
    const int32_t n = r.i32();
    record->bestSpider = r.i32();
    record->selectedSpider = r.i32();
    const int32_t words = r.i32();
    if (r.failed() || n != run.populationSize || !inPopulation(record->bestSpider, n) ||
        (record->selectedSpider != -1 && !inPopulation(record->selectedSpider, n)) ||
        words != RunRandom::WORDS)
        return nullptr;
    record->randomWords.resize(static_cast<size_t>(words));
    for (uint32_t& word : record->randomWords)
        word = r.u32();
    RunRandom trial;
    if (r.failed() || !trial.setWords(record->randomWords))
        return nullptr;
    record->spiders.resize(static_cast<size_t>(n));
    for (int32_t i = 0; i < n; ++i)
        if (!readSpider(r, run.spiders[i].individual.numBits, record->spiders[i]))
            return nullptr;
    return record;
}

} // namespace

bool continuesExactly(const EvolutionState& run) {
    const int g = run.recordedGenerations();
    return g >= 1 && run.generation == g - 1 && run.populationSize >= 1 &&
           run.populationSize <= MAX_POPULATION;
}

std::vector<uint8_t> encode(const EvolutionState& run, const uint8_t* settings) {
    if (!continuesExactly(run))
        return {};
    Writer body;
    writeProvenance(body, run.provenance);
    body.i32(run.populationSize);
    body.i32(run.bestSpider);
    body.i32(run.selectedSpider);
    const std::vector<uint32_t> words = run.random.words();
    body.i32(static_cast<int32_t>(words.size()));
    for (uint32_t word : words)
        body.u32(word);
    for (int i = 0; i < run.populationSize; ++i)
        writeSpider(body, run.spiders[i]);
    Fnv1a check = runCheck(run, settings);
    check.add(body.out.data(), body.out.size());
    body.u64(check.value());

    Writer head;
    head.out.assign(MARKER, MARKER + sizeof MARKER);
    head.i32(RECORD_VERSION);
    head.i32(static_cast<int32_t>(body.out.size()));
    head.out.insert(head.out.end(), body.out.begin(), body.out.end());
    return head.out;
}

std::shared_ptr<const ContinuationRecord>
decode(const uint8_t* data, size_t size, const EvolutionState& run, const uint8_t* settings) {
    if (size < HEAD_BYTES + CHECK_BYTES || std::memcmp(data, MARKER, sizeof MARKER) != 0 ||
        !continuesExactly(run))
        return nullptr;
    Reader head(data + sizeof MARKER, HEAD_BYTES - sizeof MARKER);
    const int32_t version = head.i32();
    const int32_t length = head.i32();
    if (version != RECORD_VERSION || length < 0 || static_cast<size_t>(length) != size - HEAD_BYTES)
        return nullptr;
    const uint8_t* body = data + HEAD_BYTES;
    const size_t checked = size - HEAD_BYTES - CHECK_BYTES;
    Fnv1a check = runCheck(run, settings);
    check.add(body, checked);
    Reader tail(body + checked, CHECK_BYTES);
    if (tail.u64() != check.value())
        return nullptr;
    Reader r(body, checked);
    std::shared_ptr<const ContinuationRecord> record = readBody(r, run);
    return record && r.left() == 0 ? record : nullptr;
}

void apply(EvolutionState& run, const ContinuationRecord& record) {
    std::vector<int> changed;
    for (int i = 0; i < run.populationSize; ++i) {
        const SpiderState& from = record.spiders[static_cast<size_t>(i)];
        EAIndInteger& ind = run.spiders[i].individual;
        if (!std::equal(from.bits.begin(), from.bits.end(), ind.bits))
            changed.push_back(i);
        std::copy(from.bits.begin(), from.bits.end(), ind.bits);
    }
    // A genome edited after the last recording: its rules and web follow it.
    run.decodeRules();
    for (int i : changed) {
        run.spiders[i].clearWeb();
        run.spiders[i].constructWeb(STAGE_MAIN_CAP_SPIRAL, run.silkLimit);
    }
    for (int i = 0; i < run.populationSize; ++i) {
        const SpiderState& from = record.spiders[static_cast<size_t>(i)];
        Spider& s = run.spiders[i];
        s.individual.fitness = from.fitness;
        s.individual.isEvaluated = from.isEvaluated;
        s.individual.isElite = from.isElite;
        s.web.isHighlighted = from.isHighlighted;
        s.origin = originLabel(from.originCode);
        s.parentA = from.parentA;
        s.parentB = from.parentB;
    }
    run.bestSpider = record.bestSpider;
    run.selectedSpider = record.selectedSpider;
    run.random.setWords(record.randomWords);
    run.provenance = record.provenance;
}

} // namespace continuation
