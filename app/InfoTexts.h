#pragma once
// The texts the views write: the information band, the captions under every
// web and the offline message. Each is formatted into a buffer of the size
// the view reserves for it; longer text is cut.

#include <functional>
#include <string>
#include <vector>

struct EvolutionState;

constexpr int INFO_LINE_CHARS = 255;
constexpr int CAPTION_CHARS = 40;
constexpr int OFFLINE_MESSAGE_CHARS = 80;

// "Generation: 12" at the last recorded generation (`last`), else
// "Generation 800 of 802" (an earlier generation is shown).
std::string generationLine(int generation, int last);

// What the information band says about the selected spider.
struct SelectedSpiderFacts {
    int index = 0;          // 0-based slot
    bool evaluated = false; // the population has been evaluated
    // Restored from the record (moving in time, a file): the fitness is the
    // recorded one and the prey caught are not known; silkCost and
    // timePenalty are those of the rebuilt web under the current factors.
    bool restored = false;
    int numCaught = 0;
    double preyValue = 0.0;
    double silkCost = 0.0;
    double timePenalty = 0.0;
    double fitness = 0.0;
};
// The facts of the selected spider of `state`.
SelectedSpiderFacts selectedSpiderFacts(const EvolutionState& state);
// The band's second line. It never shows a sum that does not add up: a
// restored spider's fitness is shown as the recorded one, a fitness from
// an evaluation under another prey value as such, and a negative sum with
// the 0 it counts as.
std::string selectedSpiderLine(const SelectedSpiderFacts& facts);

// "Rule Browser (Spider 3)" for the 0-based slot 2.
std::string ruleBrowserLine(int selectedIndex);
// "Fossil Record"
std::string fossilRecordLine();

// "Evolving while rendering offline... 17 (press 'o' to stop)"
std::string offlineMessage(int generation);
// "2950 generations per second", or "" before there is a rate.
std::string offlineRateLine(double generationsPerSecond);

// "[3] Fit=120  SEL(1, 5)" for the 0-based slot 2 with 0-based parents.
std::string spiderCaption(int index, double fitness, const std::string& origin, int parentA,
                          int parentB);
// "Generation 40  Fit=310"
std::string fossilCaption(int generation, double fitness);

// A caption shortened to `available` pixels, the one rule of every view:
// whole when it fits; else without its trailing parts (parts are separated
// by two spaces), keeping as many leading parts as fit; else its first part
// cut to the characters that fit. `width` measures a text in pixels.
std::string fitCaption(const std::string& text, int available,
                       const std::function<int(const std::string&)>& width);
// Captions shown side by side, cut alike by fitCaption's rule: each keeps
// as many leading parts as every one of them can keep whole, so that no
// caption shows a part its neighbour drops. A caption whose first part
// alone is too wide is cut to the characters that fit.
std::vector<std::string> fitCaptionsAlike(const std::vector<std::string>& texts, int available,
                                          const std::function<int(const std::string&)>& width);
