#include "main/processes/Diagram.h"

#include <cmath>
#include <cstdlib>
#include <random>

#include "foundation/ValueFormatting.h"
#include "main/processes/ProcessListColumns.h"
#include "main/processes/ProcessListRows.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// The classes in slice order.
constexpr uint32_t kClassOrder[kPriorityClassCount] = {kPriorityIdle,        kPriorityBelowNormal, kPriorityNormal,
                                                       kPriorityAboveNormal, kPriorityHigh,        kPriorityRealtime};
constexpr int kNormalClass = 2;

// The process-list column a series reads.
size_t SeriesColumn(int series) {
    constexpr size_t kColumns[DiagramSeriesCount] = {kProcessColumnCpuUsage,    kProcessColumnPriority,
                                                     kProcessColumnMemoryUsage, kProcessColumnVirtualMemory,
                                                     kProcessColumnPoolPaged,   kProcessColumnPoolNotPaged};
    return kColumns[series];
}

void SetPixel(DiagramImage& image, int x, int y, uint32_t colour) {
    if (x >= 0 && y >= 0 && x < kDiagramSize && y < kDiagramSize)
        image.pixels[static_cast<size_t>(y) * kDiagramSize + static_cast<size_t>(x)] = colour;
}

void DrawLine(DiagramImage& image, int x0, int y0, int x1, int y1, uint32_t colour) {
    const int dx = std::abs(x1 - x0);
    const int dy = -std::abs(y1 - y0);
    const int stepX = x0 < x1 ? 1 : -1;
    const int stepY = y0 < y1 ? 1 : -1;
    int error = dx + dy;
    for (;;) {
        SetPixel(image, x0, y0, colour);
        if (x0 == x1 && y0 == y1)
            return;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x0 += stepX;
        }
        if (twice <= dx) {
            error += dx;
            y0 += stepY;
        }
    }
}

// A line from the centre outwards at an angle in degrees.
void DrawRadius(DiagramImage& image, double angle, int radius, uint32_t colour) {
    const double radians = angle * kPi / 180.0;
    DrawLine(image, kDiagramCentre, kDiagramCentre,
             kDiagramCentre + static_cast<int>(std::lround(radius * std::cos(radians))),
             kDiagramCentre + static_cast<int>(std::lround(radius * std::sin(radians))), colour);
}

// Radial lines a tenth of a degree apart that reach past the disc; the frame covers what is outside.
void FillSlice(DiagramImage& image, double start, double end, uint32_t colour) {
    for (long k = std::lround(start * 10 + 1); k <= std::lround(end * 10); ++k)
        DrawRadius(image, k / 10.0, 2 * kDiagramRadius, colour);
}

double SquaredDistance(double x, double y) {
    return (x - kDiagramCentre) * (x - kDiagramCentre) + (y - kDiagramCentre) * (y - kDiagramCentre);
}

void FillDisc(DiagramImage& image, uint32_t colour) {
    for (int y = 0; y < kDiagramSize; ++y) {
        for (int x = 0; x < kDiagramSize; ++x) {
            if (SquaredDistance(x, y) <= kDiagramRadius * kDiagramRadius)
                SetPixel(image, x, y, colour);
        }
    }
}

void DrawOutline(DiagramImage& image) {
    for (int step = 0; step < 3600; ++step) {
        const double radians = step / 10.0 * kPi / 180.0;
        SetPixel(image, kDiagramCentre + static_cast<int>(std::lround(kDiagramRadius * std::cos(radians))),
                 kDiagramCentre + static_cast<int>(std::lround(kDiagramRadius * std::sin(radians))), kDiagramBlack);
    }
}

// The frame: white outside the disc (the window's background), and a black rim along the outline.
// Measured from the pixels' middles, the rim is as wide on the right and at the bottom, where the
// image's last column and row cut the outline, as on the left and at the top.
void DrawFrame(DiagramImage& image) {
    for (int y = 0; y < kDiagramSize; ++y) {
        for (int x = 0; x < kDiagramSize; ++x) {
            const double distance = std::sqrt(SquaredDistance(x + 0.5, y + 0.5));
            if (distance > kDiagramRadius - 1.5)
                SetPixel(image, x, y, distance <= kDiagramRadius ? kDiagramBlack : kDiagramWhite);
        }
    }
}

uint32_t Darkened(uint32_t colour) {
    uint32_t result = 0;
    for (int shift = 0; shift <= 16; shift += 8)
        result |= static_cast<uint32_t>(std::lround(((colour >> shift) & 0xFF) * 0.8)) << shift;
    return result;
}

