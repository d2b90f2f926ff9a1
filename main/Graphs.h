#pragma once
// The scrolling graphs of the networks and monitor views and the monitor's processor bars, drawn
// into plain 32-bit pixel images (0x00RRGGBB, rows top down) that the Win32 side shows as they are.
// Portable.

#include <cstdint>
#include <string>
#include <vector>

struct PixelImage {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // width x height, row by row
};

PixelImage MakePixelImage(int width, int height);
// Out-of-image reads give 0 and writes are dropped.
uint32_t PixelAt(const PixelImage& image, int x, int y);
void SetPixel(PixelImage& image, int x, int y, uint32_t pixel);
void FillRectangle(PixelImage& image, int x, int y, int width, int height, uint32_t pixel);

// A Windows colour value (0x00BBGGRR) as a pixel, and back.
uint32_t PixelOfColour(uint32_t colour);
uint32_t ColourOfPixel(uint32_t pixel);

// The graph grid's dark green and the rows a percentage is plotted on: 0 % on row 90, 100 % on 10.
constexpr uint32_t kGraphGridColour = 0x206000;
constexpr int kGraphTopRow = 10;
constexpr int kGraphBottomRow = 90;
constexpr int kGraphMinimumHeight = 91;
int GraphRow(int percent);
// The colour (0x00BBGGRR) of a gradient segment's point on row y: red at the top, green below.
uint32_t GradientColour(int y);

struct GraphLine {
    int key = 0;          // which line: an interface index, or the line's number
    int percent = 0;      // its current value, 0..100
    uint32_t colour = 0;  // 0x00BBGGRR, for a one-coloured line
    bool gradient = false;
};

struct ScrollingGraph {
    PixelImage image;
    int step = 0;  // 0..20; every tenth step draws, every twentieth adds a vertical grid line
    std::vector<std::pair<int, int>> previous;  // key and the value last plotted
};

ScrollingGraph MakeScrollingGraph(int width, int height);
// Moves the graph one pixel to the left; on every tenth step draws each line from its previous
// value to its current one over the last ten columns. A line seen for the first time starts level.
void StepGraph(ScrollingGraph& graph, const std::vector<GraphLine>& lines);

// The per-processor bars: ten-level boxes lit up to each processor's percentage, cut by black rows.
constexpr int kProcessorBarsHeight = 100;
constexpr uint32_t kProcessorLabelColour = 0x00FF00;  // 0x00BBGGRR
int ProcessorBarsWidth(size_t processorCount);
void DrawProcessorBars(PixelImage& image, const std::vector<int>& percents);

struct BarLabel {
    std::string text;
    int centreX = 0;
    int y = 0;
};
// Each bar's label: its percentage, with "%" while there are fewer than four processors.
std::vector<BarLabel> ProcessorBarLabels(const std::vector<int>& percents);
