#include "app/HistoryChart.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "app/AppState.h"
#include "app/FitnessHistory.h"
#include "app/GridGeometry.h"
#include "app/SimulatorGrid.h"
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

struct Colour {
    float r, g, b;
};
constexpr Colour BEST_COLOUR{0.35f, 0.95f, 0.35f};
constexpr Colour MEAN_COLOUR{0.45f, 0.75f, 1.0f};
constexpr Colour MIN_COLOUR{1.0f, 0.45f, 0.3f};
constexpr Colour MARK_COLOUR{1.0f, 0.9f, 0.2f};

// The strip and the plot inside it, in window pixels (y downwards).
struct ChartBox {
    int left = 0, top = 0, right = 0, bottom = 0;
    int plotLeft = 0, plotTop = 0, plotRight = 0, plotBottom = 0;
};

FitnessHistory history;
bool focused = false;
bool dragging = false;
int hoverColumn = -1; // -1: the pointer is not over the plot
GLuint chartList = 0;
std::vector<int32_t> drawnKey;

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
    return showHistoryChart && currentView == VIEW_SIMULATOR && !evolutionState.flags.renderOffline;
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

double fitnessY(const ChartBox& box, const FitnessAxis& axis, double fitness) {
    const double share = (fitness - axis.lo) / (axis.hi - axis.lo);
    return box.plotBottom - share * (box.plotBottom - box.plotTop);
}

double columnX(const ChartBox& box, int column) {
    return box.plotLeft + column + 0.5;
}

// One series: each column's range as a vertical line, and a line through
// the middles of the columns.
void drawSeries(const ChartBox& box, const FitnessAxis& axis, ValueRange HistoryColumn::*series,
                Colour colour) {
    setColour(colour);
    glBegin(GL_LINES);
    for (int c = 0; c < history.columns(); ++c) {
        const HistoryColumn& column = history.column(c);
        if (column.count > 1) {
            glVertex2d(columnX(box, c), fitnessY(box, axis, (column.*series).lo));
            glVertex2d(columnX(box, c), fitnessY(box, axis, (column.*series).hi));
        }
    }
    glEnd();
    glBegin(GL_LINE_STRIP);
    for (int c = 0; c < history.columns(); ++c) {
        const HistoryColumn& column = history.column(c);
        if (column.count > 0) {
            const ValueRange& r = column.*series;
            glVertex2d(columnX(box, c), fitnessY(box, axis, 0.5 * (r.lo + r.hi)));
        }
    }
    glEnd();
}

void filledBox(double x1, double y1, double x2, double y2) {
    glBegin(GL_QUADS);
    glVertex2d(x1, y1);
    glVertex2d(x2, y1);
    glVertex2d(x2, y2);
    glVertex2d(x1, y2);
    glEnd();
}

void horizontalLine(const ChartBox& box, double y) {
    glBegin(GL_LINES);
    glVertex2d(box.plotLeft, y);
    glVertex2d(box.plotRight, y);
    glEnd();
}

// The strip's background, grid lines, the three series and the mark.
void drawPlot(const ChartBox& box, const FitnessAxis& axis) {
    glColor3f(0.1f, 0.1f, 0.12f);
    filledBox(box.left, box.top, box.right, box.bottom);
    glColor3f(0.02f, 0.02f, 0.04f);
    filledBox(box.plotLeft, box.plotTop, box.plotRight, box.plotBottom);
    glLineWidth(1.0f);
    glColor3f(0.25f, 0.25f, 0.3f);
    for (double v = axis.lo; v <= axis.hi + 0.5 * axis.step; v += axis.step)
        horizontalLine(box, std::floor(fitnessY(box, axis, v)) + 0.5);
    glColor3f(0.6f, 0.6f, 0.6f);
    horizontalLine(box, std::floor(fitnessY(box, axis, 0.0)) + 0.5);
    drawSeries(box, axis, &HistoryColumn::min, MIN_COLOUR);
    drawSeries(box, axis, &HistoryColumn::mean, MEAN_COLOUR);
    drawSeries(box, axis, &HistoryColumn::best, BEST_COLOUR);
    if (evolutionState.generation < history.generations()) {
        setColour(MARK_COLOUR);
        const double x = columnX(box, history.columnOf(evolutionState.generation));
        glBegin(GL_LINES);
        glVertex2d(x, box.plotTop);
        glVertex2d(x, box.plotBottom);
        glEnd();
    }
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

// The axes' words and numbers, the series' names and the values of the
// generation under the pointer (else of the one shown).
void drawTexts(const ChartBox& box, const FitnessAxis& axis) {
    constexpr Colour GREY{0.8f, 0.8f, 0.8f};
    const int baseline = box.top + TOP_ROOM - 6;
    const std::string title = "Fitness:";
    writeText(TEXT_X, baseline, title, 1, GREY);
    int x = TEXT_X + smallFont.pixWidthOf(title + " ");
    for (const auto& [name, colour] : {std::pair<const char*, Colour>{"best", BEST_COLOUR},
                                       {"mean", MEAN_COLOUR},
                                       {"min", MIN_COLOUR}}) {
        writeText(x, baseline, name, 1, colour);
        x += smallFont.pixWidthOf(name) + TEXT_X;
    }
    const int g = hoverColumn >= 0 ? history.generationAtColumn(hoverColumn)
                                   : std::min(evolutionState.generation, history.generations() - 1);
    if (g >= 0)
        writeText(box.plotRight, baseline, historyHoverText(g, history.generation(g)), -1,
                  hoverColumn >= 0 ? MARK_COLOUR : GREY);
    const int lift = smallFont.ascentOf() / 2;
    for (double v = axis.lo; v <= axis.hi + 0.5 * axis.step; v += axis.step)
        writeText(box.plotLeft - 6, static_cast<int>(fitnessY(box, axis, v)) + lift, number(v), -1,
                  GREY);
    const int labelLine = box.bottom - 6;
    writeText(TEXT_X, labelLine, "Generation", 1, GREY);
    const int end = history.axisEnd();
    for (int k = 1; k <= GENERATION_LABELS; ++k) {
        const int generation = end / GENERATION_LABELS * k;
        const int column = history.columnOf(generation);
        writeText(static_cast<int>(columnX(box, column)), labelLine, std::to_string(generation),
                  k == GENERATION_LABELS ? -1 : 0, GREY);
    }
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
    const FitnessAxis axis =
        fitnessAxis(history.fitnessRange(), (box.plotBottom - box.plotTop) / FITNESS_LABEL_SPACING);
    const std::vector<int32_t> key = chartKey(box);
    if (chartList == 0)
        chartList = glGenLists(1);
    if (key != drawnKey) {
        glNewList(chartList, GL_COMPILE);
        drawPlot(box, axis);
        glEndList();
        drawnKey = key;
    }
    glCallList(chartList);
    drawTexts(box, axis);
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
