#include "tools/cli/RunFile.h"

#include <cstdint>

#include "evolution/AtomicFile.h"
#include "evolution/EvolutionState.h"
#include "evolution/PopulationFile.h"
#include "evolution/RunControl.h"
#include "tools/cli/CliError.h"
#include "tools/cli/CliPort.h"

void loadRun(const std::string& path) {
    cliPort().takeMessages();
    std::string why;
    if (loadPopulation(path, &why))
        return;
    cliPort().takeMessages(); // the loader's message box; the program's text is used instead
    std::string message = NOT_A_POPULATION_FILE_MESSAGE;
    if (!why.empty())
        message += " (" + path + ": " + why + ")";
    throw fileError(message);
}

void openRun(const std::string& path) {
    loadRun(path);
    EvolutionState& es = evolutionState;
    es.goToGeneration(es.generation);
    for (int i = 0; i < es.populationSize; ++i) {
        es.spiders[i].clearWeb();
        es.spiders[i].buildWeb();
    }
    es.highlightBestRestored();
    rollPreyAngles();
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
