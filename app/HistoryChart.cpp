#include "app/HistoryChart.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "app/AppState.h"
#include "app/ChartImage.h"
#include "app/FitnessHistory.h"
#include "app/GridGeometry.h"
#include "app/LayerCache.h"
#include "app/SimulatorGrid.h"
#include "app/WebPalette.h"
#include "evolution/EvolutionState.h"
#include "evolution/RunControl.h"
#include "gl/LGLFont.h"

namespace {

// Room around the plot for the axis labels and the text row above it.
constexpr int LEFT_ROOM = 64;
constexpr int RIGHT_ROOM = 14;
constexpr int TOP_ROOM = 24;
constexpr int BOTTOM_ROOM = 24;
constexpr int TEXT_X = 8;
constexpr int FITNESS_LABEL_SPACING = 22; // pixels at least between two labels
constexpr int GENERATION_LABELS = 5;

using Colour = tPaletteColour;
constexpr Colour BEST_COLOUR{0.35f, 0.95f, 0.35f};
constexpr Colour MEAN_COLOUR{0.45f, 0.75f, 1.0f};
constexpr Colour MIN_COLOUR{1.0f, 0.45f, 0.3f};
constexpr Colour MARK_COLOUR{1.0f, 0.9f, 0.2f};
constexpr Colour TEXT_COLOUR{0.8f, 0.8f, 0.8f};
constexpr Colour GRID_COLOUR{0.25f, 0.25f, 0.3f};
constexpr Colour ZERO_COLOUR{0.6f, 0.6f, 0.6f};

// The strip and the plot inside it, in window pixels (y downwards).
struct ChartBox {
    int left = 0, top = 0, right = 0, bottom = 0;
    int plotLeft = 0, plotTop = 0, plotRight = 0, plotBottom = 0;
};

FitnessHistory history;
bool focused = false;
bool dragging = false;
int hoverColumn = -1;  // -1: the pointer is not over the plot
LayerCache chartLayer; // the whole strip
LayerCache textLayer;  // its frame and texts alone

ChartBox chartBox() {
    ChartBox box;
    box.right = static_cast<int>(windowWidth - panelStripWidth);
    box.bottom = windowHeight;
    box.top = windowHeight - historyStripHeight(windowHeight);
    box.plotLeft = box.left + LEFT_ROOM;
    box.plotRight = std::max(box.right - RIGHT_ROOM, box.plotLeft + 1);
    box.plotTop = box.top + TOP_ROOM;
    box.plotBottom = std::max(box.bottom - BOTTOM_ROOM, box.plotTop + 1);
    return box;
}

bool chartVisible() {
    return showHistoryChart && currentView == VIEW_SIMULATOR;
}

bool inStrip(const ChartBox& box, int x, int y) {
    return x >= box.left && x < box.right && y >= box.top && y < box.bottom;
}

// The history brought up to the record, over the plot's columns.
void updateHistory(const ChartBox& box) {
    history.setColumns(box.plotRight - box.plotLeft);
    history.update(FossilView(evolutionState.fossilRecord, evolutionState.populationSize),
                   evolutionState.recordRevision);
}

void setColour(Colour c) {
    glColor3f(c.r, c.g, c.b);
}

// The window row of a fitness in the plot.
int fitnessY(const ChartBox& box, const FitnessAxis& axis, double fitness) {
    return box.plotBottom - 1 - fitnessRow(axis, box.plotBottom - box.plotTop, fitness);
}

double columnX(const ChartBox& box, int column) {
    return box.plotLeft + column + 0.5;
}

// The plot as an image, painted anew only where it changed.
ChartImage plotImage(ChartColours{
    GRID_COLOUR, ZERO_COLOUR, {MIN_COLOUR, BEST_COLOUR, MEAN_COLOUR}});

// What the plot's texture holds.
struct PlotTexture {
    GLuint name = 0;
    int width = 0, height = 0;
};
PlotTexture plotTexture;

// Sends the plot image's columns first ... last (y upwards) to the texture.
void sendColumns(int width, int height, int first, int last) {
    glPixelStorei(GL_UNPACK_ROW_LENGTH, width);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, first);
    glTexSubImage2D(GL_TEXTURE_2D, 0, first, 0, last - first + 1, height, GL_BGRA, GL_UNSIGNED_BYTE,
                    plotImage.pixels().data());
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
}

