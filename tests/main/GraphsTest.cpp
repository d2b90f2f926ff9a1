#include <gtest/gtest.h>

#include "main/Graphs.h"

namespace {

// The rows of a column that are not black.
std::vector<int> LitRows(const PixelImage& image, int x) {
    std::vector<int> rows;
    for (int y = 0; y < image.height; ++y)
        if (PixelAt(image, x, y) != 0)
            rows.push_back(y);
    return rows;
}

}  // namespace

TEST(Graphs, AConstantHalfLoadDrawsAFlatSegmentOnRow50EveryTenthStep) {
    ScrollingGraph graph = MakeScrollingGraph(120, 100);
    const std::vector<GraphLine> half = {{0, 50, 0, true}};
    for (int step = 1; step <= 9; ++step)
        StepGraph(graph, half);
    EXPECT_EQ((std::vector<int>{10, 30, 50, 70, 90}), LitRows(graph.image, 119)) << "only the grid's points";
    EXPECT_EQ(std::vector<int>{}, LitRows(graph.image, 100)) << "left of the ticks, nothing yet";
    StepGraph(graph, half);
    for (int x = 110; x <= 119; ++x) {
        EXPECT_EQ(PixelOfColour(GradientColour(50)), PixelAt(graph.image, x, 50)) << x;
        EXPECT_EQ(0u, PixelAt(graph.image, x, 49));
    }
    EXPECT_EQ(0u, PixelAt(graph.image, 109, 50));
    for (int step = 11; step <= 20; ++step)
        StepGraph(graph, half);
    EXPECT_EQ(81u, LitRows(graph.image, 119).size())
        << "the vertical grid line from row 10, 80 long, and the point at 90";
    EXPECT_EQ(PixelOfColour(GradientColour(50)), PixelAt(graph.image, 100, 50)) << "the first segment moved on";
    EXPECT_EQ(0, graph.step);
}

TEST(Graphs, GradientColoursAndAOneColouredRisingLine) {
    // Windows colour values: red at the top, orange in the middle, green with a little red below.
    EXPECT_EQ(0x0000FFu, GradientColour(10));
    EXPECT_EQ(0x0096FFu, GradientColour(50));
    EXPECT_EQ(0x00FF1Eu, GradientColour(90));
    EXPECT_EQ(90, GraphRow(0));
    EXPECT_EQ(10, GraphRow(150));

    ScrollingGraph graph = MakeScrollingGraph(50, 91);
    for (int step = 1; step <= 10; ++step)
        StepGraph(graph, {{7, 0, 0x00AA00, false}});
    for (int step = 1; step <= 10; ++step)
        StepGraph(graph, {{7, 100, 0x00AA00, false}});
    // From (40, 90) to (49, 10): 80 rows over 9 columns, walked along y; every row gets one point.
    int points = 0;
    for (int x = 40; x <= 49; ++x)
        for (int y = 10; y <= 90; ++y)
            points += PixelAt(graph.image, x, y) == PixelOfColour(0x00AA00);
    EXPECT_EQ(81, points);
    EXPECT_EQ(PixelOfColour(0x00AA00), PixelAt(graph.image, 40, 90));
    EXPECT_EQ(PixelOfColour(0x00AA00), PixelAt(graph.image, 49, 10));
    // On row 50 the column is 40 + 4.5, rounded half up.
    EXPECT_EQ(PixelOfColour(0x00AA00), PixelAt(graph.image, 45, 50));
    EXPECT_NE(PixelOfColour(0x00AA00), PixelAt(graph.image, 44, 50));
}

TEST(Graphs, ProcessorBarsAndLabels) {
    for (size_t count : {1u, 2u, 8u}) {
        std::vector<int> percents(count, 0);
        percents[0] = 50;
        PixelImage image = MakePixelImage(ProcessorBarsWidth(count), kProcessorBarsHeight);
        DrawProcessorBars(image, percents);
        // Levels overlap (0.7 rows apart, 2 high): row 80 shows level 2, row 47 level 49 (lit, the
        // last below 50 %), row 45 level 52 (dim: red 130 / 4, green 195 / 4).
        EXPECT_EQ(0x05FF00u, PixelAt(image, 10, 80)) << count;
        EXPECT_EQ(0x7BD200u, PixelAt(image, 37, 47)) << count;
        EXPECT_EQ(0x203000u, PixelAt(image, 10, 45)) << count;
        EXPECT_EQ(0u, PixelAt(image, 20, 46)) << "cut by the black row";
        EXPECT_EQ(0u, PixelAt(image, 38, 60)) << "the gap between bars";
        EXPECT_EQ(0x000000u, PixelAt(image, 9, 60));
        if (count > 1)
            EXPECT_EQ(0x013F00u, PixelAt(image, 40, 80)) << "the second bar, dim";
        // A bar lights the levels below its percentage only: at 40 % row 53 shows level 40 dim.
        percents[0] = 40;
        DrawProcessorBars(image, percents);
        EXPECT_EQ(0x193F00u, PixelAt(image, 10, 53));
        percents[0] = 50;
        std::vector<BarLabel> labels = ProcessorBarLabels(percents);
        ASSERT_EQ(count, labels.size());
        EXPECT_EQ(count < 4 ? "50%" : "50", labels[0].text);
        EXPECT_EQ(25 + 30 * static_cast<int>(count - 1), labels.back().centreX);
        EXPECT_EQ(84, labels.back().y);
    }
}
