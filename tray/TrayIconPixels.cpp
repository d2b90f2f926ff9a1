#include "tray/TrayIconPixels.h"

#include <algorithm>

namespace {

constexpr int kBarLength = 14;

// Rows top to bottom, three columns each, bit 2 the left one.
constexpr uint8_t kDigitRows[10][5] = {
    {7, 5, 5, 5, 7}, {2, 6, 2, 2, 2}, {7, 1, 7, 4, 7}, {7, 1, 7, 1, 7}, {5, 5, 7, 1, 1},
    {7, 4, 7, 1, 7}, {7, 4, 7, 5, 7}, {7, 5, 1, 1, 1}, {7, 5, 7, 5, 7}, {7, 5, 7, 1, 7},
};

uint32_t Component(uint32_t colour, int shift) {
    return (colour >> shift) & 0xFF;
}

uint32_t Compose(uint32_t red, uint32_t green, uint32_t blue) {
    return red | (green << 8) | (blue << 16);
}

void SetPixel(IconImage& image, int x, int y, uint32_t colour) {
    if (x >= 0 && x < kTrayIconSide && y >= 0 && y < kTrayIconSide) {
        image.pixels[static_cast<size_t>(y * kTrayIconSide + x)] = colour;
    }
}

void FillBox(IconImage& image, int x, int y, int width, int height, uint32_t colour) {
    for (int row = y; row < y + height; ++row) {
        for (int column = x; column < x + width; ++column) {
            SetPixel(image, column, row, colour);
        }
    }
}

void Fill(IconImage& image, uint32_t colour) {
    image.pixels.fill(colour);
}

// An upright bar of four columns at x, filled from the bottom up; the stripes lie inside the fill.
void DrawUprightBar(IconImage& image, int x, int height, uint32_t colour) {
    FillBox(image, x, 1, 4, kBarLength, HalfShade(colour));
    FillBox(image, x, 15 - height, 4, height, colour);
    for (int y = 13; y >= 15 - height; y -= 2) {
        FillBox(image, x, y, 4, 1, StripeShade(colour));
    }
}

// A lying bar of six rows at y over a background of seven, filled from the left.
void DrawLyingBar(IconImage& image, int y, int width, uint32_t colour) {
    FillBox(image, 1, y, kBarLength, 7, HalfShade(colour));
    if (width <= 0) {
        return;
    }
    FillBox(image, 1, y, width, 6, colour);
    for (int x = 2; x <= width; x += 2) {
        FillBox(image, x, y, 1, 6, StripeShade(colour));
    }
}

uint64_t KilobytesRoundedUp(uint64_t octets) {
    return octets / 1000 + (octets % 1000 != 0 ? 1 : 0);
}

uint64_t PercentOfTotal(uint64_t used, uint64_t total) {
    return total == 0 ? 0 : used * 100 / total;
}

}  // namespace

uint32_t PixelAt(const IconImage& image, int x, int y) {
    if (x < 0 || x >= kTrayIconSide || y < 0 || y >= kTrayIconSide) {
        return kIconBackground;
    }
    return image.pixels[static_cast<size_t>(y * kTrayIconSide + x)];
}

uint32_t HalfShade(uint32_t colour) {
    return Compose(Component(colour, 0) / 2, Component(colour, 8) / 2, Component(colour, 16) / 2);
}

uint32_t StripeShade(uint32_t colour) {
    // c / 1.5 = 2c / 3, whose fraction is never one half.
    auto shade = [](uint32_t c) { return (2 * c + 1) / 3; };
    return Compose(shade(Component(colour, 0)), shade(Component(colour, 8)), shade(Component(colour, 16)));
}

int CpuBarHeight(int cpuPercent) {
    int percent = std::clamp(cpuPercent, 0, 100);
    return (percent * kBarLength + 50) / 100;
}

int MemoryBarHeight(uint64_t used, uint64_t total) {
    if (total == 0) {
        return 0;
    }
    return static_cast<int>(std::min(used, total) * kBarLength / total);
}

