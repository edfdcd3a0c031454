#include <gtest/gtest.h>

#include "app/WindowFit.h"

TEST(WindowFitTest, RoomyDesktopsKeepTheUsualWindow)
{
    for (const ScreenRect area : {ScreenRect{0, 0, 1920, 1080}, ScreenRect{0, 27, 1920, 1053},
                                  ScreenRect{0, 0, 1698, 1005}}) {
        const ScreenRect w = fitStartWindow(area);
        EXPECT_EQ(w.x, 20);
        EXPECT_EQ(w.y, 50);
        EXPECT_EQ(w.width, 1678);
        EXPECT_EQ(w.height, 955);
    }
}

TEST(WindowFitTest, SmallDesktopsGetTheLargestWindowOfTheSameShapeInsideTheWorkArea)
{
    for (const ScreenRect area : {ScreenRect{0, 0, 1366, 768}, ScreenRect{0, 0, 1280, 720},
                                  ScreenRect{0, 32, 1366, 736}, ScreenRect{64, 0, 1216, 800},
                                  ScreenRect{0, 0, 1000, 650}}) {
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

TEST(WindowFitTest, PanelScrollsOnlyAsFarAsItOverflows)
{
    // 700 pixels of panel below y = 80 in a 557-pixel window: 229 too many.
    EXPECT_EQ(limitPanelScroll(1000, 80, 700, 557), 80 + 700 + PANEL_BOTTOM_MARGIN - 557);
    EXPECT_EQ(limitPanelScroll(50, 80, 700, 557), 50);
    EXPECT_EQ(limitPanelScroll(-30, 80, 700, 557), 0);
    // A panel that fits never moves.
    EXPECT_EQ(limitPanelScroll(100, 80, 400, 955), 0);
}
