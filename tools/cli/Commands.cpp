#include "tools/cli/Commands.h"

#include <cstdio>
#include <iostream>
#include <new>

#include "core/LSystem.h"
#include "evolution/EvolutionState.h"
#include "evolution/FossilView.h"
#include "evolution/PopulationFormat.h"
#include "evolution/RunStatistics.h"
#include "tools/cli/Args.h"
#include "tools/cli/CliError.h"
#include "tools/cli/CliPort.h"
#include "tools/cli/Evolve.h"
#include "tools/cli/GenesSvg.h"
#include "tools/cli/Lineage.h"
#include "tools/cli/OutputCheck.h"
#include "tools/cli/PlotSvg.h"
#include "tools/cli/RunFile.h"
#include "tools/cli/SettingOptions.h"
#include "tools/cli/WebSvg.h"
#include "tools/cli/sweep/SweepCommand.h"

namespace {

const char* const PROGRAM = "arachnovix-cli";
const char* const BEST = "best";

// The one positional argument of a read-only command: the run file.
std::string runPath(const Args& a, const char* command) {
    if (a.positional().empty())
        throw usageError(std::string(command) + ": the population file (RUN.axv) is missing");
    if (a.positional().size() > 1)
        throw usageError(std::string(command) + ": unexpected argument '" + a.positional()[1] +
                         "'");
    return a.positional().front();
}

// Parses the words, loads the run and hands back its fossil record.
struct LoadedRun {
    Args args;
    std::string path;
    FossilView fossils;
};

LoadedRun loadCommand(const std::vector<std::string>& words, const std::vector<OptionRule>& known,
                      const char* command, const char* requiredOption = nullptr) {
    Args a(words, known);
    const std::string path = runPath(a, command);
    if (requiredOption && !a.has(requiredOption))
        throw usageError(std::string(command) + ": --" + requiredOption + " FILE is required");
    loadRun(path);
    return {a, path, FossilView(evolutionState.fossilRecord, evolutionState.populationSize)};
}

// Text to a file (replaced atomically) or, without one, to standard output.
void emit(const Args& a, const char* option, const std::string& text) {
    if (a.has(option))
        writeTextFile(a.value(option), text);
    else
        std::cout << text << std::flush;
}

// The output option, when given, must not name the run being read.
void checkOutputOf(const LoadedRun& run, const char* option) {
    if (run.args.has(option))
        checkOutput({std::string("--") + option, run.args.value(option)}, {{"the run", run.path}});
}

// --generation G (default: the last) and --spider I|best (numbered from 1;
// default: the best of that generation).
struct SpiderChoice {
    int generation;
    int spider; // index from 0
};

SpiderChoice chooseSpider(const Args& a, const FossilView& f) {
    SpiderChoice c{f.generations() - 1, 0};
    if (a.has("generation"))
        c.generation = static_cast<int>(
            parseInteger("--generation", a.value("generation"), 0, f.generations() - 1));
    if (a.has("spider") && a.value("spider") != BEST)
        c.spider =
            static_cast<int>(parseInteger("--spider", a.value("spider"), 1, f.populationSize())) -
            1;
    else
        c.spider = f.bestOf(c.generation);
    return c;
}

std::string bestLine(const char* what, const FossilView& f, int g) {
    const int best = f.bestOf(g);
    char buf[160];
    std::snprintf(buf, sizeof buf, "%-20s %d (generation %d, spider %d)\n", what,
                  f.fitness(g, best), g, best + 1);
    return buf;
}

} // namespace

int infoCommand(const std::vector<std::string>& words) {
    const LoadedRun run = loadCommand(words, {}, "info");
    const FossilView& f = run.fossils;
    char buf[256];
    std::string out;
    // The loader takes only files with this version text.
    std::snprintf(buf, sizeof buf, "%-20s %s\n%-20s %s\n%-20s %d\n%-20s %d (0 ... %d)\n",
                  "file:", run.path.c_str(), "version:", population_format::VERSION_TEXT,
                  "population size:", f.populationSize(), "generations:", f.generations(),
                  f.generations() - 1);
    out += buf;
    out += describeSettings();
    out += bestLine("best fitness, first:", f, 0);
    out += bestLine("best fitness, last:", f, f.generations() - 1);
    out += describeProvenance(evolutionState);
    std::cout << out << std::flush;
    return 0;
}

