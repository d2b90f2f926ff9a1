#include "main/WindowSnapping.h"

#include <gtest/gtest.h>

namespace {

// A 1280 x 800 screen with a 30-pixel taskbar at the bottom.
const ScreenRect kWorkArea{0, 0, 1280, 770};

WindowPlacement Snap(int x, int y, int width = 640, int height = 500) {
    return SnapToWorkArea({x, y, width, height}, kWorkArea);
}

TEST(WindowSnapping, WithinTenPixelsOfAnEdgeTheWindowJumpsOntoIt) {
    EXPECT_EQ(Snap(7, 200).x, 0);
    EXPECT_EQ(Snap(10, 200).x, 0);
    EXPECT_EQ(Snap(11, 200).x, 11);
    EXPECT_EQ(Snap(300, 4).y, 0);
    // Right and bottom edges: the far side of the window meets the edge.
    EXPECT_EQ(Snap(1280 - 640 - 6, 200).x, 640);
    EXPECT_EQ(Snap(300, 770 - 500 - 10).y, 270);
    EXPECT_EQ(Snap(300, 770 - 500 - 11).y, 259);
}

TEST(WindowSnapping, AWindowBeyondAnEdgeIsPushedFurtherOut) {
    WindowPlacement left = Snap(-3, 200);
    EXPECT_EQ(left.x, -13);
    WindowPlacement right = Snap(1280 - 640 + 4, 200);
    EXPECT_EQ(right.x, 1280 - 640 + 14);
    EXPECT_EQ(Snap(300, -1).y, -11);
    EXPECT_EQ(Snap(300, 300).y, 310);  // 300 + 500 runs past the bottom at 770
}

TEST(WindowSnapping, WorkAreaNotAtTheOriginSnapsToItsOwnEdges) {
    // Taskbar on the left: the work area starts at x = 60.
    ScreenRect area{60, 0, 1280, 800};
    EXPECT_EQ(SnapToWorkArea({65, 100, 400, 300}, area).x, 60);
    EXPECT_EQ(SnapToWorkArea({70, 100, 400, 300}, area).x, 60);
    EXPECT_EQ(SnapToWorkArea({71, 100, 400, 300}, area).x, 71);
    EXPECT_EQ(SnapToWorkArea({200, 100, 400, 300}, area).width, 400);
}

}  // namespace
