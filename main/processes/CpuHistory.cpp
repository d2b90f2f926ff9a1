#include "main/processes/CpuHistory.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "foundation/ValueFormatting.h"

int CpuHistoryWidth(int windowWidth) {
    // Computed in 64 bits: a width near INT_MIN must not wrap into a huge image.
    int64_t width = static_cast<int64_t>(windowWidth) - kCpuHistoryWidthReserve;
    return static_cast<int>(std::clamp<int64_t>(width, kCpuHistoryMinimumWidth, kCpuHistoryMaximumWidth));
}

int CpuHistoryBarHeight(float share) {
    if (!(share > 0.0f))  // also NaN
        return 0;
    int64_t rows = RoundHalfUp(static_cast<double>(share) * kCpuHistoryHeight / 100.0);
    return static_cast<int>(std::clamp<int64_t>(rows, 0, kCpuHistoryHeight));
}

uint32_t CpuHistoryLineColour(int y) {
    int green = std::clamp(14 * y, 0, 255);
    int red = 255 - green;
    return static_cast<uint32_t>(red) | (static_cast<uint32_t>(green) << 8);
}

uint32_t CpuHistoryBackgroundColour(int y) {
    constexpr int kGridRow = -kCpuHistoryBackgroundTop + kCpuHistoryHeight / 2;
    if (y == kGridRow)
        return 58 | (70 << 8) | (62 << 16);
    int shade = 46 - y;
    return static_cast<uint32_t>(shade - 8) | (static_cast<uint32_t>(shade - 4) << 8) |
           (static_cast<uint32_t>(shade) << 16);
}

std::vector<CpuHistoryLine> CpuHistoryBar(float share) {
    std::vector<CpuHistoryLine> lines;
    int top = kCpuHistoryHeight - CpuHistoryBarHeight(share);
    for (int y = kCpuHistoryHeight; y >= top; --y)
        lines.push_back({y, CpuHistoryLineColour(y)});
    return lines;
}

namespace {

// 0x00BBGGRR as a DIB pixel.
uint32_t DibPixel(uint32_t colour) {
    return ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
}

void FillBarRow(uint32_t* row, int from, int width, uint32_t colour) {
    for (int x = std::max(from, 0); x < width; ++x)
        row[x] = colour;
}

}  // namespace

void FillCpuHistoryPixels(uint32_t* pixels, int width) {
    for (int y = 0; pixels != nullptr && y < kCpuHistoryHeight; ++y)
        FillBarRow(pixels + static_cast<size_t>(y) * static_cast<size_t>(width), 0, width,
                   DibPixel(CpuHistoryBackgroundColour(y - kCpuHistoryBackgroundTop)));
}

void AdvanceCpuHistoryPixels(uint32_t* pixels, int width, float share) {
    if (pixels == nullptr || width <= 0)
        return;
    const int right = width - kCpuHistoryBarWidth;
    for (int y = 0; y < kCpuHistoryHeight; ++y) {
        uint32_t* row = pixels + static_cast<size_t>(y) * static_cast<size_t>(width);
        if (right > 0)
            std::memmove(row, row + kCpuHistoryBarWidth, static_cast<size_t>(right) * sizeof(uint32_t));
        FillBarRow(row, right, width, DibPixel(CpuHistoryBackgroundColour(y - kCpuHistoryBackgroundTop)));
    }
    for (const CpuHistoryLine& line : CpuHistoryBar(share)) {
        if (line.y < kCpuHistoryHeight)  // the bottom line lies below the image
            FillBarRow(pixels + static_cast<size_t>(line.y) * static_cast<size_t>(width), right, width,
                       DibPixel(line.colour));
    }
}
