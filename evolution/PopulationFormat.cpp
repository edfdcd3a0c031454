#include "evolution/PopulationFormat.h"

#include "evolution/LittleEndian.h"
#include "evolution/RunSettings.h"

namespace population_format {

namespace {

constexpr uint8_t LOW_BYTE_MASK = 0xFF;

// Writes fields one after the other.
class FieldWriter {
  public:
    explicit FieldWriter(uint8_t* out) : p_(out) {}
    void int32(int32_t v) {
        little_endian::putInt32(p_, v);
        p_ += INT_BYTES;
    }
    void real(double v) {
        little_endian::putDouble(p_, v);
        p_ += REAL_BYTES;
    }
    void bytes(uint8_t b0, uint8_t b1, uint8_t b2, uint8_t b3) {
        p_[0] = b0;
        p_[1] = b1;
        p_[2] = b2;
        p_[3] = b3;
        p_ += INT_BYTES;
    }

  private:
    uint8_t* p_;
};

// Reads fields one after the other.
class FieldReader {
  public:
    explicit FieldReader(const uint8_t* in) : p_(in) {}
    int32_t int32() {
        const int32_t v = little_endian::getInt32(p_);
        p_ += INT_BYTES;
        return v;
    }
    double real() {
        const double v = little_endian::getDouble(p_);
        p_ += REAL_BYTES;
        return v;
    }
    const uint8_t* bytes() {
        const uint8_t* b = p_;
        p_ += INT_BYTES;
        return b;
    }

  private:
    const uint8_t* p_;
};

} // namespace

Settings currentSettings() {
    return currentSettings(evolutionState);
}

void applySettings(const Settings& s) {
    applySettings(evolutionState, s);
}

Settings currentSettings(const EvolutionState& es) {
    const RunSettings run = currentRunSettings(es);
    Settings s;
    s.numPrey = run.numPrey;
    s.preySize = run.preySize;
    s.preyValue = run.preyValue;
    s.useGravity = run.useGravity;
    s.useAttackDistance = run.useAttackDistance;
    s.selectedSpiderLowBits = static_cast<uint8_t>(es.selectedSpider & LOW_BYTE_MASK);
    s.silkCostFactor = run.silkCostFactor;
    s.silkLimit = run.silkLimit;
    s.timePenaltyFactor = run.timePenaltyFactor;
    s.crossoverPercent = percentOf(run.crossoverRate);
    s.mutationTenths = tenthsOf(run.mutationRate);
    return s;
}

void encodeSettings(const Settings& s, uint8_t out[SETTINGS_BYTES]) {
    FieldWriter w(out);
    w.int32(s.numPrey);
    w.real(s.preySize);
    w.real(s.preyValue);
    // The gravity field starts with both flags, the distance field with the
    // distance flag and ends with the low byte of the selected spider.
    w.bytes(s.useGravity, s.useAttackDistance, 0, 0);
    w.bytes(s.useAttackDistance, 0, 0, s.selectedSpiderLowBits);
    w.real(s.silkCostFactor);
    w.int32(s.silkLimit);
    w.real(s.timePenaltyFactor);
    w.int32(s.crossoverPercent);
    w.int32(s.mutationTenths);
}

Settings decodeSettings(const uint8_t in[SETTINGS_BYTES]) {
    FieldReader r(in);
    Settings s;
    s.numPrey = r.int32();
    s.preySize = r.real();
    s.preyValue = r.real();
    s.useGravity = r.bytes()[0] != 0;
    const uint8_t* distanceField = r.bytes();
    s.useAttackDistance = distanceField[0] != 0;
    s.selectedSpiderLowBits = distanceField[3];
    s.silkCostFactor = r.real();
    s.silkLimit = r.int32();
    s.timePenaltyFactor = r.real();
    s.crossoverPercent = r.int32();
    s.mutationTenths = r.int32();
    return s;
}

void applySettings(EvolutionState& es, const Settings& s) {
    RunSettings run;
    run.numPrey = s.numPrey;
    run.preySize = s.preySize;
    run.preyValue = s.preyValue;
    run.useGravity = s.useGravity;
    run.useAttackDistance = s.useAttackDistance;
    run.silkCostFactor = s.silkCostFactor;
    run.silkLimit = s.silkLimit;
    run.timePenaltyFactor = s.timePenaltyFactor;
    run.crossoverRate = rateFromPercent(s.crossoverPercent);
    run.mutationRate = rateFromTenths(s.mutationTenths);
    applyRunSettings(es, run);
}

} // namespace population_format
