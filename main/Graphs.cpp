#include "main/Graphs.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr uint32_t kBlack = 0;
constexpr int kGridRows[] = {10, 90, 30, 50, 70};
constexpr int kSegmentWidth = 10;

int ClampComponent(int value) {
    return std::clamp(value, 0, 255);
}

uint32_t Colour(int red, int green, int blue) {
    return static_cast<uint32_t>(ClampComponent(red)) | static_cast<uint32_t>(ClampComponent(green)) << 8 |
           static_cast<uint32_t>(ClampComponent(blue)) << 16;
}

// a / b rounded half up, for b > 0.
int DivideRounded(int a, int b) {
    int doubled = 2 * a + b;
    int quotient = doubled / (2 * b);
    if (doubled % (2 * b) != 0 && doubled < 0)
        --quotient;
    return quotient;
}

// Walks along the longer extent of the segment one pixel at a time, from its smaller coordinate
// to its larger one, the other coordinate interpolated and rounded half up.
void DrawSegment(PixelImage& image, int x0, int y0, int x1, int y1, bool gradient, uint32_t colour) {
    const int dx = x1 - x0, dy = y1 - y0;
    auto plot = [&](int x, int y) { SetPixel(image, x, y, PixelOfColour(gradient ? GradientColour(y) : colour)); };
    if (dx == 0 && dy == 0) {
        plot(x0, y0);
        return;
    }
    if (std::abs(dx) > std::abs(dy)) {
        for (int x = std::min(x0, x1); x <= std::max(x0, x1); ++x)
            plot(x, y0 + DivideRounded((x - x0) * (dx < 0 ? -dy : dy), std::abs(dx)));
    } else {
        for (int y = std::min(y0, y1); y <= std::max(y0, y1); ++y)
            plot(x0 + DivideRounded((y - y0) * (dy < 0 ? -dx : dx), std::abs(dy)), y);
    }
}

}  // namespace

PixelImage MakePixelImage(int width, int height) {
    PixelImage image;
    image.width = std::max(width, 0);
    image.height = std::max(height, 0);
    image.pixels.assign(static_cast<size_t>(image.width) * image.height, kBlack);
    return image;
}

uint32_t PixelAt(const PixelImage& image, int x, int y) {
    if (x < 0 || y < 0 || x >= image.width || y >= image.height)
        return 0;
    return image.pixels[static_cast<size_t>(y) * image.width + x];
}

void SetPixel(PixelImage& image, int x, int y, uint32_t pixel) {
    if (x < 0 || y < 0 || x >= image.width || y >= image.height)
        return;
    image.pixels[static_cast<size_t>(y) * image.width + x] = pixel;
}

void FillRectangle(PixelImage& image, int x, int y, int width, int height, uint32_t pixel) {
    for (int row = std::max(y, 0); row < std::min(y + height, image.height); ++row)
        for (int column = std::max(x, 0); column < std::min(x + width, image.width); ++column)
            image.pixels[static_cast<size_t>(row) * image.width + column] = pixel;
}

uint32_t PixelOfColour(uint32_t colour) {
    return (colour & 0xFF) << 16 | (colour & 0xFF00) | (colour >> 16 & 0xFF);
}

uint32_t ColourOfPixel(uint32_t pixel) {
    return PixelOfColour(pixel);
}

int GraphRow(int percent) {
    return kGraphBottomRow - std::clamp(percent, 0, 100) * (kGraphBottomRow - kGraphTopRow) / 100;
}

uint32_t GradientColour(int y) {
    return Colour(750 - 8 * y, 8 * y - 250, 0);
}

ScrollingGraph MakeScrollingGraph(int width, int height) {
    ScrollingGraph graph;
    graph.image = MakePixelImage(width, std::max(height, kGraphMinimumHeight));
    return graph;
}

void StepGraph(ScrollingGraph& graph, const std::vector<GraphLine>& lines) {
    PixelImage& image = graph.image;
    const int right = image.width - 1;
    if (right < 0)
        return;
    ++graph.step;
    // Everything moves one column to the left; the new column is background with the grid's points.
    for (int y = 0; y < image.height; ++y) {
        uint32_t* row = &image.pixels[static_cast<size_t>(y) * image.width];
        std::copy(row + 1, row + image.width, row);
        row[right] = kBlack;
    }
    for (int y : kGridRows)
        SetPixel(image, right, y, PixelOfColour(kGraphGridColour));
    if (graph.step == 20)
        FillRectangle(image, right, kGraphTopRow, 1, kGraphBottomRow - kGraphTopRow, PixelOfColour(kGraphGridColour));
    if (graph.step == 10 || graph.step == 20) {
        std::vector<std::pair<int, int>> plotted;
        for (const GraphLine& line : lines) {
            const int value = std::clamp(line.percent, 0, 100);
            int before = value;
            for (const auto& previous : graph.previous)
                if (previous.first == line.key)
                    before = previous.second;
            DrawSegment(image, right - (kSegmentWidth - 1), GraphRow(before), right, GraphRow(value), line.gradient,
                        line.colour);
            plotted.emplace_back(line.key, value);
        }
        graph.previous = std::move(plotted);
    }
    if (graph.step == 20)
        graph.step = 0;
}

int ProcessorBarsWidth(size_t processorCount) {
    return 20 + 30 * static_cast<int>(std::max<size_t>(processorCount, 1));
}

void DrawProcessorBars(PixelImage& image, const std::vector<int>& percents) {
    FillRectangle(image, 0, 0, image.width, kProcessorBarsHeight, kBlack);
    for (size_t i = 0; i < percents.size(); ++i) {
        const int x = 10 + 30 * static_cast<int>(i);
        for (int level = 1; level <= 100; ++level) {
            // 2.5 x level and 80 - 0.7 x level, rounded half up in whole numbers.
            const int red = ClampComponent((5 * level + 1) / 2);
            const int green = ClampComponent(455 - 5 * level);
            const bool lit = level < percents[i];
            const uint32_t colour = lit ? Colour(red, green, 0) : Colour(red / 4, green / 4, 0);
            const int y = (800 - 7 * level + 5) / 10;
            FillRectangle(image, x, y, 28, 2, PixelOfColour(colour));
        }
    }
    for (int y = 10; y <= 90; y += 4)
        FillRectangle(image, 0, y, image.width, 1, kBlack);
}

std::vector<BarLabel> ProcessorBarLabels(const std::vector<int>& percents) {
    std::vector<BarLabel> labels;
    for (size_t i = 0; i < percents.size(); ++i)
        labels.push_back(
            {std::to_string(percents[i]) + (percents.size() < 4 ? "%" : ""), 30 * static_cast<int>(i) + 25, 84});
    return labels;
}
