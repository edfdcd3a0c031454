#include "tools/cli/sweep/SweepCaseRows.h"

#include <cmath>
#include <cstdlib>

#include "tools/cli/sweep/SweepFolder.h"
#include "tools/cli/sweep/SweepMeasures.h"

namespace {

// Far more than a row of the measures ever takes.
constexpr size_t MAX_ROW_BYTES = 4096;

size_t fieldCount(const std::string& text) {
    size_t n = 1;
    for (char c : text)
        n += c == ',';
    return n;
}

// What is wrong with the measures of one row ("" when nothing).
std::string measuresProblem(const std::string& fields, size_t expected) {
    size_t count = 0;
    for (size_t at = 0; at <= fields.size(); ++count) {
        size_t end = fields.find(',', at);
        if (end == std::string::npos)
            end = fields.size();
        const std::string field = fields.substr(at, end - at);
        char* stop = nullptr;
        const double v = std::strtod(field.c_str(), &stop);
        if (field.empty() || *stop != '\0' || !std::isfinite(v))
            return "'" + field + "' is not a number";
        at = end + 1;
    }
    if (count != expected)
        return std::to_string(count) + " measures, not " + std::to_string(expected);
    return "";
}

} // namespace

std::string caseRowPrefix(const SweepFolder& folder, long long k) {
    const SweepCase c = folder.caseAt(k);
    std::string prefix = std::to_string(k);
    for (const std::string& level : c.levels)
        prefix += "," + level;
    for (const DesignSetting& s : folder.design().fixed)
        prefix += "," + s.value;
    return prefix + "," + std::to_string(c.seed);
}

size_t maxCaseRowsBytes(const SweepDesign& design) {
    return (static_cast<size_t>(design.generations) + 1) * MAX_ROW_BYTES;
}

std::string caseRowsProblem(const SweepFolder& folder, long long k, const std::string& rows) {
    if (rows.empty())
        return "it is empty";
    if (rows.back() != '\n')
        return "its last line is cut short";
    const std::string prefix = caseRowPrefix(folder, k);
    const size_t measures = fieldCount(measureNames());
    int generation = 0;
    for (size_t at = 0; at < rows.size(); ++generation) {
        const size_t end = rows.find('\n', at);
        const std::string line = rows.substr(at, end - at);
        const std::string where = "line " + std::to_string(generation + 1) + ": ";
        if (generation > folder.design().generations)
            return where + "more generations than the design's " +
                   std::to_string(folder.design().generations);
        const std::string start = prefix + "," + std::to_string(generation) + ",";
        if (line.compare(0, start.size(), start) != 0)
            return where + "it does not start with " + start;
        const std::string problem = measuresProblem(line.substr(start.size()), measures);
        if (!problem.empty())
            return where + problem;
        at = end + 1;
    }
    if (generation != folder.design().generations + 1)
        return "it ends at generation " + std::to_string(generation - 1) + ", not " +
               std::to_string(folder.design().generations);
    return "";
}
