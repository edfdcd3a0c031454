#include "app/WindowFit.h"

#include <algorithm>

#include "app/AppState.h"

ScreenRect fitStartWindow(const ScreenRect& workArea)
{
    const ScreenRect preferred{INITIAL_WINDOW_X, INITIAL_WINDOW_Y, INITIAL_WINDOW_WIDTH,
                               INITIAL_WINDOW_HEIGHT};
    const bool fits = preferred.x >= workArea.x && preferred.y >= workArea.y &&
                      preferred.x + preferred.width <= workArea.x + workArea.width &&
                      preferred.y + preferred.height <= workArea.y + workArea.height;
    if (fits || workArea.width <= 0 || workArea.height <= 0)
        return preferred;
    const int roomW = std::max(1, workArea.width - 2 * FRAME_BORDER_ALLOWANCE);
    const int roomH = std::max(1, workArea.height - FRAME_TITLE_ALLOWANCE - FRAME_BORDER_ALLOWANCE);
    const double scale = std::min({1.0, static_cast<double>(roomW) / preferred.width,
                                   static_cast<double>(roomH) / preferred.height});
    ScreenRect fitted;
    fitted.width = std::max(1, static_cast<int>(preferred.width * scale));
    fitted.height = std::max(1, static_cast<int>(preferred.height * scale));
    fitted.x = workArea.x + std::min(preferred.x, std::max(0, (workArea.width - fitted.width) / 2));
    fitted.y = workArea.y + FRAME_TITLE_ALLOWANCE;
    return fitted;
}

int limitPanelScroll(int offset, int top, int panelHeight, int windowHeight)
{
    const int overflow = top + panelHeight + PANEL_BOTTOM_MARGIN - windowHeight;
    return std::max(0, std::min(offset, overflow));
}
