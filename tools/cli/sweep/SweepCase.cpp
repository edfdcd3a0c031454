#include "tools/cli/sweep/SweepCase.h"

#include <cstdio>

#include "tools/cli/CliError.h"
#include "tools/cli/Evolve.h"
#include "tools/cli/RunFile.h"
#include "tools/cli/sweep/SweepMeasures.h"

namespace {

// "case,level,...,fixed value,...,seed" of every row of the case.
std::string rowPrefix(const SweepFolder& folder, long long k) {
    const SweepCase c = folder.caseAt(k);
    std::string prefix = std::to_string(k);
    for (const std::string& level : c.levels)
        prefix += "," + level;
    for (const DesignSetting& s : folder.design().fixed)
        prefix += "," + s.value;
    return prefix + "," + std::to_string(c.seed);
}

} // namespace

void runSweepCase(const SweepFolder& folder, long long k, int threads) {
    if (folder.state(k) == CaseState::Done)
        return;
    std::vector<std::string> words = folder.caseWords(k);
    if (threads > 0)
        words.insert(words.end(), {"--threads", std::to_string(threads)});
    try {
        evolveCommand(words);
        writeTextFile(folder.rowsPath(k), runRows(rowPrefix(folder, k)));
    } catch (const CliError& e) {
        writeTextFile(folder.failurePath(k), "case " + std::to_string(k) + " failed: " + e.what() +
                                                 "\ncommand: " + folder.caseCommand(k) + "\n");
        throw;
    }
    std::remove(folder.failurePath(k).c_str());
    if (!folder.design().keepRuns)
        std::remove(folder.runPath(k).c_str());
}