int statsCommand(const std::vector<std::string>& words) {
    const LoadedRun run = loadCommand(words, {{"csv", true}}, "stats");
    checkOutputOf(run, "csv");
    emit(run.args, "csv", statsCsv(allGenerationStats(run.fossils)));
    return 0;
}

int webCommand(const std::vector<std::string>& words) {
    const LoadedRun run =
        loadCommand(words, {{"generation", true}, {"spider", true}, {"svg", true}}, "web", "svg");
    const SpiderChoice c = chooseSpider(run.args, run.fossils);
    checkOutputOf(run, "svg");
    Spider spider;
    evolutionState.restoreSpiderInto(spider, c.generation, c.spider);
    spider.clearWeb();
    spider.buildWeb(evolutionState.silkLimit);
    const std::string title = run.path + ": generation " + std::to_string(c.generation) +
                              ", spider " + std::to_string(c.spider + 1);
    writeTextFile(run.args.value("svg"), webSvg(spider, spiderCaption(spider, c.spider), title));
    return 0;
}

int plotCommand(const std::vector<std::string>& words) {
    const LoadedRun run = loadCommand(words, {{"svg", true}}, "plot", "svg");
    checkOutputOf(run, "svg");
    writeTextFile(run.args.value("svg"), fitnessPlotSvg(allGenerationStats(run.fossils),
                                                        "Best and mean fitness: " + run.path));
    return 0;
}

int lineageCommand(const std::vector<std::string>& words) {
    const LoadedRun run =
        loadCommand(words, {{"generation", true}, {"spider", true}, {"csv", true}}, "lineage");
    const SpiderChoice c = chooseSpider(run.args, run.fossils);
    checkOutputOf(run, "csv");
    const Lineage lineage = traceLineage(run.fossils, c.generation, c.spider);
    emit(run.args, "csv", run.args.has("csv") ? lineageCsv(lineage) : lineageText(lineage));
    return 0;
}

int genesCommand(const std::vector<std::string>& words) {
    const LoadedRun run = loadCommand(words, {{"svg", true}}, "genes", "svg");
    checkOutputOf(run, "svg");
    writeTextFile(run.args.value("svg"),
                  genesSvg(run.fossils, spiderGenes(), "Mean rule values: " + run.path));
    return 0;
}

namespace {

using Command = int (*)(const std::vector<std::string>&);

struct NamedCommand {
    const char* name;
    Command run;
};

const NamedCommand COMMANDS[] = {
    {"evolve", evolveCommand}, {"info", infoCommand},   {"stats", statsCommand},
    {"web", webCommand},       {"plot", plotCommand},   {"lineage", lineageCommand},
    {"genes", genesCommand},   {"sweep", sweepCommand},
};

bool wantsHelp(const std::vector<std::string>& args) {
    for (const std::string& a : args)
        if (a == "--help" || a == "-h")
            return true;
    return !args.empty() && args.front() == "help";
}

int dispatch(const std::vector<std::string>& args) {
    if (wantsHelp(args)) {
        std::cout << helpText() << std::flush;
        return 0;
    }
    if (args.empty())
        throw usageError("no command given (try --help)");
    if (args.front() == "--version") {
        std::cout << PROGRAM << " " << LSystem::GetProductVersion() << std::endl;
        return 0;
    }
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    for (const NamedCommand& c : COMMANDS)
        if (args.front() == c.name)
            return c.run(rest);
    throw usageError("unknown command '" + args.front() + "' (try --help)");
}

// A refusal stays one line: control characters in the names and values it
// quotes are shown escaped (\n, \t, \r, \xHH).
std::string oneLine(const std::string& text) {
    std::string out;
    for (const char c : text) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (c == '\n')
            out += "\\n";
        else if (c == '\t')
            out += "\\t";
        else if (c == '\r')
            out += "\\r";
        else if (u < 0x20 || u == 0x7f) {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02x", u);
            out += hex;
        } else
            out += c;
    }
    return out;
}

} // namespace

int runCli(const std::vector<std::string>& args) {
    cliPort();
    try {
        const int status = dispatch(args);
        std::cout.flush();
        if (!std::cout)
            throw fileError("cannot write to standard output");
        return status;
    } catch (const CliError& e) {
        std::cerr << PROGRAM << ": " << oneLine(e.what()) << std::endl;
        return e.status();
    } catch (const std::bad_alloc&) {
        std::cerr << PROGRAM << ": out of memory" << std::endl;
        return EXIT_FILE;
    }
}