double SeriesTotal(const RowTable& table, int series, const DiagramTotals& totals) {
    switch (series) {
        case DiagramMemoryUsage:
            return totals.physicalKb;
        case DiagramVirtualMemory:
            return totals.virtualKb;
        case DiagramPoolPaged:
        case DiagramPoolNotPaged: {
            double sum = 0;
            for (size_t row = 0; row < RowCount(table); ++row)
                sum += DiagramValue(table, row, series);
            return sum;
        }
    }
    return 100;
}

int PriorityClassOf(const TableRow& row) {
    for (int c = 0; c < kPriorityClassCount; ++c) {
        if (row.backgroundColour == PriorityClassColour(c))
            return c;
    }
    return kNormalClass;
}

}  // namespace

uint32_t DiagramPixel(const DiagramImage& image, int x, int y) {
    if (x < 0 || y < 0 || x >= kDiagramSize || y >= kDiagramSize)
        return kDiagramWhite;
    return image.pixels[static_cast<size_t>(y) * kDiagramSize + static_cast<size_t>(x)];
}

uint32_t ProcessColour(uint32_t pid) {
    // The standard's minimal generator is fixed to the bit, so every build and run agrees.
    std::minstd_rand generator(pid);
    return static_cast<uint32_t>(generator() % 0x1000000u);
}

double DiagramValue(const RowTable& table, size_t row, int series) {
    if (series == DiagramPriority || series < 0 || series >= DiagramSeriesCount)
        return 0;
    const std::string& cell = Cell(table, row, SeriesColumn(series));
    return series == DiagramCpuUsage ? ParseDecimal(cell) : ParseGroupedNumber(cell);
}

std::vector<DiagramSlice> DiagramSlices(const RowTable& table, int series, const DiagramTotals& totals) {
    std::vector<DiagramSlice> slices;
    if (series == DiagramPriority || series < 0 || series >= DiagramSeriesCount)
        return slices;
    const double total = SeriesTotal(table, series, totals);
    if (total <= 0)
        return slices;
    double start = -90;
    for (size_t row = 0; row < RowCount(table); ++row) {
        const double value = DiagramValue(table, row, series);
        if (value <= 0)
            continue;
        const double end = start + value / total * 360;
        slices.push_back({row, start, end});
        start = end;
    }
    return slices;
}

uint32_t PriorityClassColour(int priorityClass) {
    uint32_t colour = kDiagramWhite;
    if (priorityClass >= 0 && priorityClass < kPriorityClassCount)
        PriorityBackground(kClassOrder[priorityClass], colour);
    return colour;
}

std::vector<int> PriorityClassCounts(const RowTable& table) {
    std::vector<int> counts(kPriorityClassCount, 0);
    for (const TableRow& row : table.rows)
        ++counts[static_cast<size_t>(PriorityClassOf(row))];
    return counts;
}

void DrawDiagram(DiagramImage& image, const RowTable& table, int series, const DiagramTotals& totals) {
    FillDisc(image, kDiagramWhite);
    if (series == DiagramPriority) {
        const std::vector<int> counts = PriorityClassCounts(table);
        const double rows = static_cast<double>(RowCount(table));
        double start = -90;
        for (int c = 0; c < kPriorityClassCount; ++c) {
            if (counts[c] == 0)
                continue;
            const double end = start + counts[c] / rows * 360;
            DrawRadius(image, start, kDiagramRadius, kDiagramBlack);
            FillSlice(image, start, end, PriorityClassColour(c));
            start = end;
        }
        // One division per process inside its class.
        double at = -90;
        for (int c = 0; c < kPriorityClassCount; ++c) {
            for (int m = 0; m < counts[c]; ++m) {
                at += 360 / rows;
                DrawRadius(image, at, kDiagramRadius, Darkened(PriorityClassColour(c)));
            }
        }
    } else {
        const std::vector<DiagramSlice> slices = DiagramSlices(table, series, totals);
        for (const DiagramSlice& slice : slices) {
            FillSlice(image, slice.start, slice.end,
                      ProcessColour(static_cast<uint32_t>(CellUnsigned(table, slice.row, kProcessColumnProcessId))));
        }
        for (const DiagramSlice& slice : slices) {
            DrawRadius(image, slice.start, kDiagramRadius, kDiagramBlack);
            DrawRadius(image, slice.end, kDiagramRadius, kDiagramBlack);
        }
    }
    DrawOutline(image);
    DrawFrame(image);
}

bool DiagramAngleAt(int windowX, int windowY, int& angle) {
    const double x = (windowX - kDiagramWindowCentre) / static_cast<double>(kDiagramRadius);
    const double y = (windowY - kDiagramWindowCentre) / static_cast<double>(kDiagramRadius);
    if (std::sqrt(x * x + y * y) > 1)
        return false;
    double degrees = 0;
    if (x == 0)
        degrees = y < 0 ? -90 : 90;
    else
        degrees = std::atan(y / x) * 180 / kPi + (x < 0 ? 180 : 0);
    angle = static_cast<int>(std::lround(degrees));
    return true;
}

