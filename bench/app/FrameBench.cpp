// Redraws the program's window the way GLUT's display callback does and
// measures the time per frame:
//   Simulator/24, /60   population 24 or 60, prey and gene charts shown
//   Fossils             the Fossils Browser with 24 fossils
//   RuleBrowser         the Rule Browser while a rule is edited (four stage
//                       webs rebuilt every frame)
//   LongRunFrame        the Simulator at 10,000 generations without and with
//                       the history chart, unchanged and with a generation
//                       added before every frame
//   RunTick/24, /60     a drawn run in the real main loop: generations bred
//                       and drawn per second (the run timer's 30 ms is the
//                       ceiling)
// Run under an X server: scripts/with-display.sh build/bin/app_frame_bench
//
// With --dump=DIR it writes one frame of each view as DIR/<view>.ppm instead
// of measuring, so that two builds can be compared pixel for pixel;
// --repeat=N draws every view N times before it is read.

#include <benchmark/benchmark.h>

#include <GL/freeglut.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "app/AppState.h"
#include "app/Commands.h"
#include "app/Display.h"
#include "app/RuleBrowserView.h"
#include "app/SimulatorGrid.h"
#include "app/Startup.h"
#include "evolution/EvolutionState.h"
#include "evolution/FossilView.h"
#include "evolution/RunControl.h"

