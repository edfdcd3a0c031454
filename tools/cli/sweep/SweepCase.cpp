#include "tools/cli/sweep/SweepCase.h"

#include <cstdio>
#include <iostream>

#include "tools/cli/CliError.h"
#include "tools/cli/Evolve.h"
#include "tools/cli/sweep/SweepCaseRows.h"
#include "tools/cli/sweep/SweepMeasures.h"

namespace {

// The case's words without the options a resumed run does not take.
std::vector<std::string> withoutStartOptions(const std::vector<std::string>& words) {
    std::vector<std::string> out;
    for (size_t k = 0; k < words.size(); ++k) {
        if ((words[k] == "--population" || words[k] == "--seed" || words[k] == "--generations") &&
            k + 1 < words.size()) {
            ++k;
            continue;
        }
        out.push_back(words[k]);
    }
    return out;
}

// The generation at which the case's checkpoint continues it exactly: the
// file must be this case's run (its size and first seed) and carry its
// continuation; -1 when there is none to go on from.
int checkpointGeneration(const EvolveOptions& o) {
    if (!pathExists(o.out))
        return -1;
    try {
        const Run run = Run::open(o.out);
        const bool ours = run.fileContinuation() == FileContinuation::Exact &&
                          run.provenance().firstSeed == o.run.seed &&
                          (!o.run.population || *o.run.population == run.populationSize()) &&
                          run.generation() <= o.run.generations;
        return ours ? run.generation() : -1;
    } catch (const RunFileError&) {
        return -1;
    }
}

// The evolve words of case k: from its checkpoint when one continues it.
std::vector<std::string> caseRunWords(const SweepFolder& folder, long long k) {
    std::vector<std::string> words = folder.caseWords(k);
    const EvolveOptions o = parseEvolveOptions(words);
    const int from = checkpointGeneration(o);
    if (from < 0)
        return words; // none, or not this case's run: start again (it is replaced)
    std::cerr << "case " << k << ": continuing from generation " << from << " of its checkpoint "
              << o.out << std::endl;
    words = withoutStartOptions(words);
    words.insert(words.end(),
                 {"--resume", o.out, "--generations", std::to_string(o.run.generations - from)});
    return words;
}

} // namespace

int runSweepCase(const SweepFolder& folder, long long k, int threads) {
    if (folder.state(k) == CaseState::Done)
        return 0;
    // `evolve` saves through a link; none at the run's name may lead outside.
    removeIfLink(folder.runPath(k));
    try {
        std::vector<std::string> words = caseRunWords(folder, k);
        words.insert(words.end(), {"--checkpoint-every", std::to_string(SWEEP_CHECKPOINT_EVERY)});
        if (threads > 0)
            words.insert(words.end(), {"--threads", std::to_string(threads)});
        const int status = evolveCommand(words);
        if (status != 0)
            return status; // stopped by a signal: the checkpoint goes on next time
        writeSweepFile(folder.rowsPath(k), runRows(caseRowPrefix(folder, k)));
    } catch (const CliError& e) {
        writeSweepFile(folder.failurePath(k), "case " + std::to_string(k) + " failed: " + e.what() +
                                                  "\ncommand: " + folder.caseCommand(k) + "\n");
        throw;
    }
    std::remove(folder.failurePath(k).c_str());
    if (!folder.design().keepRuns)
        std::remove(folder.runPath(k).c_str());
    return 0;
}
