#include "app/ControlPanel.h"

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
    if (choice != lastPopulationChoice && choice >= 0 && choice < NUM_POPULATION_CHOICES) {
        if (mayDiscardRun(START_NEW_RUN)) {
            newPopulation(POPULATION_CHOICES[choice]);
            lastPopulationChoice = choice;
        } else {
            writeWidget(CP_POPULATION, lastPopulationChoice);
        }
    }
    if (readWidget(CP_NEW) != 0) {
        newLatch = true;
    } else if (newLatch) {
        newLatch = false;
        const int current = readWidget(CP_POPULATION);
        if (current >= 0 && current < NUM_POPULATION_CHOICES && mayDiscardRun(START_NEW_RUN))
            newPopulation(POPULATION_CHOICES[current]);
    }
}

} // namespace

void buildControlPanel() {
    controlPanel.initialize(windowWidth - PANEL_RIGHT_MARGIN, windowHeight - PANEL_BOTTOM_MARGIN,
                            uiFontSize, PANEL_ROW_FACTOR, PANEL_OPTION);
    controlPanel.dispose();
    controlPanelIds.clear();

    const PanelValues start = panelFromSettings(RunSettings{});
    std::vector<std::string> sizes;
    for (int size : POPULATION_CHOICES)
        sizes.push_back(LString::itoa(size));

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
    const int choice = populationChoiceIndex(populationSize);
    if (choice >= 0) {
        writeWidget(CP_POPULATION, choice);
        lastPopulationChoice = choice;
    }
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
