// The built program driven as a user drives it: every command's output,
// every refusal with its message and exit status.

#include <gtest/gtest.h>

#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

#include "CliTestFiles.h"
#include "XmlCheck.h"

namespace {

const char* const NOT_OURS = "ERROR: Cannot read file. This does not seem to be a Arachnovix file.";
constexpr int N = 6, G = 5; // the shared run: 6 spiders, generations 0 ... 5

// One run made once for all the read-only commands.
const std::string& sharedRun() {
    static const std::string path = [] {
        const std::string p = scratchPath("shared.axv");
        const ProgramResult r = runProgram(quickRun(p, 9, N, G));
        EXPECT_EQ(r.status, 0) << r.err;
        return p;
    }();
    return path;
}

size_t lineCount(const std::string& text) {
    return static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
}

// The error line names what is wrong and the status is the expected one.
void expectRefusal(const std::vector<std::string>& args, int status, const std::string& says) {
    const ProgramResult r = runProgram(args);
    EXPECT_EQ(r.status, status) << r.err;
    EXPECT_NE(r.err.find(says), std::string::npos) << "stderr: " << r.err;
    EXPECT_EQ(lineCount(r.err), 1u) << r.err;
}

} // namespace

TEST(Program, HelpListsEveryCommandAndOption) {
    const ProgramResult r = runProgram({"--help"});
    EXPECT_EQ(r.status, 0);
    for (const char* word :
         {"evolve",         "info",         "stats",        "web",           "plot",
          "lineage",        "genes",        "--population", "--generations", "--prey",
          "--prey-size",    "--prey-value", "--attack",     "--silk-cost",   "--silk-limit",
          "--time-penalty", "--crossover",  "--mutation",   "--seed",        "--resume",
          "--stats",        "--quiet",      "--generation", "--spider",      "--svg",
          "--csv"})
        EXPECT_NE(r.out.find(word), std::string::npos) << word;
}

TEST(Program, EvolveWithoutSeedPrintsTheSeedThatRepeatsTheRun) {
    const std::string a = scratchPath("noseed.axv"), b = scratchPath("reseed.axv");
    const ProgramResult r =
        runProgram({"evolve", "--population", "4", "--generations", "2", "--quiet", "--out", a});
    ASSERT_EQ(r.status, 0) << r.err;
    const size_t at = r.err.find("seed: ");
    ASSERT_NE(at, std::string::npos) << r.err;
    const std::string seed = r.err.substr(at + 6, r.err.find('\n', at) - at - 6);
    std::vector<std::string> again = quickRun(b, 0, 4, 2);
    again[2] = seed;
    ASSERT_EQ(runProgram(again).status, 0);
    EXPECT_TRUE(readFile(a) == readFile(b));
}

TEST(Program, EvolveReportsProgressAndASummaryAndWritesStats) {
    const std::string out = scratchPath("talk.axv"), csv = scratchPath("talk.csv");
    const ProgramResult r = runProgram({"evolve", "--seed", "4", "--population", "5",
                                        "--generations", "3", "--stats", csv, "--out", out});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("generation 1 (1/3)"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("generation 3: best fitness"), std::string::npos) << r.err;
    const ProgramResult s = runProgram({"stats", out});
    EXPECT_EQ(s.status, 0);
    EXPECT_EQ(readFile(csv), s.out); // the same table from the run and from the file
    EXPECT_EQ(splitLines(s.out).size(), 1u + 4u);
}

TEST(Program, ResumeMayReplaceTheFileItContinues) {
    const std::string run = scratchPath("inplace.axv");
    ASSERT_EQ(runProgram(quickRun(run, 5, 4, 2)).status, 0);
    const std::string before = readFile(run);
    const ProgramResult r = runProgram(
        {"evolve", "--resume", run, "--generations", "3", "--seed", "6", "--quiet", "--out", run});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string after = readFile(run);
    const size_t recordStart = 4 + 7 + 4 + 4, generationBytes = 4 * 23 * 4;
    EXPECT_EQ(after.size(), before.size() + 3 * generationBytes);
    // the three recorded generations are unchanged; only the count moved on
    EXPECT_EQ(after.substr(recordStart, 3 * generationBytes),
              before.substr(recordStart, 3 * generationBytes));
}