// Brings the texture up to the plot image, of which columns first ... last
// changed since it was last sent.
void updatePlotTexture(int width, int height, int first, int last) {
    PlotTexture& t = plotTexture;
    if (t.name == 0)
        glGenTextures(1, &t.name);
    glBindTexture(GL_TEXTURE_2D, t.name);
    if (width != t.width || height != t.height) {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_BGRA, GL_UNSIGNED_BYTE,
                     plotImage.pixels().data());
        t = PlotTexture{t.name, width, height};
    } else if (first <= last) {
        sendColumns(width, height, first, last);
    }
}

// The plot image as a texture on the plot.
void showPlotImage(const ChartBox& box) {
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glBegin(GL_QUADS);
    glTexCoord2i(0, 0);
    glVertex2i(box.plotLeft, box.plotBottom);
    glTexCoord2i(1, 0);
    glVertex2i(box.plotRight, box.plotBottom);
    glTexCoord2i(1, 1);
    glVertex2i(box.plotRight, box.plotTop);
    glTexCoord2i(0, 1);
    glVertex2i(box.plotLeft, box.plotTop);
    glEnd();
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glDisable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, 0);
}

// The grid lines and the three series: only the columns whose spans
// changed are painted and sent again.
void drawSeries(const ChartBox& box, const FitnessAxis& axis) {
    const int width = box.plotRight - box.plotLeft;
    const int height = box.plotBottom - box.plotTop;
    const std::pair<int, int> changed = plotImage.update(history, axis, width, height);
    updatePlotTexture(width, height, changed.first, changed.second);
    showPlotImage(box);
}

// The plot's grid lines, the three series and the mark.
void drawPlot(const ChartBox& box, const FitnessAxis& axis) {
    // On the window's black: the grid leaves the strip empty.
    drawSeries(box, axis);
    glLineWidth(1.0f);
    if (evolutionState.generation < history.generations()) {
        setColour(MARK_COLOUR);
        const double x = columnX(box, history.columnOf(evolutionState.generation));
        glBegin(GL_LINES);
        glVertex2d(x, box.plotTop);
        glVertex2d(x, box.plotBottom);
        glEnd();
    }
}

// The strip's frame, bright while the chart has the focus.
void drawFrame(const ChartBox& box) {
    glLineWidth(1.0f);
    glColor3f(focused ? 1.0f : 0.4f, focused ? 0.9f : 0.4f, focused ? 0.2f : 0.45f);
    glBegin(GL_LINE_LOOP);
    glVertex2d(box.left + 0.5, box.top + 0.5);
    glVertex2d(box.right - 0.5, box.top + 0.5);
    glVertex2d(box.right - 0.5, box.bottom - 0.5);
    glVertex2d(box.left + 0.5, box.bottom - 0.5);
    glEnd();
}

// Everything the saved drawing depends on.
std::vector<int32_t> chartKey(const ChartBox& box) {
    return {box.left,       box.top,           box.right,
            box.bottom,     history.version(), evolutionState.generation,
            focused ? 1 : 0};
}

std::string number(double v) {
    return std::to_string(static_cast<long long>(std::llround(v)));
}

void writeText(int x, int y, const std::string& text, int alignment, Colour colour) {
    smallFont.alignment = alignment;
    smallFont.setColor_rp(colour.r, colour.g, colour.b);
    smallFont.writeAt_rp(x, y, text);
    smallFont.alignment = 1;
}

// The values of generation g in the text row, at its right end.
void writeValues(const ChartBox& box, int g, Colour colour) {
    if (g >= 0 && g < history.generations())
        writeText(box.plotRight, box.top + TOP_ROOM - 6, historyHoverText(g, history.generation(g)),
                  -1, colour);
}

// The axes' words and numbers and the series' names.
void drawTexts(const ChartBox& box, const FitnessAxis& axis) {
    const int baseline = box.top + TOP_ROOM - 6;
    const std::string title = "Fitness:";
    writeText(TEXT_X, baseline, title, 1, TEXT_COLOUR);
    int x = TEXT_X + smallFont.pixWidthOf(title + " ");
    for (const auto& [name, colour] : {std::pair<const char*, Colour>{"best", BEST_COLOUR},
                                       {"mean", MEAN_COLOUR},
                                       {"min", MIN_COLOUR}}) {
        writeText(x, baseline, name, 1, colour);
        x += smallFont.pixWidthOf(name) + TEXT_X;
    }
    const int lift = smallFont.ascentOf() / 2;
    for (double v = axis.lo; v <= axis.hi + 0.5 * axis.step; v += axis.step)
        writeText(box.plotLeft - 6, fitnessY(box, axis, v) + lift, number(v), -1, TEXT_COLOUR);
    const int labelLine = box.bottom - 6;
    writeText(TEXT_X, labelLine, "Generation", 1, TEXT_COLOUR);
    const int end = history.axisEnd();
    for (int k = 1; k <= GENERATION_LABELS; ++k) {
        const int generation = end / GENERATION_LABELS * k;
        const int column = history.columnOf(generation);
        writeText(static_cast<int>(columnX(box, column)), labelLine, std::to_string(generation),
                  k == GENERATION_LABELS ? -1 : 0, TEXT_COLOUR);
    }
}

