#include "app/WindowFit.h"

#include <algorithm>

#include "app/AppState.h"

ScreenRect fitStartWindow(const ScreenRect& workArea) {
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

ScreenRect fitFramedWindow(const ScreenRect& client, const FrameExtents& frame,
                           const ScreenRect& workArea) {
    const int roomW = workArea.width - frame.left - frame.right;
    const int roomH = workArea.height - frame.top - frame.bottom;
    if (roomW <= 0 || roomH <= 0 || client.width <= 0 || client.height <= 0)
        return client;
    ScreenRect fitted = client;
    if (client.width > roomW || client.height > roomH) {
        const double scale = std::min(static_cast<double>(roomW) / client.width,
                                      static_cast<double>(roomH) / client.height);
        fitted.width = std::max(1, static_cast<int>(client.width * scale));
        fitted.height = std::max(1, static_cast<int>(client.height * scale));
    }
    // The frame's left and top edges within the work area, its right and
    // bottom ones too.
    const int lowestX = workArea.x + frame.left;
    const int lowestY = workArea.y + frame.top;
    fitted.x = std::max(lowestX, std::min(fitted.x, lowestX + roomW - fitted.width));
    fitted.y = std::max(lowestY, std::min(fitted.y, lowestY + roomH - fitted.height));
    return fitted;
}

int limitPanelScroll(int offset, int top, int panelHeight, int windowHeight) {
    const int overflow = top + panelHeight + PANEL_BOTTOM_MARGIN - windowHeight;
    return std::max(0, std::min(offset, overflow));
}

namespace {

// One row from left to right, each panel at its wish or after the previous;
// then pulled back from `right`. Whether the row fits within [left, right].
bool packOneRow(const std::vector<int>& wishX, const std::vector<int>& widths, int left, int right,
                int gap, std::vector<int>& xs) {
    const size_t n = widths.size();
    xs.assign(n, 0);
    for (size_t k = 0; k < n; ++k) {
        xs[k] = std::max(wishX[k], left);
        if (k > 0)
            xs[k] = std::max(xs[k], xs[k - 1] + widths[k - 1] + gap);
    }
    for (size_t k = n; k-- > 0;) {
        const int limit = k + 1 < n ? xs[k + 1] - gap : right;
        xs[k] = std::min(xs[k], limit - widths[k]);
    }
    return n == 0 || xs[0] >= left;
}

} // namespace

std::vector<PanelSpot> placePanelsInRows(const std::vector<int>& wishX,
                                         const std::vector<int>& widths,
                                         const std::vector<int>& heights, int top, int left,
                                         int right, int gap) {
    const size_t n = widths.size();
    std::vector<PanelSpot> spots(n);
    std::vector<int> xs;
    if (packOneRow(wishX, widths, left, right, gap, xs)) {
        for (size_t k = 0; k < n; ++k)
            spots[k] = PanelSpot{xs[k], top};
        return spots;
    }
    int rowTop = top, rowBottom = top, cursor = left;
    for (size_t k = 0; k < n; ++k) {
        int x = std::max(wishX[k], cursor);
        if (x + widths[k] > right && cursor > left) {
            rowTop = rowBottom + gap;
            x = left;
        }
        x = std::max(left, std::min(x, right - widths[k]));
        spots[k] = PanelSpot{x, rowTop};
        rowBottom = std::max(rowBottom, rowTop + heights[k]);
        cursor = x + widths[k] + gap;
    }
    return spots;
}

int fittingRowHeight(int natural, int fontSize, int titleHeight, int rows, int room) {
    // Rows, half a row of padding above and below, the title strip.
    const auto height = [&](int row) {
        return fontSize + (rows - 1) * row + 2 * (row / 2) + titleHeight;
    };
    int row = natural;
    while (row > fontSize + PANEL_MIN_ROW_GAP && height(row) > room)
        --row;
    return row;
}