TEST(Program, InfoShowsSizeGenerationsSettingsAndBestFitness) {
    const ProgramResult r = runProgram({"info", sharedRun()});
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char* text :
         {"version:", "1.0.0.1", "population size:", "generations:", "number of prey:",
          "prey size:", "prey value:", "attack sim:", "silk cost factor:", "silk limit:",
          "no limit", "time penalty factor:", "crossover rate:", "80 %",
          "mutation rate:", "best fitness, first:", "best fitness, last:"})
        EXPECT_NE(r.out.find(text), std::string::npos) << text;
    EXPECT_NE(r.out.find("6\n"), std::string::npos);
    EXPECT_NE(r.out.find("(0 ... 5)"), std::string::npos);
}

TEST(Program, StatsCsvHasAHeaderAndOneRowPerGeneration) {
    const std::string csv = scratchPath("stats.csv");
    ASSERT_EQ(runProgram({"stats", sharedRun(), "--csv", csv}).status, 0);
    const std::vector<std::string> rows = splitLines(readFile(csv));
    ASSERT_EQ(rows.size(), 1u + G + 1u);
    for (size_t k = 0; k < rows.size(); ++k) {
        EXPECT_EQ(std::count(rows[k].begin(), rows[k].end(), ','), 11) << rows[k];
        if (k > 0) {
            EXPECT_EQ(rows[k].substr(0, rows[k].find(',')), std::to_string(k - 1));
        }
    }
    EXPECT_EQ(rows[1].substr(rows[1].size() - 12), "," + std::to_string(N) + ",0,0,0,0,0");
}

TEST(Program, WebPictureOfAChosenAndOfTheBestSpider) {
    const std::string a = scratchPath("web2.svg"), b = scratchPath("webbest.svg");
    ASSERT_EQ(
        runProgram({"web", sharedRun(), "--generation", "2", "--spider", "3", "--svg", a}).status,
        0);
    ASSERT_EQ(runProgram({"web", sharedRun(), "--generation", "5", "--spider", "best", "--svg", b})
                  .status,
              0);
    for (const std::string& path : {a, b}) {
        const std::string svg = readFile(path);
        EXPECT_EQ(xmlProblem(svg), "") << path;
        EXPECT_GE(occurrences(svg, "class=\"radius\""), 3u); // every web has its first radii
        EXPECT_EQ(occurrences(svg, "class=\"frame\""), 1u);
    }
    EXPECT_NE(readFile(a).find("[3] Fit="), std::string::npos);
}

TEST(Program, PlotHasBothLinesWithAPointPerGeneration) {
    const std::string svg = scratchPath("plot.svg");
    ASSERT_EQ(runProgram({"plot", sharedRun(), "--svg", svg}).status, 0);
    const std::string text = readFile(svg);
    EXPECT_EQ(xmlProblem(text), "");
    EXPECT_EQ(occurrences(text, "<polyline"), 2u);
    const size_t best = text.find("class=\"best\"");
    const size_t points = text.find("points=\"", best);
    EXPECT_EQ(occurrences(text.substr(points, text.find("\"/>", points) - points), ","),
              size_t(G + 1));
}

TEST(Program, GenesHaveNineteenLabelledRows) {
    const std::string svg = scratchPath("genes.svg");
    ASSERT_EQ(runProgram({"genes", sharedRun(), "--svg", svg}).status, 0);
    const std::string text = readFile(svg);
    EXPECT_EQ(xmlProblem(text), "");
    EXPECT_EQ(occurrences(text, "<g class=\"gene\">"), 19u);
    EXPECT_NE(text.find(">0 numStartRadii</text>"), std::string::npos);
    EXPECT_NE(text.find(">18 growth % to centre</text>"), std::string::npos);
}

