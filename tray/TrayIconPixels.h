#pragma once
// The tray icons' pictures, drawn pixel by pixel into a 16 x 16 image: the hardware icon's three
// upright bars, the network icon's two lying bars and the value icon's numbers in a 3 x 5 font.
// Pure white is the transparent background, so the drawing never uses it; colours are 0x00BBGGRR.

#include <array>
#include <cstdint>
#include <string>

constexpr int kTrayIconSide = 16;
constexpr uint32_t kIconBackground = 0xFFFFFF;
constexpr uint32_t kIconFrame = 0x000000;
constexpr uint32_t kIconDigitColour = 0xFFFFFE;

struct IconImage {
    std::array<uint32_t, kTrayIconSide * kTrayIconSide> pixels{};
};

// Outside the image: the background colour.
uint32_t PixelAt(const IconImage& image, int x, int y);

// Each component halved (bar backgrounds), and divided by 1.5 to the nearest (stripes).
uint32_t HalfShade(uint32_t colour);
uint32_t StripeShade(uint32_t colour);

struct HardwareFigures {
    int cpuPercent = 0;  // -1 when the load could not be measured
    uint64_t ramUsed = 0;
    uint64_t ramTotal = 0;
    uint64_t swapUsed = 0;
    uint64_t swapTotal = 0;
};

struct IconColours {
    uint32_t cpu = 0xFFFFFE;
    uint32_t ram = 0x00FFFF;
    uint32_t swap = 0x00FFFF;
    uint32_t netInput = 0x00FF00;
    uint32_t netOutput = 0x0000FF;
};

// Bar heights out of 14: the CPU share rounded half up, memory truncated.
int CpuBarHeight(int cpuPercent);
int MemoryBarHeight(uint64_t used, uint64_t total);
// The width out of 14 of a network bar; 0 before any traffic (maximum 0).
int NetworkBarWidth(uint64_t total, double maximum);

void DrawHardwareIcon(IconImage& image, const HardwareFigures& figures, const IconColours& colours);
void DrawNetworkIcon(IconImage& image,
                     uint64_t incoming,
                     uint64_t outgoing,
                     double incomingMaximum,
                     double outgoingMaximum,
                     const IconColours& colours);
// The kilobytes (rounded up) of the last second, incoming above, outgoing below, right-aligned.
void DrawValueIcon(IconImage& image, uint64_t incoming, uint64_t outgoing);

// The pen's advance after a digit, and the width of a number's digits; other characters are skipped.
int DigitAdvance(char digit);
int NumberWidth(const std::string& digits);
// Draws the digits with their last column at `rightX`; pixels outside the image are left out.
void DrawNumberRightAligned(IconImage& image, const std::string& digits, int rightX, int topY, uint32_t colour);

// The hardware icon's tooltip: "CPU: n%", RAM and swap on lines of their own.
std::string HardwareTooltip(const HardwareFigures& figures);
