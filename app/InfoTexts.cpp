#include "app/InfoTexts.h"

#include <algorithm>
#include <cstdio>

namespace {

// Formats like printf into a buffer of Size characters (terminator
// included): what does not fit is cut.
template <int Size, typename... Args>
std::string format(const char* pattern, Args... args)
{
    const int length = std::snprintf(nullptr, 0, pattern, args...);
    if (length <= 0)
        return std::string();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    std::snprintf(&text[0], text.size(), pattern, args...);
    text.resize(std::min(static_cast<size_t>(length), static_cast<size_t>(Size - 1)));
    return text;
}

} // namespace

std::string generationLine(int generation)
{
    return format<INFO_LINE_CHARS>("Generation: %d", generation);
}

std::string selectedSpiderLine(const SelectedSpiderFacts& f)
{
    if (!f.evaluated)
        return format<INFO_LINE_CHARS>("Selected spider: [%i]", f.index + 1);
    return format<INFO_LINE_CHARS>(
        "Selected spider: [%i] Fitness = numPreyCaught x preyValue - silkCost - timePenalty"
        " = %i x %.0f - %.0f - %.0f = %.0f",
        f.index + 1, f.numCaught, f.preyValue, f.silkCost, f.timePenalty, f.fitness);
}

std::string ruleBrowserLine(int selectedIndex)
{
    return format<INFO_LINE_CHARS>("Rule Browser (Spider %i)", selectedIndex + 1);
}

std::string fossilRecordLine()
{
    return "Fossil Record";
}

std::string offlineMessage(int generation)
{
    return format<OFFLINE_MESSAGE_CHARS>(
        "Evolving while rendering offline... %i (press 'o' to stop)", generation);
}

std::string spiderCaption(int index, double fitness, const std::string& origin,
                          int parentA, int parentB)
{
    return format<CAPTION_CHARS>("[%i] Fit=%.0f  %s(%i, %i)", index + 1, fitness,
                                 origin.c_str(), parentA + 1, parentB + 1);
}

std::string fossilCaption(int generation, double fitness)
{
    return format<CAPTION_CHARS>("Generation %i  Fit=%.0f", generation, fitness);
}

std::string fitCaption(const std::string& text, int available,
                       const std::function<int(const std::string&)>& width)
{
    if (width(text) <= available)
        return text;
    const std::string separator = "  ";
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
