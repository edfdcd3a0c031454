#include "tools/cli/sweep/SweepCase.h"

#include <cstdio>

#include "tools/cli/CliError.h"
#include "tools/cli/Evolve.h"
#include "tools/cli/sweep/SweepCaseRows.h"
#include "tools/cli/sweep/SweepMeasures.h"

void runSweepCase(const SweepFolder& folder, long long k, int threads) {
    if (folder.state(k) == CaseState::Done)
        return;
    std::vector<std::string> words = folder.caseWords(k);
    if (threads > 0)
        words.insert(words.end(), {"--threads", std::to_string(threads)});
    // `evolve` saves through a link; none at the run's name may lead outside.
    removeIfLink(folder.runPath(k));
    try {
        evolveCommand(words);
        writeSweepFile(folder.rowsPath(k), runRows(caseRowPrefix(folder, k)));
    } catch (const CliError& e) {
        writeSweepFile(folder.failurePath(k), "case " + std::to_string(k) + " failed: " + e.what() +
                                                  "\ncommand: " + folder.caseCommand(k) + "\n");
        throw;
    }
    std::remove(folder.failurePath(k).c_str());
    if (!folder.design().keepRuns)
        std::remove(folder.runPath(k).c_str());
}
