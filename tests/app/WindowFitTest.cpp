#include <gtest/gtest.h>

#include "app/WindowFit.h"

TEST(WindowFitTest, RoomyDesktopsKeepTheUsualWindow) {
    for (const ScreenRect area : {ScreenRect{0, 0, 1920, 1080}, ScreenRect{0, 27, 1920, 1053},
                                  ScreenRect{0, 0, 1698, 1005}}) {
        const ScreenRect w = fitStartWindow(area);
        EXPECT_EQ(w.x, 20);
        EXPECT_EQ(w.y, 50);
        EXPECT_EQ(w.width, 1678);
        EXPECT_EQ(w.height, 955);
    }
}

TEST(WindowFitTest, SmallDesktopsGetTheLargestWindowOfTheSameShapeInsideTheWorkArea) {
    for (const ScreenRect area :
         {ScreenRect{0, 0, 1366, 768}, ScreenRect{0, 0, 1280, 720}, ScreenRect{0, 32, 1366, 736},
          ScreenRect{64, 0, 1216, 800}, ScreenRect{0, 0, 1000, 650}}) {
        const ScreenRect w = fitStartWindow(area);
        EXPECT_GE(w.x, area.x);
        EXPECT_GE(w.y - FRAME_TITLE_ALLOWANCE, area.y);
        EXPECT_LE(w.x + w.width, area.x + area.width);
        EXPECT_LE(w.y + w.height, area.y + area.height);
        EXPECT_NEAR(static_cast<double>(w.width) / w.height, 1678.0 / 955.0, 0.005);
        // Largest: one of the two sides uses up its room.
        const bool widthFull = w.width + 1 > area.width - 2 * FRAME_BORDER_ALLOWANCE - 1;
        const bool heightFull =
            w.height + 1 > area.height - FRAME_TITLE_ALLOWANCE - FRAME_BORDER_ALLOWANCE - 1;
        EXPECT_TRUE(widthFull || heightFull) << area.width << "x" << area.height;
    }
}

// The frame's outer edges for a client area.
ScreenRect outerFrame(const ScreenRect& c, const FrameExtents& f) {
    return ScreenRect{c.x - f.left, c.y - f.top, c.width + f.left + f.right,
                      c.height + f.top + f.bottom};
}

TEST(WindowFitTest, FramedWindowIsMovedOrShrunkIntoTheWorkArea) {
    const FrameExtents frame{1, 1, 20, 5};
    const ScreenRect screen{0, 0, 1366, 768};
    // Fits: left alone.
    const ScreenRect inside{21, 40, 1261, 718};
    const ScreenRect kept = fitFramedWindow(inside, frame, screen);
    EXPECT_EQ(kept.x, 21);
    EXPECT_EQ(kept.y, 40);
    EXPECT_EQ(kept.height, 718);
    // The frame's bottom 15 pixels off the screen: moved up, same size.
    const ScreenRect moved = fitFramedWindow(ScreenRect{21, 60, 1261, 718}, frame, screen);
    EXPECT_EQ(moved.y, 768 - 5 - 718);
    EXPECT_EQ(moved.x, 21);
    EXPECT_EQ(moved.width, 1261);
    // Larger than the work area (a panel at the top): the largest of the same
    // shape, frame and all inside.
    const ScreenRect area{0, 32, 1366, 736};
    const ScreenRect shrunk = fitFramedWindow(ScreenRect{20, 50, 1678, 955}, frame, area);
    const ScreenRect outer = outerFrame(shrunk, frame);
    EXPECT_GE(outer.x, area.x);
    EXPECT_GE(outer.y, area.y);
    EXPECT_LE(outer.x + outer.width, area.x + area.width);
    EXPECT_LE(outer.y + outer.height, area.y + area.height);
    EXPECT_GE(shrunk.height, 736 - 25 - 1); // the height uses up its room
    EXPECT_NEAR(static_cast<double>(shrunk.width) / shrunk.height, 1678.0 / 955.0, 0.005);
}

TEST(WindowFitTest, PanelScrollsOnlyAsFarAsItOverflows) {
    // 700 pixels of panel below y = 80 in a 557-pixel window: 229 too many.
    EXPECT_EQ(limitPanelScroll(1000, 80, 700, 557), 80 + 700 + PANEL_BOTTOM_MARGIN - 557);
    EXPECT_EQ(limitPanelScroll(50, 80, 700, 557), 50);
    EXPECT_EQ(limitPanelScroll(-30, 80, 700, 557), 0);
    // A panel that fits never moves.
    EXPECT_EQ(limitPanelScroll(100, 80, 400, 955), 0);
}

TEST(WindowFitTest, StagePanelsNeverOverlap) {
    const auto overlap = [](const std::vector<PanelSpot>& s, const std::vector<int>& w,
                            const std::vector<int>& h) {
        for (size_t a = 0; a < s.size(); ++a)
            for (size_t b = a + 1; b < s.size(); ++b)
                if (s[a].x < s[b].x + w[b] && s[b].x < s[a].x + w[a] && s[a].y < s[b].y + h[b] &&
                    s[b].y < s[a].y + h[a])
                    return true;
        return false;
    };
    const std::vector<int> heights{300, 200, 100, 80};
    // Roomy: every panel where it wished to be.
    std::vector<int> widths{180, 200, 170, 190};
    std::vector<PanelSpot> s =
        placePanelsInRows({0, 210, 420, 630}, widths, heights, 300, 0, 1100, 4);
    EXPECT_EQ(s[1].x, 210);
    EXPECT_EQ(s[3].x, 630);
    EXPECT_EQ(s[3].y, 300);
    // Wider panels than their cells: one row, pushed apart and back inside.
    widths = {205, 216, 176, 198};
    s = placePanelsInRows({5, 215, 425, 635}, widths, heights, 300, 0, 840, 4);
    EXPECT_FALSE(overlap(s, widths, heights));
    EXPECT_EQ(s[3].y, 300);
    EXPECT_LE(s[3].x + widths[3], 840);
    // Too wide for one row: wrapped below, still no overlap, inside the bounds.
    widths = {290, 300, 240, 270};
    s = placePanelsInRows({5, 215, 425, 635}, widths, heights, 300, 0, 1000, 4);
    EXPECT_FALSE(overlap(s, widths, heights));
    EXPECT_GT(s[3].y, 300);
    for (size_t k = 0; k < s.size(); ++k) {
        EXPECT_GE(s[k].x, 0);
        EXPECT_LE(s[k].x + widths[k], 1000);
    }
}

TEST(WindowFitTest, PanelRowsTightenToFitThenStop) {
    // The control panel's 25 rows in the small font: 24-pixel rows need 632
    // pixels.
    EXPECT_EQ(fittingRowHeight(24, 16, 16, 25, 632), 24);
    EXPECT_EQ(fittingRowHeight(24, 16, 16, 25, 900), 24);
    EXPECT_EQ(fittingRowHeight(24, 16, 16, 25, 564), 21); // a 650-pixel window
    EXPECT_LE(16 + 24 * 21 + 2 * 10 + 16, 564);
    // Never tighter than the font and a little space.
    EXPECT_EQ(fittingRowHeight(24, 16, 16, 25, 300), 16 + PANEL_MIN_ROW_GAP);
}
