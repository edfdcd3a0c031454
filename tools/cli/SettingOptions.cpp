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
    const RunSettings s = currentRunSettings();
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
