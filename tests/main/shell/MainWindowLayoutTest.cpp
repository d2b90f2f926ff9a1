#include "main/MainWindowLayout.h"

#include <gtest/gtest.h>

#include "main/View.h"

TEST(MainWindowLayout, ViewsFillTheClientAreaBetweenBannerAndStatusStrip) {
    ViewsArea area = MainWindowViewsArea(600, 400);
    EXPECT_EQ(area.top, kButtonRowHeight + kBannerHeight);
    EXPECT_EQ(area.width, 600);
    EXPECT_EQ(area.height, 400 - kButtonRowHeight - kBannerHeight - kStatusHeight);
}

TEST(MainWindowLayout, MendedPlacementIsKeptMendedAndCentredStaysCentred) {
    MainWindowPlacement saved{10, 20, 700, 500, 5};
    MainWindowPlacement kept = PlacementAfterOpening(saved, {10, 20, 700, 500});
    EXPECT_EQ(kept.X, 10);
    EXPECT_EQ(kept.Maximized, 1);
    kept = PlacementAfterOpening(saved, {30, 40, 600, 480});
    EXPECT_EQ(kept.X, 30);
    EXPECT_EQ(kept.Y, 40);
    EXPECT_EQ(kept.Width, 600);
    EXPECT_EQ(kept.Height, 480);
    kept = PlacementAfterOpening({-1, 20, 700, 500, 0}, {30, 40, 700, 500});
    EXPECT_EQ(kept.X, -1);
    EXPECT_EQ(kept.Y, -1);
}

TEST(MainWindowLayout, MovesOfAMaximisedOrMinimisedWindowKeepTheLastPlacement) {
    MainWindowPlacement saved{10, 20, 700, 500, 0};
    MainWindowPlacement kept = PlacementAfterMove(saved, {1, 2, 3, 4}, false, false);
    EXPECT_EQ(kept.X, 1);
    EXPECT_EQ(kept.Height, 4);
    kept = PlacementAfterMove(saved, {1, 2, 3, 4}, true, false);
    EXPECT_EQ(kept.X, 10);
    EXPECT_EQ(kept.Maximized, 1);
    kept = PlacementAfterMove(saved, {1, 2, 3, 4}, false, true);
    EXPECT_EQ(kept.Width, 700);
    EXPECT_EQ(kept.Maximized, 0);
}

TEST(MainWindowLayout, AMoveWithoutNewSizeKeepsTheCurrentSize) {
    WindowPlacement moved = SnappedMove(300, 300, 0, 0, false, {200, 200, 400, 300}, {0, 0, 1280, 800});
    EXPECT_EQ(moved.x, 300);
    EXPECT_EQ(moved.width, 400);
    EXPECT_EQ(moved.height, 300);
    moved = SnappedMove(300, 300, 500, 350, true, {200, 200, 400, 300}, {0, 0, 1280, 800});
    EXPECT_EQ(moved.width, 500);
}

TEST(View, CheckBoxesSitInOneRowAlongTheBottom) {
    ASSERT_EQ(ViewCheckBoxes(ViewWindows).size(), 3u);
    EXPECT_EQ(ViewCheckBoxes(ViewAutoruns).size(), 1u);
    EXPECT_TRUE(ViewCheckBoxes(ViewServices).empty());
    EXPECT_TRUE(ViewCheckBoxes(ViewCount).empty());
    std::vector<WindowPlacement> places = ViewCheckBoxPlaces({40, 60}, 300);
    ASSERT_EQ(places.size(), 2u);
    EXPECT_EQ(places[0].x, 8);
    EXPECT_EQ(places[0].y, 278);
    EXPECT_EQ(places[0].width, 64);
    EXPECT_EQ(places[1].x, 8 + 64 + 12);
    EXPECT_EQ(places[1].height, 18);
}

TEST(View, TimerRefreshesTheShownListOrTheProcesses) {
    EXPECT_EQ(ViewRefreshedOnTimer(ViewMonitor), ViewProcesses);
    EXPECT_EQ(ViewRefreshedOnTimer(ViewProcesses), ViewProcesses);
    EXPECT_EQ(ViewRefreshedOnTimer(ViewSmart), ViewSmart);
    EXPECT_EQ(ViewRefreshedOnTimer(ViewDrivers), -1);
    EXPECT_EQ(ViewRefreshedOnTimer(ViewAutoruns), -1);
    EXPECT_EQ(ViewRefreshedOnTimer(-1), -1);
}
