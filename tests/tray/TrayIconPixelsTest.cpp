// The tray icons' pictures, checked pixel by pixel.
#include <gtest/gtest.h>

#include <string>

#include "tray/NetworkTotals.h"
#include "tray/TrayIconPixels.h"

namespace {

const IconColours kColours;

char Letter(uint32_t pixel, uint32_t colour) {
    if (pixel == 0 || pixel == 0xFFFFFF) {
        return pixel == 0 ? 'K' : 'W';
    }
    return pixel == colour ? 'F' : pixel == HalfShade(colour) ? 'H' : pixel == StripeShade(colour) ? 'S' : '?';
}

// The rows of one column (x) from top to bottom as letters: F full colour, H half shade, S stripe,
// K black, W white, ? anything else.
std::string Column(const IconImage& image, int x, uint32_t colour) {
    std::string text;
    for (int y = 0; y < kTrayIconSide; ++y) {
        uint32_t pixel = PixelAt(image, x, y);
        text += Letter(pixel, colour);
    }
    return text;
}

std::string Row(const IconImage& image, int y, uint32_t colour) {
    std::string text;
    for (int x = 0; x < kTrayIconSide; ++x) {
        uint32_t pixel = PixelAt(image, x, y);
        text += Letter(pixel, colour);
    }
    return text;
}

// The set pixels of a row of the value icon as '#' and '.'.
std::string DigitRow(const IconImage& image, int y) {
    std::string text;
    for (int x = 0; x < kTrayIconSide; ++x) {
        text += PixelAt(image, x, y) == kIconDigitColour ? '#' : '.';
    }
    return text;
}

TEST(TrayIconPixels, ShadesHalveAndDivideEachComponent) {
    EXPECT_EQ(HalfShade(0x00FFFF), 0x007F7Fu);
    EXPECT_EQ(StripeShade(0x00FFFF), 0x00AAAAu);
    EXPECT_EQ(StripeShade(0x010204), 0x010103u);  // 4/1.5 = 2.67 -> 3, 2 -> 1, 1 -> 1
}

TEST(TrayIconPixels, HardwareBarsFramesAndStripes) {
    IconImage image;
    HardwareFigures figures{100, 50, 100, 0, 100};
    DrawHardwareIcon(image, figures, kColours);
    // A full CPU bar: 14 rows, stripes on the odd rows 1 to 13, in the frame.
    EXPECT_EQ(Column(image, 2, kColours.cpu), "KSFSFSFSFSFSFSFK");
    // RAM half used: 7 rows from the bottom, stripes only inside the fill.
    EXPECT_EQ(Column(image, 7, kColours.ram), "KHHHHHHHFSFSFSFK");
    // No swap in use: only the half shade.
    EXPECT_EQ(Column(image, 12, kColours.swap), "KHHHHHHHHHHHHHHK");
    EXPECT_EQ(Row(image, 0, 0), "WKKKKKKKKKKKKKKW");
    EXPECT_EQ(Column(image, 0, 0), "WKKKKKKKKKKKKKKW");
    EXPECT_EQ(Column(image, 5, 0), "KKKKKKKKKKKKKKKK");
    EXPECT_EQ(Column(image, 10, 0), "KKKKKKKKKKKKKKKK");

    figures.cpuPercent = 0;
    DrawHardwareIcon(image, figures, kColours);
    EXPECT_EQ(Column(image, 1, kColours.cpu), "KHHHHHHHHHHHHHHK");
    // An odd height keeps its stripes inside the fill too (a 1-row bar has none).
    EXPECT_EQ(CpuBarHeight(7), 1);
    figures.cpuPercent = 7;
    DrawHardwareIcon(image, figures, kColours);
    EXPECT_EQ(Column(image, 1, kColours.cpu), "KHHHHHHHHHHHHHFK");
}

TEST(TrayIconPixels, BarHeightsRoundCpuAndTruncateMemory) {
    EXPECT_EQ(CpuBarHeight(3), 0);   // 0.42
    EXPECT_EQ(CpuBarHeight(4), 1);   // 0.56
    EXPECT_EQ(CpuBarHeight(25), 4);  // 3.5 rounds up
    EXPECT_EQ(CpuBarHeight(-1), 0);
    EXPECT_EQ(MemoryBarHeight(99, 100), 13);
    EXPECT_EQ(MemoryBarHeight(5, 0), 0);
    // 64-bit sizes do not overflow.
    EXPECT_EQ(MemoryBarHeight(3ull << 40, 4ull << 40), 10);
}

TEST(TrayIconPixels, NetworkBarsStripesAndFrame) {
    IconImage image;
    DrawNetworkIcon(image, 500, 0, 1000, 0, kColours);
    // Incoming half of the maximum: 7 columns filled, stripes on even columns.
    EXPECT_EQ(Row(image, 3, kColours.netInput), "KFSFSFSFHHHHHHHK");
    EXPECT_EQ(Row(image, 7, 0), "KKKKKKKKKKKKKKKK");
    // Nothing outgoing before any traffic: background only, bottom frame at row 14.
    EXPECT_EQ(Row(image, 10, kColours.netOutput), "KHHHHHHHHHHHHHHK");
    EXPECT_EQ(Row(image, 14, 0), "WKKKKKKKKKKKKKKW");
    EXPECT_EQ(Row(image, 15, 0), "WWWWWWWWWWWWWWWW");
    EXPECT_EQ(NetworkBarWidth(1000, 1000), 14);
    EXPECT_EQ(NetworkBarWidth(5, 0), 0);
}

TEST(TrayIconPixels, ValueIconRoundsKilobytesUpAndAlignsRight) {
    IconImage image;
    DrawValueIcon(image, 1, 0);
    EXPECT_EQ(DigitRow(image, 2), "...............#");
    EXPECT_EQ(DigitRow(image, 3), "..............##");
    EXPECT_EQ(DigitRow(image, 6), "...............#");
    EXPECT_EQ(DigitRow(image, 9), ".............###");
    EXPECT_EQ(DigitRow(image, 10), ".............#.#");
    EXPECT_EQ(DigitRow(image, 1), "................");

    // 12 345 kB: "12345" is 3+4+4+4+4-1 = 18 wide, so its first columns fall off the left edge.
    DrawValueIcon(image, 12345000, 2001);
    EXPECT_EQ(NumberWidth("12345"), 18);
    EXPECT_EQ(DigitRow(image, 2), ".###.###.#.#.###");  // "2345"; the "1" lies left of x = 0
    EXPECT_EQ(DigitRow(image, 5), ".#.....#...#...#");
    EXPECT_EQ(DigitRow(image, 9), ".............###");  // 2001 octets are 3 kB
}

TEST(TrayIconPixels, TooltipPercentsIn64BitArithmetic) {
    HardwareFigures figures{42, 3ull << 32, 4ull << 32, 1, 3};
    EXPECT_EQ(HardwareTooltip(figures), "CPU: 42%\r\nRAM: 75%\r\nSwap: 33%");
    figures.swapTotal = 0;
    EXPECT_EQ(HardwareTooltip(figures), "CPU: 42%\r\nRAM: 75%\r\nSwap: 0%");
}

TEST(NetworkTotals, CountersWrapResetAndNewInterfaces) {
    NetworkTotalsSampler sampler;
    StartNetworkTotals(sampler, {{1, 100, 4294967000u, false}});
    // Interface 1 wrapped its outgoing counter; interface 2 is new and counts nothing yet.
    NetworkTotals totals = SampleNetworkTotals(sampler, {{1, 1100, 704}, {2, 999999, 999999}});
    EXPECT_EQ(totals.incoming, 1000u);
    EXPECT_EQ(totals.outgoing, 1000u);
    // 64-bit counters do not wrap at 4 GiB.
    EXPECT_EQ(CounterAdvance(4294967000u, 4294968000u, true), 1000u);
    // Interface 2 was reset: it counts 0, not 4 GiB; interface 1 went away.
    totals = SampleNetworkTotals(sampler, {{2, 50, 60}});
    EXPECT_EQ(totals.incoming, 0u);
    EXPECT_EQ(totals.outgoing, 0u);
    // Interface 1 comes back: compared with its own first figure again, not with an old one.
    totals = SampleNetworkTotals(sampler, {{1, 5, 5}, {2, 150, 60}});
    EXPECT_EQ(totals.incoming, 100u);
    EXPECT_EQ(sampler.incomingMaximum, 1000.0);
}

TEST(NetworkTotals, MaximaDecayFivePercentPerRefresh) {
    NetworkTotalsSampler sampler;
    StartNetworkTotals(sampler, {{1, 0, 0}});
    SampleNetworkTotals(sampler, {{1, 10000, 0}});
    DecayNetworkMaxima(sampler);
    EXPECT_DOUBLE_EQ(sampler.incomingMaximum, 9500.0);
    DecayNetworkMaxima(sampler);
    EXPECT_DOUBLE_EQ(sampler.incomingMaximum, 9025.0);
    // A steady small flow fills the shrinking scale more and more.
    EXPECT_EQ(NetworkBarWidth(1000, sampler.incomingMaximum), 1);
    for (int second = 0; second < 40; ++second) {
        DecayNetworkMaxima(sampler);
    }
    EXPECT_EQ(NetworkBarWidth(1000, sampler.incomingMaximum), 12);  // 14 x 1000 / 1160
}

}  // namespace
