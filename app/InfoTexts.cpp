#include "app/InfoTexts.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "evolution/EvolutionState.h"
#include "evolution/RunControl.h"
#include "web/Fitness.h"

namespace {

// Formats like printf into a buffer of Size characters (terminator
// included): what does not fit is cut.
template <int Size, typename... Args> std::string format(const char* pattern, Args... args) {
    const int length = std::snprintf(nullptr, 0, pattern, args...);
    if (length <= 0)
        return std::string();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    std::snprintf(&text[0], text.size(), pattern, args...);
    text.resize(std::min(static_cast<size_t>(length), static_cast<size_t>(Size - 1)));
    return text;
}

} // namespace

std::string generationLine(int generation, int last) {
    if (generation < last)
        return format<INFO_LINE_CHARS>("Generation %d of %d", generation, last);
    return format<INFO_LINE_CHARS>("Generation: %d", generation);
}

SelectedSpiderFacts selectedSpiderFacts(const EvolutionState& state) {
    SelectedSpiderFacts facts;
    const int sel = state.selectedSpider;
    facts.index = sel;
    facts.evaluated = state.spiders[0].individual.isEvaluated;
    if (sel < 0 || sel >= MAX_POPULATION)
        return facts;
    const Spider& s = state.spiders[sel];
    facts.restored = s.numCaught == CAUGHT_NOT_RECORDED;
    facts.numCaught = s.numCaught;
    facts.preyValue = state.preyValue;
    facts.fitness = s.individual.fitness;
    if (facts.restored) {
        facts.silkCost = fitness::silkCost(s.web, state.silkCostFactor);
        facts.timePenalty = fitness::timePenalty(s.web, state.timePenaltyFactor);
    } else {
        facts.silkCost = s.silkCost;
        facts.timePenalty = s.timePenalty;
    }
    return facts;
}

namespace {

// A term as the band writes it, and its value as written.
double written(const char* pattern, double value) {
    char text[64];
    std::snprintf(text, sizeof text, pattern, value);
    return std::strtod(text, nullptr);
}

} // namespace

std::string selectedSpiderLine(const SelectedSpiderFacts& f) {
    if (!f.evaluated)
        return format<INFO_LINE_CHARS>("Selected spider: [%i]", f.index + 1);
    if (f.restored)
        return format<INFO_LINE_CHARS>(
            "Selected spider: [%i] Fitness = %.0f as recorded (prey caught not recorded;"
            " silkCost = %.0f, timePenalty = %.0f)",
            f.index + 1, f.fitness, f.silkCost, f.timePenalty);
    const double sum = f.numCaught * f.preyValue - f.silkCost - f.timePenalty;
    if (fitness::rounded(sum) != f.fitness)
        return format<INFO_LINE_CHARS>(
            "Selected spider: [%i] Fitness = %.0f (evaluated with another prey value;"
            " Feed [Ctrl-E] evaluates again)",
            f.index + 1, f.fitness);
    // Whole terms when they add up as written, else one decimal place.
    const char* term = "%.0f";
    const double value = written("%g", f.preyValue);
    if (std::round(f.numCaught * value - written(term, f.silkCost) -
                   written(term, f.timePenalty)) != std::round(sum))
        term = "%.1f";
    const std::string terms =
        format<INFO_LINE_CHARS>((std::string("%i x %g - ") + term + " - " + term).c_str(),
                                f.numCaught, f.preyValue, f.silkCost, f.timePenalty);
    const std::string head = format<INFO_LINE_CHARS>(
        "Selected spider: [%i] Fitness = numPreyCaught x preyValue - silkCost - timePenalty = ",
        f.index + 1);
    if (std::round(sum) < 0.0)
        return format<INFO_LINE_CHARS>("%s%s = %.0f, counted as %.0f", head.c_str(), terms.c_str(),
                                       std::round(sum), f.fitness);
    return format<INFO_LINE_CHARS>("%s%s = %.0f", head.c_str(), terms.c_str(), f.fitness);
}

std::string ruleBrowserLine(int selectedIndex) {
    return format<INFO_LINE_CHARS>("Rule Browser (Spider %i)", selectedIndex + 1);
}

std::string fossilRecordLine() {
    return "Fossil Record";
}

std::string offlineMessage(int generation) {
    return format<OFFLINE_MESSAGE_CHARS>(
        "Evolving while rendering offline... %i (press 'o' to stop)", generation);
}

std::string offlineRateLine(double generationsPerSecond) {
    if (!(generationsPerSecond > 0.0))
        return std::string();
    return format<OFFLINE_MESSAGE_CHARS>("%.0f generations per second", generationsPerSecond);
}

std::string spiderCaption(int index, double fitness, const std::string& origin, int parentA,
                          int parentB) {
    // Parent numbers come from the file and may be anything a 32-bit
    // integer holds.
    return format<CAPTION_CHARS>("[%i] Fit=%.0f  %s(%lld, %lld)", index + 1, fitness,
                                 origin.c_str(), static_cast<long long>(parentA) + 1,
                                 static_cast<long long>(parentB) + 1);
}

std::string fossilCaption(int generation, double fitness) {
    return format<CAPTION_CHARS>("Generation %i  Fit=%.0f", generation, fitness);
}

namespace {

const std::string PART_SEPARATOR = "  ";

// The number of whole parts in `fitted`, a caption fitCaption shortened.
size_t wholeParts(const std::string& fitted, const std::string& text) {
    if (fitted.size() < std::min(text.find(PART_SEPARATOR), text.size()))
        return 0;
    size_t parts = 1;
    for (size_t at = fitted.find(PART_SEPARATOR); at != std::string::npos;
         at = fitted.find(PART_SEPARATOR, at + PART_SEPARATOR.size()))
        ++parts;
    return parts;
}

// The caption's first `parts` parts (at least its first).
std::string leadingParts(const std::string& text, size_t parts) {
    size_t end = text.find(PART_SEPARATOR);
    for (size_t k = 1; k < parts && end != std::string::npos; ++k)
        end = text.find(PART_SEPARATOR, end + PART_SEPARATOR.size());
    return text.substr(0, end);
}

} // namespace

std::vector<std::string> fitCaptionsAlike(const std::vector<std::string>& texts, int available,
                                          const std::function<int(const std::string&)>& width) {
    size_t keep = std::string::npos;
    for (const std::string& text : texts)
        keep = std::min(keep, wholeParts(fitCaption(text, available, width), text));
    std::vector<std::string> fitted;
    fitted.reserve(texts.size());
    for (const std::string& text : texts)
        fitted.push_back(fitCaption(leadingParts(text, keep), available, width));
    return fitted;
}

std::string fitCaption(const std::string& text, int available,
                       const std::function<int(const std::string&)>& width) {
    if (width(text) <= available)
        return text;
    const std::string& separator = PART_SEPARATOR;
    size_t cut = text.rfind(separator);
    while (cut != std::string::npos && cut > 0) {
        const std::string kept = text.substr(0, cut);
        if (width(kept) <= available)
            return kept;
        cut = text.rfind(separator, cut - 1);
    }
    std::string first = text.substr(0, text.find(separator));
    while (!first.empty() && width(first) > available)
        first.pop_back();
    return first;
}
