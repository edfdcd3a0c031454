#include "tools/cli/SettingOptions.h"

#include <cstdio>

namespace {

std::string line(const char* name, const std::string& value) {
    char buf[160];
    std::snprintf(buf, sizeof buf, "%-20s %s\n", name, value.c_str());
    return buf;
}

std::string number(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", v);
    return buf;
}

} // namespace

std::string describeSettings() {
    return describeSettings(currentRunSettings());
}

std::string describeSettings(const RunSettings& s) {
    std::string attack = attackWord(attackOf(s));
    if (!s.useAttackDistance && s.useGravity)
        attack += " (gravity flag set)";
    std::string out;
    out += line("number of prey:", std::to_string(s.numPrey));
    out += line("prey size:", number(s.preySize));
    out += line("prey value:", number(s.preyValue));
    out += line("attack sim:", attack);
    out += line("silk cost factor:", number(s.silkCostFactor));
    out += line("silk limit:",
                s.silkLimit < 0 ? "no limit (-1)" : std::to_string(s.silkLimit) + " web units");
    out += line("time penalty factor:", number(s.timePenaltyFactor));
    out += line("crossover rate:", number(s.crossoverRate * PERCENT) + " %");
    out += line("mutation rate:", number(s.mutationRate * TENTHS_OF_PERCENT) + " (1/10 %)");
    return out;
}

std::string describeProvenance(const EvolutionState& run) {
    std::string out;
    switch (run.fileContinuation) {
    case FileContinuation::Exact:
        out += line("continuation:",
                    "exact (record written by version " + run.provenance.version + ")");
        break;
    case FileContinuation::Damaged:
        out += line("continuation:", "not exact: the continuation record is damaged");
        break;
    case FileContinuation::Absent:
        out += line("continuation:",
                    "not exact: the file has no continuation record (continuing starts new "
                    "random streams)");
        break;
    }
    const RunProvenance& p = run.provenance;
    out += line("first seed:", p.firstSeed ? std::to_string(*p.firstSeed) : "unknown");
    if (!p.lastBred) {
        out += line("last bred with:", "unknown");
        return out;
    }
    out += "last bred with:\n";
    std::string settings = describeSettings(*p.lastBred);
    for (size_t at = 0; at < settings.size();) {
        settings.insert(at, "  ");
        const size_t end = settings.find('\n', at);
        if (end == std::string::npos)
            break;
        at = end + 1;
    }
    return out + settings;
}