FitnessAxis chartAxis(const ChartBox& box) {
    return fitnessAxis(history.fitnessRange(),
                       (box.plotBottom - box.plotTop) / FITNESS_LABEL_SPACING);
}

// The frame and the texts: while they stay the same (a run goes on), they
// are copied back as an image and only the plot is drawn anew.
void drawFrameAndTexts(const ChartBox& box, const FitnessAxis& axis) {
    std::vector<int32_t> key = {box.left,   box.top,           box.right,
                                box.bottom, history.axisEnd(), focused ? 1 : 0};
    appendKeyBits(key, axis);
    const LayerArea area{box.left, box.top, box.right - box.left, box.bottom - box.top};
    if (!textLayer.restore(key, windowWidth, windowHeight, area)) {
        drawFrame(box);
        drawTexts(box, axis);
        textLayer.drawn(key, windowWidth, windowHeight, area);
    }
}

void drawChart(const ChartBox& box) {
    const FitnessAxis axis = chartAxis(box);
    drawFrameAndTexts(box, axis);
    drawPlot(box, axis);
}

// Shows generation g as Backward/Forward do (a run stops first).
void travelTo(int g) {
    const RunFlags& f = evolutionState.flags;
    if (g < 0 || (g == evolutionState.generation && !f.isRunning && !f.renderOffline))
        return;
    showGeneration(g);
    glutPostRedisplay();
}

void travelToX(const ChartBox& box, int x) {
    travelTo(history.generationAtColumn(x - box.plotLeft));
}

} // namespace

void forgetHistoryChartDrawing() {
    plotImage.forget();
    chartLayer.clear();
    textLayer.clear();
}

void toggleHistoryChart() {
    showHistoryChart = !showHistoryChart;
    focused = false;
    hoverColumn = -1;
    // From a browser the chart is shown once the Simulator is.
    if (currentView == VIEW_SIMULATOR)
        layoutSimulator();
    glutPostRedisplay();
}

void drawHistoryChart() {
    if (!chartVisible())
        return;
    const ChartBox box = chartBox();
    updateHistory(box);
    const std::vector<int32_t> key = chartKey(box);
    // A chart drawn the same twice is kept as an image and copied back.
    const LayerArea area{box.left, box.top, box.right - box.left, box.bottom - box.top};
    if (!chartLayer.restore(key, windowWidth, windowHeight, area)) {
        drawChart(box);
        chartLayer.drawn(key, windowWidth, windowHeight, area);
    }
    // The values of the generation under the pointer, else of the one shown.
    if (hoverColumn >= 0)
        writeValues(box, history.generationAtColumn(hoverColumn), MARK_COLOUR);
    else
        writeValues(box, evolutionState.generation, TEXT_COLOUR);
}

bool historyChartClick(int x, int y, bool rightPress, bool leftPress) {
    if (!leftPress && !rightPress) {
        const bool wasDragging = dragging;
        dragging = false;
        return wasDragging;
    }
    const ChartBox box = chartBox();
    focused = chartVisible() && inStrip(box, x, y);
    if (!focused)
        return false;
    if (leftPress) {
        dragging = true;
        travelToX(box, x);
    }
    glutPostRedisplay();
    return true;
}

void historyChartDrag(int x, int y) {
    historyChartHover(x, y);
    if (dragging && chartVisible())
        travelToX(chartBox(), x);
}

void historyChartHover(int x, int y) {
    const ChartBox box = chartBox();
    const bool over = chartVisible() && inStrip(box, x, y) && x >= box.plotLeft &&
                      x < box.plotRight && history.generations() > 0;
    hoverColumn = over ? x - box.plotLeft : -1;
}

bool historyChartKey(int key) {
    if (!focused || !chartVisible() || (key != ARROW_LEFT && key != ARROW_RIGHT))
        return false;
    const bool far = (glutGetModifiers() & (GLUT_ACTIVE_SHIFT | GLUT_ACTIVE_CTRL)) != 0;
    const int last = evolutionState.recordedGenerations() - 1;
    travelTo(historyStepTarget(evolutionState.generation, last, key == ARROW_LEFT ? -1 : 1, far));
    return true;
}
