#include "tools/cli/RunFile.h"

#include <cstdint>
#include <iostream>

#include "evolution/AtomicFile.h"
#include "evolution/Continuation.h"
#include "evolution/PopulationFile.h"
#include "evolution/RunControl.h"
#include "tools/cli/CliError.h"
#include "tools/cli/CliPort.h"

namespace {

// Runs a loading command of run control; a refusal throws a file error that
// carries the program's message and the loader's reason.
void loadOrThrow(bool (*load)(const std::string&, std::string*), const std::string& path) {
    cliPort().takeMessages();
    std::string why;
    if (load(path, &why))
        return;
    cliPort().takeMessages(); // the loader's message box; the program's text is used instead
    std::string message = NOT_A_POPULATION_FILE_MESSAGE;
    if (!why.empty())
        message += " (" + path + ": " + why + ")";
    throw fileError(message);
}

} // namespace

void loadRun(const std::string& path) {
    loadOrThrow(loadPopulation, path);
    warnOfDamagedContinuation(evolutionState, path);
}

void openRun(const std::string& path) {
    loadOrThrow(openRunFile, path);
    warnOfDamagedContinuation(evolutionState, path);
}

void warnOfDamagedContinuation(const EvolutionState& run, const std::string& path) {
    if (run.fileContinuation == FileContinuation::Damaged)
        std::cerr << "arachnovix-cli: warning: " << path << ": " << DAMAGED_CONTINUATION_WARNING
                  << std::endl;
}

void saveRun(const std::string& path) {
    cliPort().takeMessages();
    std::string why;
    if (savePopulation(path, &why))
        return;
    cliPort().takeMessages();
    throw fileError("cannot write " + path + ": " + (why.empty() ? "unknown error" : why));
}

void writeTextFile(const std::string& path, const std::string& text) {
    AtomicFile out(path);
    out.write(reinterpret_cast<const uint8_t*>(text.data()), text.size());
    if (!out.commit())
        throw fileError("cannot write " + path + ": " + out.error());
}

void checkWritable(const std::string& path) {
    if (path.empty())
        throw fileError("cannot write a file with an empty name");
    AtomicFile probe(path); // its temporary file is removed again at once
    if (!probe.ok())
        throw fileError("cannot write " + path + ": " + probe.error());
}
