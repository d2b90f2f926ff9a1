#include "main/WindowSnapping.h"

#include <gtest/gtest.h>

namespace {

// A 1280 x 800 screen with a 30-pixel taskbar at the bottom.
const ScreenRect kWorkArea{0, 0, 1280, 770};

// A move from the middle of the screen.
WindowPlacement Snap(int x, int y, int width = 640, int height = 500) {
    return SnapToWorkArea({x, y, width, height}, {300, 150, width, height}, kWorkArea);
}

WindowPlacement MoveFrom(int fromX, int fromY, int x, int y) {
    return SnapToWorkArea({x, y, 640, 500}, {fromX, fromY, 640, 500}, kWorkArea);
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

TEST(WindowSnapping, AMoveFromTheEdgeZoneBeyondTheEdgeIsPushedOutOtherwiseLeftAlone) {
    EXPECT_EQ(MoveFrom(0, 200, -3, 200).x, -13);
    EXPECT_EQ(MoveFrom(5, 200, -3, 200).x, -13);
    EXPECT_EQ(MoveFrom(640, 200, 1280 - 640 + 4, 200).x, 1280 - 640 + 14);
    EXPECT_EQ(MoveFrom(300, 0, 300, -1).y, -11);
    EXPECT_EQ(MoveFrom(300, 270, 300, 300).y, 310);  // 300 + 500 runs past the bottom at 770
    // Already beyond the edge, or coming from the middle: no push.
    EXPECT_EQ(MoveFrom(-30, 200, -35, 200).x, -35);
    EXPECT_EQ(Snap(-3, 200).x, -3);
    EXPECT_EQ(Snap(300, 300).y, 300);
}

TEST(WindowSnapping, AResizeNeverMovesTheWindow) {
    // A border dragged again and again on a window that lies beyond the left edge.
    WindowPlacement window{-30, 200, 640, 500};
    for (int step = 0; step < 5; ++step) {
        WindowPlacement resized =
            SnapToWorkArea({window.x, window.y, window.width + 10, window.height}, window, kWorkArea);
        EXPECT_EQ(resized.x, -30) << step;
        window = resized;
    }
    // Near an edge too: a resize is not a move onto it.
    EXPECT_EQ(SnapToWorkArea({5, 200, 650, 500}, {5, 200, 640, 500}, kWorkArea).x, 5);
}

TEST(WindowSnapping, WorkAreaNotAtTheOriginSnapsToItsOwnEdges) {
    // Taskbar on the left: the work area starts at x = 60.
    ScreenRect area{60, 0, 1280, 800};
    const WindowPlacement from{300, 100, 400, 300};
    EXPECT_EQ(SnapToWorkArea({65, 100, 400, 300}, from, area).x, 60);
    EXPECT_EQ(SnapToWorkArea({70, 100, 400, 300}, from, area).x, 60);
    EXPECT_EQ(SnapToWorkArea({71, 100, 400, 300}, from, area).x, 71);
    EXPECT_EQ(SnapToWorkArea({200, 100, 400, 300}, from, area).width, 400);
}

}  // namespace

namespace {

WindowPlacement Opening(int x, int y, int width, int height) {
    return OpeningPlacement({x, y, width, height}, {0, 0, 1280, 770}, 580, 465);
}

TEST(OpeningPlacement, SavedPlacementIsUsedAsItIs) {
    WindowPlacement w = Opening(100, 50, 700, 520);
    EXPECT_EQ(w.x, 100);
    EXPECT_EQ(w.y, 50);
    EXPECT_EQ(w.width, 700);
    EXPECT_EQ(w.height, 520);
}

TEST(OpeningPlacement, MinusOneInEitherCoordinateCentres) {
    WindowPlacement w = Opening(-1, 200, 640, 500);
    EXPECT_EQ(w.x, (1280 - 640) / 2);
    EXPECT_EQ(w.y, (770 - 500) / 2);
    EXPECT_EQ(Opening(300, -1, 640, 500).x, (1280 - 640) / 2);
}

TEST(OpeningPlacement, DamagedValuesGiveAUsableWindowOnTheScreen) {
    // Too small, zero from a non-numeric value, negative, and larger than the screen.
    WindowPlacement small = Opening(10, 10, 100, 0);
    EXPECT_EQ(small.width, 580);
    EXPECT_EQ(small.height, 465);
    WindowPlacement negative = Opening(10, 10, -400, -9);
    EXPECT_EQ(negative.width, 580);
    EXPECT_EQ(negative.height, 465);
    WindowPlacement huge = Opening(0, 0, 2147483647, 100000);
    EXPECT_EQ(huge.width, 1280);
    EXPECT_EQ(huge.height, 770);
    // Far off every edge: centred instead; no overflow from the extreme values.
    for (WindowPlacement saved : {WindowPlacement{-5000, 100, 640, 500}, WindowPlacement{5000, 100, 640, 500},
                                  WindowPlacement{100, 9000, 640, 500}, WindowPlacement{100, -600, 640, 500},
                                  WindowPlacement{-2147483647 - 1, 2147483647, 640, 500}}) {
        WindowPlacement w = OpeningPlacement(saved, {0, 0, 1280, 770}, 580, 465);
        EXPECT_EQ(w.x, 320) << saved.x << "," << saved.y;
        EXPECT_EQ(w.y, 135) << saved.x << "," << saved.y;
    }
    // Partly off screen but the caption can be grabbed: kept.
    EXPECT_EQ(Opening(-400, 100, 640, 500).x, -400);
    EXPECT_EQ(Opening(1100, 100, 640, 500).x, 1100);
}

}  // namespace

namespace {

TEST(WindowPlacing, ToolWindowsOpenBesideTheOwnerAndStayOnTheWorkArea) {
    // Right of a window in the left half, left of one in the right half; without room on either side,
    // on the roomier one, pushed back onto the area.
    WindowPlacement place = PlacementBeside({100, 100, 600, 500}, 450, 700, kWorkArea);
    EXPECT_EQ(place.x, 600);
    EXPECT_EQ(place.y, 770 - 700) << "pushed up off the taskbar";
    place = PlacementBeside({700, 50, 1200, 400}, 450, 300, kWorkArea);
    EXPECT_EQ(place.x, 250);
    EXPECT_EQ(place.y, 50);
    place = PlacementBeside({320, 140, 958, 640}, 450, 640, kWorkArea);
    EXPECT_EQ(place.x, 1280 - 450);
    EXPECT_EQ(place.y, 770 - 640);
    place = PlacementBeside({330, 140, 1000, 640}, 450, 300, kWorkArea);
    EXPECT_EQ(place.x, 0) << "more room on the left";

    // Kept on: moved back from beyond either edge; larger than the area, its top-left corner shows.
    place = KeptOnWorkArea({-40, 700, 300, 200}, kWorkArea);
    EXPECT_EQ(place.x, 0);
    EXPECT_EQ(place.y, 570);
    place = KeptOnWorkArea({100, 100, 1400, 900}, kWorkArea);
    EXPECT_EQ(place.x, 0);
    EXPECT_EQ(place.y, 0);
    EXPECT_EQ(place.width, 1400);
}

}  // namespace
