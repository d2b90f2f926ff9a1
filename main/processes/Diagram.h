#pragma once
// The process diagram: the rows of the process list as one pie chart of a chosen series, drawn into
// a pixel buffer, and which row (or priority class) a point of the disc stands for. Portable.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "foundation/Language.h"
#include "main/RowTable.h"

constexpr int kDiagramSize = 240;  // the image is square
constexpr int kDiagramCentre = 120;
constexpr int kDiagramRadius = 120;
// Where the disc's centre lies in the diagram window.
constexpr int kDiagramWindowCentre = 150;
constexpr uint32_t kDiagramWhite = 0xFFFFFF;
constexpr uint32_t kDiagramBlack = 0x000000;

enum DiagramSeries : int {
    DiagramCpuUsage,
    DiagramPriority,
    DiagramMemoryUsage,
    DiagramVirtualMemory,
    DiagramPoolPaged,
    DiagramPoolNotPaged,
    DiagramSeriesCount
};

// Colours are 0x00BBGGRR, row by row from the top left.
struct DiagramImage {
    std::vector<uint32_t> pixels = std::vector<uint32_t>(kDiagramSize * kDiagramSize, kDiagramWhite);
};
uint32_t DiagramPixel(const DiagramImage& image, int x, int y);

// What the memory series are shares of, in KB (bytes / 1000).
struct DiagramTotals {
    double physicalKb = 0;
    double virtualKb = 0;  // the user address space
};

// The colour of a process: the same for the same pid in every drawing and every run.
uint32_t ProcessColour(uint32_t pid);

// The slice of one row (series other than the priority) from `start` to `end` degrees; 0 degrees
// points right, angles grow clockwise, -90 is straight up.
struct DiagramSlice {
    size_t row;
    double start;
    double end;
};
std::vector<DiagramSlice> DiagramSlices(const RowTable& table, int series, const DiagramTotals& totals);
// The series value of a row as the diagram reads it (percent or KB).
double DiagramValue(const RowTable& table, size_t row, int series);

// The priority classes in slice order (idle to realtime) and the number of rows of each, by the
// rows' background colours.
constexpr int kPriorityClassCount = 6;
uint32_t PriorityClassColour(int priorityClass);
std::vector<int> PriorityClassCounts(const RowTable& table);

// Draws the series into the image: white disc, slices, borders, outline and frame.
void DrawDiagram(DiagramImage& image, const RowTable& table, int series, const DiagramTotals& totals);

// The angle of a point of the window (whole degrees, -90 to 270) and whether it lies in the disc.
bool DiagramAngleAt(int windowX, int windowY, int& angle);
// The row hit by a point of the window, or kNoRow (outside the disc, on nothing, or the priority
// series, whose slices are classes).
size_t DiagramHitRow(const RowTable& table, int series, const DiagramTotals& totals, int windowX, int windowY);
// The priority class under a point of the window in the priority series, or -1.
int DiagramHitPriorityClass(const RowTable& table, int windowX, int windowY);

// The chooser's entries: the language key of each series' name, and its 16 x 16 icon (a small pie
// in the series' own colour), 0x00BBGGRR from the top left.
LanguageKey DiagramSeriesName(int series);
constexpr int kDiagramIconSize = 16;
std::vector<uint32_t> DiagramSeriesIcon(int series);

// The details panel beside the disc for what lies under the pointer.
struct DiagramDetails {
    size_t row = kNoRow;  // the process, or kNoRow for a priority class
    std::string name;
    std::string secondLine;
    std::string value;   // series name, ": ", value
    std::string memory;  // the working set, as FormatBytes gives it
};
// False when the point hits nothing.
bool DiagramDetailsAt(const RowTable& table,
                      int series,
                      const DiagramTotals& totals,
                      int windowX,
                      int windowY,
                      DiagramDetails& details);
