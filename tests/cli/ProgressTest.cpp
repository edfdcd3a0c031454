// Progress reports: durations, the terminal bar and the periodic lines.

#include <gtest/gtest.h>

#include <sstream>

#include "tools/cli/Progress.h"

TEST(Progress, DurationsAsMinutesOrHours) {
    EXPECT_EQ(formatDuration(0), "0:00");
    EXPECT_EQ(formatDuration(61.4), "1:01");
    EXPECT_EQ(formatDuration(3661), "1:01:01");
    EXPECT_EQ(formatDuration(-1), "?");
}

TEST(Progress, BarShowsGenerationBestAndTimeLeftFromThePace) {
    std::ostringstream out;
    const Progress p(out, true, 100);
    const std::string bar = p.barText(25, 125, 578, 10.0);
    EXPECT_NE(bar.find("25/100"), std::string::npos);
    EXPECT_NE(bar.find("generation 125"), std::string::npos);
    EXPECT_NE(bar.find("best 578"), std::string::npos);
    EXPECT_NE(bar.find("left 0:30"), std::string::npos);
    EXPECT_NE(bar.find("[#######......."), std::string::npos);
}

TEST(Progress, PlainOutputWritesALineEveryFewSecondsOnly) {
    std::ostringstream out;
    Progress p(out, false, 1000);
    p.update(1, 1, 10, 0.01);
    p.update(2, 2, 11, 1.0);  // too soon
    p.update(3, 3, 12, 4.9);  // too soon
    p.update(4, 4, 13, 5.02); // five seconds after the first line
    p.finish();
    const std::string text = out.str();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2);
    EXPECT_NE(text.find("generation 4 (4/1000), best fitness 13"), std::string::npos);
    EXPECT_EQ(text.find('\r'), std::string::npos);
}

TEST(Progress, TerminalBarRedrawsInPlaceAndEndsItsLine) {
    std::ostringstream out;
    Progress p(out, true, 2);
    p.update(1, 1, 10, 0.0);
    p.update(2, 2, 20, 0.05); // the last step is always drawn
    p.finish();
    const std::string text = out.str();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 2);
    EXPECT_EQ(text.back(), '\n');
    EXPECT_NE(text.find("2/2"), std::string::npos);
}
