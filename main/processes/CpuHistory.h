#pragma once
// The geometry of a process's CPU history image: a strip that scrolls left by one bar per refresh,
// the newest bar at the right edge, its height the CPU share.

#include <cstdint>
#include <vector>

constexpr int kCpuHistoryHeight = 18;
constexpr int kCpuHistoryBarWidth = 2;
// The background image is drawn this high, shifted up by this much, so its top rows stay hidden.
constexpr int kCpuHistoryBackgroundHeight = 20;
constexpr int kCpuHistoryBackgroundTop = -2;
// The part of the main window's width that the list's other columns and frame take.
constexpr int kCpuHistoryWidthReserve = 334;
// Bounds for widths from a settings file that was edited by hand.
constexpr int kCpuHistoryMinimumWidth = kCpuHistoryBarWidth;
constexpr int kCpuHistoryMaximumWidth = 4096;

// The width of a new image for a main window this wide.
int CpuHistoryWidth(int windowWidth);

// The number of bar lines above the bottom line for a CPU share in percent: the share of 18 rows,
// rounded half up, 0 to 18.
int CpuHistoryBarHeight(float share);

// The colour (0x00BBGGRR) of the bar line at row y: red at the top, green at the bottom.
uint32_t CpuHistoryLineColour(int y);

// The colour (0x00BBGGRR) of row y of the background image: a dark strip, lighter at the top, with a
// faint line across the middle of the part that shows.
uint32_t CpuHistoryBackgroundColour(int y);

// One 2-pixel line of a bar.
struct CpuHistoryLine {
    int y;
    uint32_t colour;
};

// The lines of the bar for a share, from the bottom row (y = 18, just below the image) upwards to
// 18 - height. The bottom line lies outside the image: an idle process leaves no mark.
std::vector<CpuHistoryLine> CpuHistoryBar(float share);

// Fills an image's pixels (as below) with the background's rows as they show.
void FillCpuHistoryPixels(uint32_t* pixels, int width);
// Scrolls an image's pixels (kCpuHistoryHeight top-down rows of `width` pixels, 0x00RRGGBB as a
// 32-bit DIB holds them) left by one bar, and draws the new bar for the share at the right edge over
// the background's rows as they show.
void AdvanceCpuHistoryPixels(uint32_t* pixels, int width, float share);
