// The process diagram, pixel by pixel on its image, and what a click on the disc hits.

#include "main/processes/Diagram.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "main/processes/ProcessListColumns.h"
#include "main/processes/ProcessListRows.h"

namespace {

RowTable Rows(const std::vector<std::pair<int, std::string>>& pidAndCpu) {
    RowTable table = MakeRowTable(kProcessColumnCount);
    for (const auto& [pid, cpu] : pidAndCpu) {
        size_t row = AppendRow(table);
        SetCellInteger(table, row, kProcessColumnProcessId, pid);
        SetCell(table, row, kProcessColumnCpuUsage, cpu);
    }
    return table;
}

// The pixel at a polar position of the disc.
uint32_t At(const DiagramImage& image, double degrees, double radius) {
    const double radians = degrees * 3.14159265358979323846 / 180;
    return DiagramPixel(image, kDiagramCentre + static_cast<int>(std::lround(radius * std::cos(radians))),
                        kDiagramCentre + static_cast<int>(std::lround(radius * std::sin(radians))));
}

TEST(DiagramTest, HalfTheCpuFillsTheRightHalfInTheProcessColourWithBlackBorders) {
    const RowTable table = Rows({{4242, "50.0"}});
    DiagramImage image;
    DrawDiagram(image, table, DiagramCpuUsage, {});
    const uint32_t colour = ProcessColour(4242);
    for (int degrees = -88; degrees <= 88; degrees += 4) {
        for (double radius : {30.0, 60.0, 115.0})
            ASSERT_EQ(At(image, degrees, radius), colour) << degrees << " degrees, radius " << radius;
    }
    for (int degrees = 92; degrees <= 268; degrees += 4)
        ASSERT_EQ(At(image, degrees, 60), kDiagramWhite) << degrees << " degrees";
    EXPECT_EQ(At(image, -90, 60), kDiagramBlack);
    EXPECT_EQ(At(image, 90, 60), kDiagramBlack);
    EXPECT_EQ(At(image, 180, kDiagramRadius), kDiagramBlack) << "the outline";
    EXPECT_EQ(DiagramPixel(image, 1, 1), kDiagramWhite) << "the frame covers the lines beyond the disc";
}

TEST(DiagramTest, ColoursFollowThePidAndStayTheSame) {
    EXPECT_EQ(ProcessColour(4242), ProcessColour(4242));
    EXPECT_NE(ProcessColour(4242), ProcessColour(4243));
    EXPECT_LE(ProcessColour(0), 0xFFFFFFu);
}

TEST(DiagramTest, AZeroShareGetsNoSliceAndIsNeverHit) {
    const RowTable table = Rows({{10, "0.0"}, {20, "25.0"}, {30, "0.0"}, {40, "25.0"}});
    DiagramImage image;
    DrawDiagram(image, table, DiagramCpuUsage, {});
    EXPECT_EQ(At(image, -45, 60), ProcessColour(20));
    EXPECT_EQ(At(image, 45, 60), ProcessColour(40));
    EXPECT_EQ(At(image, 135, 60), kDiagramWhite);
    const int c = kDiagramWindowCentre;
    // The top of the disc belongs to the first row with a slice, not to the idle first row.
    EXPECT_EQ(DiagramHitRow(table, DiagramCpuUsage, {}, c, c - kDiagramRadius), 1u);
    EXPECT_EQ(DiagramHitRow(table, DiagramCpuUsage, {}, c + 60, c + 5), 3u);
    EXPECT_EQ(DiagramHitRow(table, DiagramCpuUsage, {}, c - 60, c), kNoRow) << "the unused half";
    EXPECT_EQ(DiagramHitRow(table, DiagramCpuUsage, {}, c + 119, c + 119), kNoRow) << "outside the disc";
}

TEST(DiagramTest, ThePriorityPieShowsClassesAndSelectsNothing) {
    RowTable table = Rows({{1, "0"}, {2, "0"}, {3, "0"}, {4, "0"}});
    uint32_t high = 0;
    ASSERT_TRUE(PriorityBackground(kPriorityHigh, high));
    table.rows[3].backgroundColour = high;  // the others are normal, one by its default colour
    DiagramImage image;
    DrawDiagram(image, table, DiagramPriority, {});
    EXPECT_EQ(At(image, 45, 60), PriorityClassColour(2)) << "three quarters normal";
    EXPECT_EQ(At(image, 135, 60), PriorityClassColour(2));
    EXPECT_EQ(At(image, 225, 60), high) << "the last quarter high";
    const uint32_t divisions = At(image, 0, 60);  // a process division inside the normal class
    EXPECT_NE(divisions, PriorityClassColour(2));
    EXPECT_EQ(divisions & 0xFF, static_cast<uint32_t>(std::lround((PriorityClassColour(2) & 0xFF) * 0.8)));
    const int c = kDiagramWindowCentre;
    EXPECT_EQ(DiagramHitRow(table, DiagramPriority, {}, c, c - 100), kNoRow);
    EXPECT_EQ(DiagramHitPriorityClass(table, c - 50, c - 50), 4) << "the high class";
}

TEST(DiagramTest, TheMemoryPieLeavesUnusedMemoryWhite) {
    RowTable table = Rows({{7, "0"}});
    SetCell(table, 0, kProcessColumnMemoryUsage, "250.000");  // a quarter of 1,000,000 KB
    DiagramTotals totals;
    totals.physicalKb = 1000000;
    DiagramImage image;
    DrawDiagram(image, table, DiagramMemoryUsage, totals);
    EXPECT_EQ(At(image, -45, 60), ProcessColour(7));
    EXPECT_EQ(At(image, 90, 60), kDiagramWhite);
    totals.physicalKb = 0;
    DrawDiagram(image, table, DiagramMemoryUsage, totals);
    EXPECT_EQ(At(image, -45, 60), kDiagramWhite) << "no total, no slices";
}

}  // namespace