TEST(Program, LineageAsTextAndAsCsvReachesGenerationZero) {
    const ProgramResult text = runProgram({"lineage", sharedRun(), "--spider", "best"});
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(lineCount(text.out), 2u + G + 1u);
    const std::string csv = scratchPath("lineage.csv");
    ASSERT_EQ(
        runProgram({"lineage", sharedRun(), "--generation", "4", "--spider", "2", "--csv", csv})
            .status,
        0);
    const std::vector<std::string> rows = splitLines(readFile(csv));
    ASSERT_EQ(rows.size(), 1u + 5u);
    EXPECT_EQ(rows[1].substr(0, 4), "4,2,");
    EXPECT_EQ(rows.back().substr(0, 2), "0,");
}

TEST(Program, ABadCommandLineIsRefusedWithStatusTwo) {
    const std::string out = scratchPath("never.axv");
    expectRefusal({}, 2, "no command");
    expectRefusal({"breed"}, 2, "unknown command 'breed'");
    expectRefusal({"evolve", "--colour", "red", "--out", out}, 2, "--colour");
    expectRefusal({"evolve", "--population", "0", "--out", out}, 2, "--population");
    expectRefusal({"evolve", "--population", "201", "--out", out}, 2, "--population");
    expectRefusal({"evolve", "--population", "ten", "--out", out}, 2, "--population");
    expectRefusal({"evolve", "--generations", "10001", "--out", out}, 2, "--generations");
    expectRefusal({"evolve", "--prey", "-1", "--out", out}, 2, "--prey");
    expectRefusal({"evolve", "--prey-size", "nan", "--out", out}, 2, "--prey-size");
    expectRefusal({"evolve", "--prey-value", "-5", "--out", out}, 2, "--prey-value");
    expectRefusal({"evolve", "--attack", "gravity", "--out", out}, 2, "--attack");
    expectRefusal({"evolve", "--silk-cost", "x", "--out", out}, 2, "--silk-cost");
    expectRefusal({"evolve", "--silk-limit", "-2", "--out", out}, 2, "--silk-limit");
    expectRefusal({"evolve", "--time-penalty", "-1", "--out", out}, 2, "--time-penalty");
    expectRefusal({"evolve", "--crossover", "101", "--out", out}, 2, "--crossover");
    expectRefusal({"evolve", "--mutation", "1001", "--out", out}, 2, "--mutation");
    expectRefusal({"evolve", "--seed", "4294967296", "--out", out}, 2, "--seed");
    expectRefusal({"evolve", "--seed", "1"}, 2, "--out");
    expectRefusal({"evolve", "--out"}, 2, "--out");
    expectRefusal({"evolve", "--prey", "10000", "--prey-value", "1000000", "--out", out}, 2,
                  "--prey-value");
    expectRefusal({"web", sharedRun(), "--spider", "1"}, 2, "--svg");
    expectRefusal({"web", sharedRun(), "--generation", "6", "--svg", out}, 2, "--generation");
    expectRefusal({"web", sharedRun(), "--spider", "0", "--svg", out}, 2, "--spider");
    expectRefusal({"lineage", sharedRun(), "--spider", "7"}, 2, "--spider");
    expectRefusal({"info"}, 2, "missing");
    expectRefusal({"info", sharedRun(), sharedRun()}, 2, "unexpected");
    EXPECT_FALSE(fileExists(out));
}

