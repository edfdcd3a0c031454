#include "app/ControlPanel.h"

#include <algorithm>
#include <string>

#include "app/AppState.h"
#include "app/Commands.h"
#include "app/Display.h"
#include "app/PanelSettings.h"
#include "core/LString.h"
#include "evolution/EvolutionState.h"
#include "evolution/RunControl.h"
#include "gl/LGLUI.h"

namespace {

constexpr int PANEL_RIGHT_MARGIN = 380;
constexpr int PANEL_BOTTOM_MARGIN = 415;
constexpr double PANEL_ROW_FACTOR = 1.5;
constexpr char PANEL_OPTION = '\t';

// One latch per button: set by the handling that saw the press, the action
// runs at the next handling that reads the button released.
struct ButtonLatch {
    ControlWidget widget;
    bool latched;
};

ButtonLatch buttonLatches[] = {
    {CP_RULES, false}, {CP_FOSSILS, false},  {CP_RUN_STOP, false}, {CP_RUN_ONE_STEP, false},
    {CP_FEED, false},  {CP_BACKWARD, false}, {CP_FORWARD, false},
};
bool newLatch = false;

int widgetId(ControlWidget w) {
    return controlPanelIds[static_cast<size_t>(w)];
}

int readWidget(ControlWidget w) {
    int value = 0;
    controlPanel.getUIInt(widgetId(w), value);
    return value;
}

void writeWidget(ControlWidget w, int value) {
    controlPanel.setUIInt(widgetId(w), value);
}

void addButton(const char* label) {
    controlPanelIds.push_back(controlPanel.addButton(label));
}

void addSpinner(const char* label, double lo, double hi, double step, double initial) {
    controlPanelIds.push_back(controlPanel.addNumberSpinner(label, lo, hi, step, initial));
}

void addList(const char* label, std::vector<std::string> entries, int initial) {
    controlPanelIds.push_back(controlPanel.addListBox(label, entries, initial));
}

// The sizes the "Population Size" list offers now, by index.
std::vector<int> populationChoices = populationChoicesFor(DEFAULT_POPULATION);

// The size at list index `choice`, or 0 for an index the list does not have.
int populationAt(int choice) {
    const bool inList = choice >= 0 && choice < static_cast<int>(populationChoices.size());
    return inList ? populationChoices[static_cast<size_t>(choice)] : 0;
}

std::vector<std::string> populationLabels() {
    std::vector<std::string> labels;
    for (int size : populationChoices)
        labels.push_back(LString::itoa(size));
    return labels;
}

// Offers the sizes for a run of `runSize` spiders and shows that size.
void showPopulationSize(int runSize) {
    populationChoices = populationChoicesFor(runSize);
    controlPanel.widgets[widgetId(CP_POPULATION)].entries = populationLabels();
    const auto at = std::find(populationChoices.begin(), populationChoices.end(), runSize);
    if (at == populationChoices.end())
        return;
    lastPopulationChoice = static_cast<int>(at - populationChoices.begin());
    writeWidget(CP_POPULATION, lastPopulationChoice);
}

void runButtonAction(ControlWidget w) {
    switch (w) {
    case CP_RULES:
        showRuleBrowser();
        break;
    case CP_FOSSILS:
        showFossilsBrowser();
        break;
    case CP_RUN_STOP:
        runStop();
        break;
    case CP_RUN_ONE_STEP:
        runOneStep();
        break;
    case CP_FEED:
        evaluateNow();
        break;
    case CP_BACKWARD:
        timeStepBackward();
        break;
    case CP_FORWARD:
        timeStepForward();
        break;
    default:
        break;
    }
}

// Whether a press may latch this button now ("Backward" only above
// generation 0).
bool mayLatch(ControlWidget w) {
    return w != CP_BACKWARD || evolutionState.generation > 0;
}

void handleButtons() {
    for (ButtonLatch& latch : buttonLatches) {
        if (controlPanelIds.size() < CP_NUM_WIDGETS)
            return;
        if (readWidget(latch.widget) != 0) {
            if (mayLatch(latch.widget))
                latch.latched = true;
        } else if (latch.latched) {
            latch.latched = false;
            runButtonAction(latch.widget);
        }
    }
}

void handlePopulationChoice() {
    const int choice = readWidget(CP_POPULATION);
    if (choice != lastPopulationChoice && populationAt(choice) > 0) {
        if (mayDiscardRun(START_NEW_RUN)) {
            startNewRun(populationAt(choice));
            lastPopulationChoice = choice;
        } else {
            writeWidget(CP_POPULATION, lastPopulationChoice);
        }
    }
    if (readWidget(CP_NEW) != 0) {
        newLatch = true;
    } else if (newLatch) {
        newLatch = false;
        const int size = populationAt(readWidget(CP_POPULATION));
        if (size > 0 && mayDiscardRun(START_NEW_RUN))
            startNewRun(size);
    }
}

} // namespace

