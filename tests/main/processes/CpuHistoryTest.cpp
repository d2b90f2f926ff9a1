// The CPU history image's arithmetic: its width, bar heights and colours.

#include "main/processes/CpuHistory.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "main/processes/NumberedStore.h"

namespace {

TEST(CpuHistoryTest, WidthIsTheWindowWidthLessTheReserveWithinBounds) {
    EXPECT_EQ(CpuHistoryWidth(640), 306);
    EXPECT_EQ(CpuHistoryWidth(1280), 946);
    EXPECT_EQ(CpuHistoryWidth(336), 2);
    // A hand-edited settings file: a tiny or negative width still gives a drawable image, a huge
    // one no image of gigabytes per process.
    EXPECT_EQ(CpuHistoryWidth(0), kCpuHistoryMinimumWidth);
    EXPECT_EQ(CpuHistoryWidth(INT_MIN), kCpuHistoryMinimumWidth);
    EXPECT_EQ(CpuHistoryWidth(INT_MAX), kCpuHistoryMaximumWidth);
}

TEST(CpuHistoryTest, BarHeightIsTheShareOfEighteenRowsRoundedHalfUp) {
    EXPECT_EQ(CpuHistoryBarHeight(0.0f), 0);
    EXPECT_EQ(CpuHistoryBarHeight(2.7f), 0);   // 0.486
    EXPECT_EQ(CpuHistoryBarHeight(2.8f), 1);   // 0.504
    EXPECT_EQ(CpuHistoryBarHeight(25.0f), 5);  // 4.5 exactly goes up
    EXPECT_EQ(CpuHistoryBarHeight(50.0f), 9);
    EXPECT_EQ(CpuHistoryBarHeight(97.0f), 17);  // 17.46
    EXPECT_EQ(CpuHistoryBarHeight(100.0f), 18);
    // Shares come clamped, but a bar never leaves the image whatever it is given.
    EXPECT_EQ(CpuHistoryBarHeight(250.0f), 18);
    EXPECT_EQ(CpuHistoryBarHeight(-5.0f), 0);
    EXPECT_EQ(CpuHistoryBarHeight(std::numeric_limits<float>::quiet_NaN()), 0);
    EXPECT_EQ(CpuHistoryBarHeight(std::numeric_limits<float>::infinity()), 18);
}

TEST(CpuHistoryTest, LinesRunFromGreenAtTheBottomToRedAtTheTop) {
    EXPECT_EQ(CpuHistoryLineColour(0), 0x0000FFu);   // red 255, green 0
    EXPECT_EQ(CpuHistoryLineColour(1), 0x000EF1u);   // red 241, green 14
    EXPECT_EQ(CpuHistoryLineColour(17), 0x00EE11u);  // red 17, green 238
    EXPECT_EQ(CpuHistoryLineColour(18), 0x00FC03u);  // red 3, green 252

    // An idle process: only the line just below the image.
    std::vector<CpuHistoryLine> idle = CpuHistoryBar(0.0f);
    ASSERT_EQ(idle.size(), 1u);
    EXPECT_EQ(idle[0].y, kCpuHistoryHeight);

    std::vector<CpuHistoryLine> half = CpuHistoryBar(50.0f);
    ASSERT_EQ(half.size(), 10u);  // y = 18 down to 9
    for (size_t i = 0; i < half.size(); ++i) {
        EXPECT_EQ(half[i].y, 18 - static_cast<int>(i));
        EXPECT_EQ(half[i].colour, CpuHistoryLineColour(half[i].y));
    }

    std::vector<CpuHistoryLine> full = CpuHistoryBar(100.0f);
    ASSERT_EQ(full.size(), 19u);
    EXPECT_EQ(full.back().y, 0);
    EXPECT_EQ(full.back().colour, 0x0000FFu);
}

TEST(CpuHistoryTest, BackgroundDarkensDownwardsWithALineAtTheMiddle) {
    EXPECT_EQ(CpuHistoryBackgroundColour(0), 0x2E2A26u);  // 46, 42, 38 as blue, green, red
    EXPECT_EQ(CpuHistoryBackgroundColour(19), 0x1B1713u);
    EXPECT_EQ(CpuHistoryBackgroundColour(11), 0x3E463Au);  // 2 rows hidden above, then the middle
}

TEST(CpuHistoryTest, PixelsScrollLeftByOneBarAndTheNewBarStandsOnTheBackground) {
    const int width = 5;
    std::vector<uint32_t> pixels(width * kCpuHistoryHeight);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = static_cast<uint32_t>(i);
    AdvanceCpuHistoryPixels(pixels.data(), width, 50.0f);  // 9 rows above the bottom: rows 9 to 17
    for (int y = 0; y < kCpuHistoryHeight; ++y) {
        const uint32_t* row = &pixels[y * width];
        EXPECT_EQ(row[0], static_cast<uint32_t>(y * width + 2)) << y;
        EXPECT_EQ(row[2], static_cast<uint32_t>(y * width + 4)) << y;
        // A DIB pixel is 0x00RRGGBB where the colours are 0x00BBGGRR.
        uint32_t colour = y >= 9 ? CpuHistoryLineColour(y) : CpuHistoryBackgroundColour(y + 2);
        uint32_t expected = ((colour & 0xFF) << 16) | (colour & 0xFF00) | (colour >> 16);
        EXPECT_EQ(row[3], expected) << y;
        EXPECT_EQ(row[4], expected) << y;
    }
}

}  // namespace

TEST(NumberedStoreTest, NumbersAreNeverHandedOutTwice) {
    NumberedStore<std::string> store;
    int first = AddNumbered(store, std::string("a"));
    int second = AddNumbered(store, std::string("b"));
    std::string taken;
    EXPECT_TRUE(TakeNumbered(store, first, taken));
    EXPECT_EQ(taken, "a");
    EXPECT_FALSE(TakeNumbered(store, first, taken)) << "taken once";
    EXPECT_EQ(FindNumbered(store, first), nullptr);
    int third = AddNumbered(store, std::string("c"));
    EXPECT_NE(third, first);
    EXPECT_NE(third, second);
    EXPECT_EQ(TakeAllNumbered(store), (std::vector<std::string>{"b", "c"}));
    EXPECT_TRUE(store.things.empty());
    EXPECT_GT(AddNumbered(store, std::string("d")), third) << "numbering goes on after emptying";
}