size_t DiagramHitRow(const RowTable& table, int series, const DiagramTotals& totals, int windowX, int windowY) {
    int angle = 0;
    if (series == DiagramPriority || !DiagramAngleAt(windowX, windowY, angle))
        return kNoRow;
    for (const DiagramSlice& slice : DiagramSlices(table, series, totals)) {
        if (slice.end > angle)  // the slices accumulated past the click
            return slice.row;
    }
    return kNoRow;
}

int DiagramHitPriorityClass(const RowTable& table, int windowX, int windowY) {
    int angle = 0;
    if (RowCount(table) == 0 || !DiagramAngleAt(windowX, windowY, angle))
        return -1;
    const std::vector<int> counts = PriorityClassCounts(table);
    double reached = 0;
    for (int c = 0; c < kPriorityClassCount; ++c) {
        reached += counts[c] * 360.0 / static_cast<double>(RowCount(table));
        if (counts[c] > 0 && reached > angle + 90)
            return c;
    }
    return -1;
}

LanguageKey DiagramSeriesName(int series) {
    constexpr LanguageKey kNames[DiagramSeriesCount] = {LanguageKey::CPUUsage,    LanguageKey::Priority,
                                                        LanguageKey::MemoryUsage, LanguageKey::VirtualMemory,
                                                        LanguageKey::PoolPaged,   LanguageKey::PoolNotPaged};
    return series >= 0 && series < DiagramSeriesCount ? kNames[series] : LanguageKey::CPUUsage;
}

std::vector<uint32_t> DiagramSeriesIcon(int series) {
    constexpr uint32_t kColours[DiagramSeriesCount] = {0x30A030, 0x6060E0, 0xD07020, 0xB040A0, 0x2090E0, 0x305090};
    const uint32_t colour = kColours[series >= 0 && series < DiagramSeriesCount ? series : 0];
    // A wedge from the top, larger for each further series, on a white disc with a grey rim.
    const double wedge = 60.0 + 45.0 * (series % DiagramSeriesCount);
    std::vector<uint32_t> pixels(kDiagramIconSize * kDiagramIconSize, kDiagramWhite);
    const double centre = (kDiagramIconSize - 1) / 2.0;
    for (int y = 0; y < kDiagramIconSize; ++y) {
        for (int x = 0; x < kDiagramIconSize; ++x) {
            const double dx = x - centre;
            const double dy = y - centre;
            const double distance = std::sqrt(dx * dx + dy * dy);
            if (distance > 7.5)
                continue;
            double angle = std::atan2(dy, dx) * 180 / kPi + 90;  // 0 at the top, clockwise
            if (angle < 0)
                angle += 360;
            uint32_t& pixel = pixels[static_cast<size_t>(y * kDiagramIconSize + x)];
            pixel = distance > 6.5 ? 0x808080 : angle < wedge ? colour : kDiagramWhite;
        }
    }
    return pixels;
}

bool DiagramDetailsAt(const RowTable& table,
                      int series,
                      const DiagramTotals& totals,
                      int windowX,
                      int windowY,
                      DiagramDetails& details) {
    const std::string seriesName = LanguageText(DiagramSeriesName(series)) + ": ";
    if (series == DiagramPriority) {
        const int priorityClass = DiagramHitPriorityClass(table, windowX, windowY);
        if (priorityClass < 0)
            return false;
        const int count = PriorityClassCounts(table)[static_cast<size_t>(priorityClass)];
        details = DiagramDetails{};
        details.name = PriorityShortName(kClassOrder[priorityClass]);
        details.secondLine = LanguageText(LanguageKey::Processes) + ": " + std::to_string(count);
        details.value = seriesName + FormatDecimal(100.0f * count / static_cast<float>(RowCount(table)), 1) + " %";
        return true;
    }
    const size_t row = DiagramHitRow(table, series, totals, windowX, windowY);
    if (row == kNoRow)
        return false;
    details = DiagramDetails{};
    details.row = row;
    details.name = Cell(table, row, kProcessColumnName);
    details.secondLine = Cell(table, row, kProcessColumnFilePath);
    details.value = seriesName + Cell(table, row, SeriesColumn(series));
    const double workingSetKb = ParseGroupedNumber(Cell(table, row, kProcessColumnMemoryUsage));
    details.memory =
        LanguageText(LanguageKey::MemoryUsage) + ": " + FormatBytes64(static_cast<int64_t>(workingSetKb * 1000), 1);
    return true;
}
