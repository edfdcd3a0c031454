#include "tools/cli/sweep/SweepReplicates.h"

#include "tools/cli/CliError.h"
#include "tools/cli/sweep/SweepFolder.h"

namespace {

// Replicates of a condition that reached the design's last generation.
int finishedReplicates(const SweepDesign& design, const Condition& c) {
    if (c.measures.empty() || c.measures.front().empty())
        return 0;
    const BandPoint& last = c.measures.front().back();
    return last.generation == design.generations ? last.replicates : 0;
}

} // namespace

std::string replicateShortfall(const SweepDesign& design, const SweepTable& table) {
    const int designed = static_cast<int>(design.seeds.size());
    std::string out;
    for (const Condition& c : table.conditions) {
        const int n = finishedReplicates(design, c);
        if (n < designed)
            out += "  " + c.label + ": " + std::to_string(n) + " of " + std::to_string(designed) +
                   " replicates\n";
    }
    const long long absent =
        design.conditionCount() - static_cast<long long>(table.conditions.size());
    if (absent > 0)
        out += "  " + std::to_string(absent) + " condition" + (absent == 1 ? "" : "s") +
               " without any finished replicate\n";
    return out;
}

std::string checkReplicates(const std::string& dir, bool partial, std::ostream& warn) {
    const SweepFolder folder(dir);
    const std::string results = folder.resultsPath();
    const SweepTable table =
        poolResults(readWholeFile(results), results, factorNames(folder.design()));
    const std::string shortfall = replicateShortfall(folder.design(), table);
    const std::string designed = std::to_string(folder.design().seeds.size());
    if (shortfall.empty())
        return "replicates: " + designed + " per condition, as designed\n";
    const std::string what =
        results + " holds fewer replicates than the design's " + designed + " per condition";
    if (!partial)
        throw fileError(what + "; run the missing cases (sweep collect lists them) or give "
                               "--partial for a report of what is there");
    warn << "WARNING: " << what << "; this partial report compares conditions with unequal "
         << "replicates:\n"
         << shortfall << std::flush;
    return "replicates: fewer than the design's " + designed + " in some conditions (see above)\n";
}