TEST(Program, AFileThatIsNotARunIsRefusedWithTheProgramsMessage) {
    const std::string wrong = scratchPath("wrong.axv"), longer = scratchPath("longer.axv"),
                      cut = scratchPath("cut.axv"), svg = scratchPath("x.svg");
    writeFile(wrong, std::string("\x07\0\0\0"
                                 "1.0.0.2",
                                 11) +
                         std::string(64, '\0'));
    writeFile(longer, std::string("\x08\0\0\0"
                                  "1.0.0.1x",
                                  12) +
                          std::string(64, '\0'));
    // Cut inside the published fields (a cut continuation alone only warns).
    const std::string good = readFile(sharedRun());
    writeFile(cut, good.substr(0, good.find("AXV-CONT") - 100));
    for (const std::string& bad : {wrong, longer, cut, scratchPath("missing.axv"), scratchDir()}) {
        expectRefusal({"info", bad}, 1, NOT_OURS);
        expectRefusal({"genes", bad, "--svg", svg}, 1, NOT_OURS);
    }
    expectRefusal({"evolve", "--seed", "1", "--resume", wrong, "--out", scratchPath("r.axv")}, 1,
                  NOT_OURS);
    EXPECT_FALSE(fileExists(svg));
    EXPECT_FALSE(fileExists(scratchPath("r.axv")));
}

TEST(Program, AnOutputThatCannotBeWrittenLeavesExistingFilesAlone) {
    const std::string keep = scratchPath("keep.axv");
    writeFile(keep, "precious");
    const std::string noFolder = scratchPath("no/such/folder/out.svg");
    expectRefusal({"plot", sharedRun(), "--svg", noFolder}, 1, "cannot write");
    expectRefusal({"stats", sharedRun(), "--csv", scratchDir()}, 1, "it is a folder");
    // refused before breeding, so the existing output is never touched
    expectRefusal({"evolve", "--seed", "1", "--population", "3", "--generations", "1", "--stats",
                   noFolder, "--out", keep},
                  1, "cannot write");
    EXPECT_EQ(readFile(keep), "precious");
    expectRefusal({"evolve", "--seed", "1", "--out", scratchDir()}, 1, "it is a folder");
}

TEST(Program, AFullStandardOutputIsAFailureNotASuccess) {
    if (!fileExists("/dev/full"))
        GTEST_SKIP() << "no /dev/full on this system";
    const ProgramResult r = runProgram({"stats", sharedRun()}, "/dev/full");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("cannot write to standard output"), std::string::npos) << r.err;
}

TEST(Program, NumbersAtTheEndsOfTheirRangesAreShownWithoutOverflow) {
    const std::string limits = CORPUS_DIR "/valid-parents-and-fitness-at-32-bit-limits.axv";
    const std::string huge = CORPUS_DIR "/valid-huge-finite-settings.axv";
    const std::string svg = scratchPath("limits.svg");
    const ProgramResult lineage = runProgram({"lineage", limits, "--spider", "1"});
    ASSERT_EQ(lineage.status, 0) << lineage.err;
    EXPECT_NE(lineage.out.find("2147483648"), std::string::npos) << lineage.out;
    ASSERT_EQ(runProgram({"web", limits, "--spider", "2", "--svg", svg}).status, 0);
    EXPECT_NE(readFile(svg).find("SEL+MUT(-2147483647, 2147483648)"), std::string::npos);
    for (const std::string& run : {limits, huge}) {
        EXPECT_EQ(runProgram({"info", run}).status, 0) << run;
        EXPECT_EQ(runProgram({"stats", run}).status, 0) << run;
        EXPECT_EQ(runProgram({"plot", run, "--svg", svg}).status, 0) << run;
        EXPECT_EQ(runProgram({"genes", run, "--svg", svg}).status, 0) << run;
    }
    const ProgramResult resumed =
        runProgram({"evolve", "--resume", huge, "--seed", "1", "--generations", "2", "--quiet",
                    "--out", scratchPath("huge.axv")});
    EXPECT_EQ(resumed.status, 0) << resumed.err;
}

