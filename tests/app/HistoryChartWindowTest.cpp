// The history chart painted column by column as a run grows must show the
// very pixels of the chart painted whole.

#include <gtest/gtest.h>

#include <GL/freeglut.h>

#include <vector>

#include "app/AppState.h"
#include "app/Commands.h"
#include "app/Display.h"
#include "app/FitnessHistory.h"
#include "app/HistoryChart.h"
#include "app/SimulatorGrid.h"
#include "evolution/EvolutionState.h"
#include "evolution/RunControl.h"
#include "tests/app/ProgramWindow.h"

namespace {

// The strip along the bottom of the window, where the chart is.
std::vector<unsigned char> chartPixels() {
    const int height = historyStripHeight(windowHeight);
    std::vector<unsigned char> pixels(static_cast<size_t>(windowWidth) * height * 4);
    glFinish();
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, windowWidth, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

void breed(int generations) {
    for (int k = 0; k < generations; ++k) {
        evolutionState.stepGeneration();
        evolutionState.evaluatePopulation(true);
        drawFrame();
    }
}

} // namespace

TEST(HistoryChartWindow, AGrowingChartShowsWhatAChartPaintedWholeShows) {
    openProgramWindow();
    if (HasFatalFailure())
        return;
    currentView = VIEW_SIMULATOR;
    evolutionState.numPrey = 20;
    startNewRun(5);
    showHistoryChart = true;
    layoutSimulator();
    drawFrame();
    // Across a change of the time axis (at 10, then at 20 generations) and
    // of the fitness range.
    for (int stage : {7, 8, 16}) {
        breed(stage);
        const std::vector<unsigned char> grown = chartPixels();
        forgetHistoryChartDrawing();
        drawFrame();
        EXPECT_TRUE(chartPixels() == grown) << "after generation " << evolutionState.generation;
    }
    showHistoryChart = false;
    layoutSimulator();
    markRunSaved();
}