void buildControlPanel() {
    controlPanel.initialize(windowWidth - PANEL_RIGHT_MARGIN, windowHeight - PANEL_BOTTOM_MARGIN,
                            uiFontSize, PANEL_ROW_FACTOR, PANEL_OPTION);
    controlPanel.dispose();
    controlPanelIds.clear();

    const PanelValues start = panelFromSettings(RunSettings{});
    populationChoices = populationChoicesFor(DEFAULT_POPULATION);
    std::vector<std::string> sizes = populationLabels();

    controlPanel.addSeparator();
    addButton("New [Ctrl-N]");
    addList("Population Size", sizes, populationChoiceIndex(DEFAULT_POPULATION));
    controlPanel.addSeparator();
    addButton("Run / Stop [F5]");
    addButton("Run One Step [F6]");
    addButton("Feed [Ctrl-E]");
    addButton("Backward [F7]");
    addButton("Forward [F8]");
    controlPanel.addSeparator();
    addSpinner("Number of prey", 10, 100, 10, start.numPrey);
    addSpinner("Prey size", 1, 10, 1, start.preySize);
    addSpinner("Prey value", 5, 50, 5, start.preyValue);
    addList("Attack sim", {"Off", "Dist", "Dist+Grav"}, start.attackSim);
    controlPanel.addSeparator();
    addSpinner("Silk cost factor", 0, 10, 1, start.silkCost);
    addSpinner("Silk limit (0 = no limit)", 0, 1000, 10, start.silkLimit);
    addSpinner("Time penalty factor", 0, 50, 1, start.timePenalty);
    controlPanel.addSeparator();
    addSpinner("Crossover Rate (%)", 0, 100, 10, start.crossover);
    addSpinner("Mutation Rate (1/10 %)", 0, 1000, 1, start.mutation);
    controlPanel.addSeparator();
    addButton("Rules [F3]");
    addButton("Fossils [F4]");
    controlPanel.addSeparator();

    showPanel(controlPanel);
}

void handleControlPanel() {
    controlPanel.handle();
    if (controlPanelIds.size() < CP_NUM_WIDGETS)
        return;
    handleButtons();
    handlePopulationChoice();

    PanelValues v;
    v.numPrey = readWidget(CP_NUM_PREY);
    v.preySize = readWidget(CP_PREY_SIZE);
    v.preyValue = readWidget(CP_PREY_VALUE);
    v.attackSim = readWidget(CP_ATTACK_SIM);
    v.silkCost = readWidget(CP_SILK_COST);
    v.silkLimit = readWidget(CP_SILK_LIMIT);
    v.timePenalty = readWidget(CP_TIME_PENALTY);
    v.crossover = readWidget(CP_CROSSOVER);
    v.mutation = readWidget(CP_MUTATION);
    RunSettings s = currentRunSettings();
    settingsFromPanel(v, s);
    applyRunSettings(s);
}

void writeSettingsToPanel(const RunSettings& settings, int populationSize) {
    if (controlPanelIds.size() < CP_NUM_WIDGETS)
        return;
    showPopulationSize(populationSize);
    const PanelValues v = panelFromSettings(settings);
    writeWidget(CP_NUM_PREY, v.numPrey);
    writeWidget(CP_PREY_SIZE, v.preySize);
    writeWidget(CP_PREY_VALUE, v.preyValue);
    writeWidget(CP_ATTACK_SIM, v.attackSim);
    writeWidget(CP_SILK_COST, v.silkCost);
    writeWidget(CP_SILK_LIMIT, v.silkLimit);
    writeWidget(CP_TIME_PENALTY, v.timePenalty);
    writeWidget(CP_CROSSOVER, v.crossover);
    writeWidget(CP_MUTATION, v.mutation);
}