namespace {

// Generations in the record behind the Fossils Browser: 231 gives 24 fossils.
constexpr int FOSSIL_GENERATIONS = 231;
constexpr int TICK_GENERATIONS = 30;
constexpr int TICK_SLEEP_US = 500;

void settle() {
    for (int i = 0; i < 20; ++i)
        glutMainLoopEvent();
    glFinish();
}

void showSimulatorWithPrey(int population) {
    currentView = VIEW_SIMULATOR;
    newPopulation(population);
    leavePrey = true;
    showGenes = true;
    rollPreyAngles();
    settle();
}

void showFossilsOfLongRun() {
    currentView = VIEW_SIMULATOR;
    newPopulation(24);
    while (evolutionState.generation < FOSSIL_GENERATIONS - 1) {
        evolutionState.stepGeneration();
        evolutionState.evaluatePopulation(true);
    }
    showFossilsBrowser();
    settle();
}

void showRuleBrowserOfBest() {
    currentView = VIEW_SIMULATOR;
    newPopulation(24);
    evolutionState.selectedSpider = evolutionState.bestSpider;
    currentView = VIEW_RULE_BROWSER;
    loadRuleBrowser(evolutionState.spiders[evolutionState.selectedSpider],
                    evolutionState.selectedSpider);
    layoutRuleBrowser();
    settle();
}

void countFrames(benchmark::State& state) {
    state.counters["fps"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_SimulatorFrame(benchmark::State& state) {
    showSimulatorWithPrey(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        drawFrame();
        glFinish();
    }
    countFrames(state);
    leavePrey = false;
}
BENCHMARK(BM_SimulatorFrame)
    ->Arg(24)
    ->Arg(60)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

void BM_FossilsFrame(benchmark::State& state) {
    showFossilsOfLongRun();
    for (auto _ : state) {
        drawFrame();
        glFinish();
    }
    countFrames(state);
    showSimulator();
}
BENCHMARK(BM_FossilsFrame)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

void BM_RuleBrowserFrameWhileEditing(benchmark::State& state) {
    showRuleBrowserOfBest();
    LGLUI& firstStage = ruleBrowser.stagePanels[0];
    const int spinner = ruleBrowser.stageWidgetIds[0][0];
    int value = 0;
    firstStage.getUIInt(spinner, value);
    const int lo = ruleBrowser.problem.geneMin[0];
    const int hi = ruleBrowser.problem.geneMax[0];
    int step = 0;
    for (auto _ : state) {
        // Each frame sees a new value of the first rule, as while a spinner
        // arrow is held.
        firstStage.setUIInt(spinner, lo + (value - lo + ++step) % (hi - lo + 1));
        drawFrame();
        glFinish();
    }
    countFrames(state);
    currentView = VIEW_SIMULATOR;
}
BENCHMARK(BM_RuleBrowserFrameWhileEditing)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

// A run of 24 spiders whose record holds generations 0 ... `last` (copies of
// one generation, the fitness changed from generation to generation), shown
// at its last generation, with the history chart shown or not.
void showLongRun(int last, bool chart) {
    currentView = VIEW_SIMULATOR;
    newPopulation(24);
    const std::vector<int32_t> first = evolutionState.fossilRecord;
    std::vector<int32_t>& record = evolutionState.fossilRecord;
    record.clear();
    for (int g = 0; g <= last; ++g) {
        record.insert(record.end(), first.begin(), first.end());
        record[record.size() - first.size() + FOSSIL_FITNESS] += g % 97 - 40;
    }
    ++evolutionState.recordRevision;
    evolutionState.generation = last;
    showOpened(evolutionState);
    showHistoryChart = chart;
    layoutSimulator();
    settle();
}

// Adds a generation to the record, as a drawn run does between frames.
void addGeneration() {
    std::vector<int32_t>& record = evolutionState.fossilRecord;
    const size_t size = fossilEntryIndex(1, evolutionState.populationSize, 0);
    record.insert(record.end(), record.end() - static_cast<long>(size), record.end());
    record[record.size() - size + FOSSIL_FITNESS] += 1;
}

// A frame at 10,000 generations without (0) and with (1) the history chart:
// unchanged, and with a generation added before every frame (a live run).
void BM_LongRunFrame(benchmark::State& state) {
    const bool growing = state.range(1) != 0;
    showLongRun(GENERATION_LIMIT - (growing ? 500 : 0), state.range(0) != 0);
    for (auto _ : state) {
        if (growing)
            addGeneration();
        drawFrame();
        glFinish();
    }
    countFrames(state);
    showHistoryChart = false;
    newPopulation(24);
}
BENCHMARK(BM_LongRunFrame)
    ->ArgNames({"chart", "growing"})
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({0, 1})
    ->Args({1, 1})
    ->Iterations(500)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

// GLUT's main loop as freeglut runs it, but ending after `generations`
// more generations: handle the due events, timers and redraws, then sleep
// briefly instead of waiting for the next event.
void runMainLoopFor(int generations) {
    const int target = evolutionState.generation + generations;
    while (evolutionState.generation < target && evolutionState.flags.isRunning) {
        glutMainLoopEvent();
        std::this_thread::sleep_for(std::chrono::microseconds(TICK_SLEEP_US));
    }
}

void drainEvents() {
    const auto until =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(2 * RUN_TIMER_MS);
    while (std::chrono::steady_clock::now() < until) {
        glutMainLoopEvent();
        std::this_thread::sleep_for(std::chrono::microseconds(TICK_SLEEP_US));
    }
}

void BM_RunTick(benchmark::State& state) {
    currentView = VIEW_SIMULATOR;
    newPopulation(static_cast<int>(state.range(0)));
    settle();
    long generations = 0;
    for (auto _ : state) {
        const int start = evolutionState.generation;
        runStop();
        runMainLoopFor(TICK_GENERATIONS);
        runStop();
        generations += evolutionState.generation - start;
        // The tick armed last still fires once: let it, unmeasured, so that
        // the next run starts with no timer pending.
        state.PauseTiming();
        drainEvents();
        state.ResumeTiming();
    }
    state.counters["generations/s"] =
        benchmark::Counter(static_cast<double>(generations), benchmark::Counter::kIsRate);
    settle();
}
BENCHMARK(BM_RunTick)
    ->Arg(24)
    ->Arg(60)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

int dumpRepeats = 1;

void writeFrame(const std::string& path) {
    for (int i = 0; i < dumpRepeats; ++i)
        drawFrame();
    glFinish();
    std::vector<unsigned char> rgb(static_cast<size_t>(windowWidth) * windowHeight * 3);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, windowWidth, windowHeight, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        std::fprintf(stderr, "app_frame_bench: cannot write %s\n", path.c_str());
        std::exit(1);
    }
    std::fprintf(file, "P6\n%d %d\n255\n", windowWidth, windowHeight);
    const size_t row = static_cast<size_t>(windowWidth) * 3;
    for (int y = windowHeight - 1; y >= 0; --y)
        std::fwrite(rgb.data() + static_cast<size_t>(y) * row, 1, row, file);
    std::fclose(file);
    std::printf("wrote %s\n", path.c_str());
}

void dumpFrames(const std::string& dir) {
    // The same populations in every build.
    evolutionState.random.seed(20261208UL);
    showSimulatorWithPrey(24);
    writeFrame(dir + "/simulator-24.ppm");
    showSimulatorWithPrey(60);
    writeFrame(dir + "/simulator-60.ppm");
    leavePrey = false;
    showRuleBrowserOfBest();
    writeFrame(dir + "/rule-browser.ppm");
    showFossilsOfLongRun();
    writeFrame(dir + "/fossils.ppm");
}

} // namespace

int main(int argc, char** argv) {
    if (!displayAvailable()) {
        std::printf("app_frame_bench: no X display, nothing measured\n");
        return 0;
    }
    std::string dumpDir;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--dump=", 7) == 0)
            dumpDir = argv[i] + 7;
        if (std::strncmp(argv[i], "--repeat=", 9) == 0)
            dumpRepeats = std::atoi(argv[i] + 9);
    }
    int glutArgc = 1;
    glutInit(&glutArgc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    chooseUiLayout(glutGet(GLUT_SCREEN_HEIGHT));
    glutInitWindowPosition(windowX, windowY);
    glutInitWindowSize(windowWidth, windowHeight);
    glutCreateWindow("Arachnovix frame benchmark");
    prepareWindow();
    settle();
    if (!dumpDir.empty()) {
        dumpFrames(dumpDir);
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