TEST(Program, AFifoIsRefusedAsARunAndAsAnOutputWithoutWaiting) {
    const std::string fifo = scratchPath("pipe.axv");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    expectRefusal({"info", fifo}, 1, "not a regular file");
    expectRefusal({"evolve", "--resume", fifo, "--out", scratchPath("r.axv")}, 1,
                  "not a regular file");
    expectRefusal(quickRun(fifo, 1, 3, 1), 1, "not a regular file");
    expectRefusal({"stats", sharedRun(), "--csv", fifo}, 1, "not a regular file");
    struct stat st;
    ASSERT_EQ(::lstat(fifo.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    EXPECT_FALSE(fileExists(scratchPath("r.axv")));
}

TEST(Program, OutputsAreComparedByTheFileTheyNameNotBySpelling) {
    const std::string out = scratchPath("same.axv"), link = scratchPath("same-link.axv");
    const std::string dotted = scratchDir() + "/./same.axv";
    expectRefusal({"evolve", "--seed", "1", "--out", out, "--stats", dotted}, 2, "same file");
    ASSERT_EQ(runProgram(quickRun(out, 1, 3, 1)).status, 0);
    ASSERT_EQ(::symlink(out.c_str(), link.c_str()), 0);
    const std::string run = readFile(out);
    expectRefusal({"evolve", "--seed", "1", "--out", out, "--stats", link}, 2, "same file");
    EXPECT_EQ(readFile(out), run);
    // --out through the link replaces the run it points to and keeps the link
    ASSERT_EQ(runProgram(quickRun(link, 2, 3, 1)).status, 0);
    struct stat st;
    ASSERT_EQ(::lstat(link.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_NE(readFile(out), run);
}

TEST(Program, NoCommandWritesOverTheRunItReadsHoweverItIsSpelled) {
    const std::string run = scratchPath("read.axv");
    ASSERT_EQ(runProgram(quickRun(run, 4, 3, 2)).status, 0);
    const std::string bytes = readFile(run);
    const std::string link = scratchPath("read-link.axv"), hard = scratchPath("read-hard.axv");
    ASSERT_EQ(::symlink(run.c_str(), link.c_str()), 0);
    ASSERT_EQ(::link(run.c_str(), hard.c_str()), 0);
    const std::string dotted = scratchDir() + "/./read.axv";
    for (const std::string& out : {run, dotted, link, hard}) {
        SCOPED_TRACE(out);
        expectRefusal({"stats", run, "--csv", out}, 2, "--csv and the run");
        expectRefusal({"lineage", run, "--csv", out}, 2, "same file");
        for (const char* command : {"web", "plot", "genes"})
            expectRefusal({command, run, "--svg", out}, 2, "--svg and the run");
        expectRefusal({"evolve", "--resume", run, "--generations", "1", "--quiet", "--out",
                       scratchPath("next.axv"), "--stats", out},
                      2, "--stats and --resume");
        EXPECT_EQ(readFile(run), bytes);
    }
    EXPECT_FALSE(fileExists(scratchPath("next.axv")));
    // continuing a run in place stays allowed
    EXPECT_EQ(
        runProgram({"evolve", "--resume", dotted, "--generations", "1", "--quiet", "--out", link})
            .status,
        0);
}

TEST(Program, RefusalsAreOneLineAndComeFirst) {
    expectRefusal({"evolve", "--resume", "", "--out", scratchPath("e.axv")}, 2, "--resume");
    expectRefusal({"evolve", "--stats", "", "--out", scratchPath("e.axv")}, 2, "--stats");
    expectRefusal({"info", "two\nlines\x01\x7f.axv"}, 1, "two\\nlines\\x01\\x7f.axv");
    // without --seed the seed line would come first; a refused run is all there is
    expectRefusal({"evolve", "--resume", scratchPath("absent.axv"), "--out", scratchPath("e.axv")},
                  1, NOT_OURS);
    expectRefusal({"evolve", "--resume", sharedRun(), "--prey", "10000", "--prey-value", "1000000",
                   "--out", scratchPath("e.axv")},
                  2, "--prey-value");
    EXPECT_FALSE(fileExists(scratchPath("e.axv")));
}