int NetworkBarWidth(uint64_t total, double maximum) {
    if (total == 0 || !(maximum > 0)) {
        return 0;
    }
    double width = static_cast<double>(total) * kBarLength / maximum;
    return std::clamp(static_cast<int>(width), 0, kBarLength);
}

void DrawHardwareIcon(IconImage& image, const HardwareFigures& figures, const IconColours& colours) {
    Fill(image, kIconBackground);
    DrawUprightBar(image, 1, CpuBarHeight(figures.cpuPercent), colours.cpu);
    DrawUprightBar(image, 6, MemoryBarHeight(figures.ramUsed, figures.ramTotal), colours.ram);
    DrawUprightBar(image, 11, MemoryBarHeight(figures.swapUsed, figures.swapTotal), colours.swap);
    FillBox(image, 1, 0, kBarLength, 1, kIconFrame);
    FillBox(image, 1, 15, kBarLength, 1, kIconFrame);
    FillBox(image, 0, 1, 1, kBarLength, kIconFrame);
    FillBox(image, 15, 1, 1, kBarLength, kIconFrame);
    FillBox(image, 5, 0, 1, kTrayIconSide, kIconFrame);
    FillBox(image, 10, 0, 1, kTrayIconSide, kIconFrame);
}

void DrawNetworkIcon(IconImage& image,
                     uint64_t incoming,
                     uint64_t outgoing,
                     double incomingMaximum,
                     double outgoingMaximum,
                     const IconColours& colours) {
    Fill(image, kIconBackground);
    DrawLyingBar(image, 1, NetworkBarWidth(incoming, incomingMaximum), colours.netInput);
    DrawLyingBar(image, 8, NetworkBarWidth(outgoing, outgoingMaximum), colours.netOutput);
    FillBox(image, 1, 0, kBarLength, 1, kIconFrame);
    FillBox(image, 1, 14, kBarLength, 1, kIconFrame);
    FillBox(image, 0, 1, 1, 13, kIconFrame);
    FillBox(image, 15, 1, 1, 13, kIconFrame);
    FillBox(image, 0, 7, kTrayIconSide, 1, kIconFrame);
}

void DrawValueIcon(IconImage& image, uint64_t incoming, uint64_t outgoing) {
    Fill(image, kIconBackground);
    DrawNumberRightAligned(image, std::to_string(KilobytesRoundedUp(incoming)), 15, 2, kIconDigitColour);
    DrawNumberRightAligned(image, std::to_string(KilobytesRoundedUp(outgoing)), 15, 9, kIconDigitColour);
}

int DigitAdvance(char digit) {
    if (digit < '0' || digit > '9') {
        return 0;
    }
    return digit == '1' ? 3 : 4;
}

int NumberWidth(const std::string& digits) {
    int width = 0;
    for (char digit : digits) {
        width += DigitAdvance(digit);
    }
    return width > 0 ? width - 1 : 0;
}

void DrawNumberRightAligned(IconImage& image, const std::string& digits, int rightX, int topY, uint32_t colour) {
    int pen = rightX - NumberWidth(digits) + 1;
    for (char digit : digits) {
        if (DigitAdvance(digit) == 0) {
            continue;
        }
        const uint8_t* rows = kDigitRows[digit - '0'];
        for (int row = 0; row < 5; ++row) {
            for (int column = 0; column < 3; ++column) {
                if (rows[row] & (4 >> column)) {
                    SetPixel(image, pen + column, topY + row, colour);
                }
            }
        }
        pen += DigitAdvance(digit);
    }
}

std::string HardwareTooltip(const HardwareFigures& figures) {
    return "CPU: " + std::to_string(figures.cpuPercent) +
           "%\r\nRAM: " + std::to_string(PercentOfTotal(figures.ramUsed, figures.ramTotal)) +
           "%\r\nSwap: " + std::to_string(PercentOfTotal(figures.swapUsed, figures.swapTotal)) + "%";
}
