// Redraws the program's window the way GLUT's display callback does and
// measures the time per frame:
//   Simulator/60   population 60, prey shown on every web
//   RuleBrowser    the Rule Browser while a rule is edited (four stage webs
//                  rebuilt every frame)
// Run under an X server: scripts/with-display.sh build/bin/app_frame_bench

#include <benchmark/benchmark.h>

#include <GL/freeglut.h>

#include <cstdio>

#include "app/AppState.h"
#include "app/Display.h"
#include "app/RuleBrowserView.h"
#include "app/Startup.h"
#include "evolution/EvolutionState.h"
#include "evolution/RunControl.h"

namespace {

void settle()
{
    for (int i = 0; i < 20; ++i)
        glutMainLoopEvent();
    glFinish();
}

void BM_SimulatorFrame(benchmark::State& state)
{
    newPopulation(static_cast<int>(state.range(0)));
    currentView = VIEW_SIMULATOR;
    leavePrey = true;
    showGenes = true;
    rollPreyAngles();
    settle();
    for (auto _ : state) {
        drawFrame();
        glFinish();
    }
    state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                               benchmark::Counter::kIsRate);
    leavePrey = false;
}
BENCHMARK(BM_SimulatorFrame)->Arg(24)->Arg(60)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RuleBrowserFrameWhileEditing(benchmark::State& state)
{
    newPopulation(24);
    evolutionState.selectedSpider = evolutionState.bestSpider;
    currentView = VIEW_RULE_BROWSER;
    loadRuleBrowser(evolutionState.spiders[evolutionState.selectedSpider],
                    evolutionState.selectedSpider);
    layoutRuleBrowser();
    settle();
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
    state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                               benchmark::Counter::kIsRate);
    currentView = VIEW_SIMULATOR;
}
BENCHMARK(BM_RuleBrowserFrameWhileEditing)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    if (!displayAvailable()) {
        std::printf("app_frame_bench: no X display, nothing measured\n");
        return 0;
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
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
