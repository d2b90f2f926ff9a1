#include "main/RefreshTimers.h"

#include <gtest/gtest.h>

namespace {

TEST(RefreshTimers, EachTimerFiresOnlyAfterMoreThanItsInterval) {
    RefreshTimers timers;
    StartRefreshTimers(timers, 1000);
    // List every 2500 ms, figures every 500 ms, graphs every 500 / 15 = 33 ms.
    DueRefreshes due = TakeDueRefreshes(timers, 1033, 2500, 500);
    EXPECT_FALSE(due.graph);
    due = TakeDueRefreshes(timers, 1034, 2500, 500);
    EXPECT_TRUE(due.graph);
    EXPECT_FALSE(due.figures);
    due = TakeDueRefreshes(timers, 1500, 2500, 500);
    EXPECT_FALSE(due.figures);
    due = TakeDueRefreshes(timers, 1501, 2500, 500);
    EXPECT_TRUE(due.figures);
    EXPECT_FALSE(due.list);
    due = TakeDueRefreshes(timers, 3501, 2500, 500);
    EXPECT_TRUE(due.list);
    EXPECT_EQ(timers.listMark, 3501u);
}

TEST(RefreshTimers, InAnIdleLoopTheTimersKeepTheirIntervals) {
    // An idle loop turning every 25 ms, as the main loop does.
    RefreshTimers timers;
    StartRefreshTimers(timers, 0);
    int lists = 0;
    int figures = 0;
    for (uint32_t now = 25; now <= 10000; now += 25) {
        DueRefreshes due = TakeDueRefreshes(timers, now, 2500, 500);
        lists += due.list;
        figures += due.figures;
    }
    // "More than" the interval: with 25 ms steps a timer fires at 2525, 5050, 7575 and 10100 ms.
    EXPECT_EQ(lists, 3);
    EXPECT_EQ(figures, 19);
}

TEST(RefreshTimers, TickCountWrapAndClockGoingBackDoNotStopTheTimers) {
    RefreshTimers timers;
    StartRefreshTimers(timers, 0xFFFFFF00u);
    // 0x100 + 0x10 ms later the tick count has wrapped to 0x10.
    EXPECT_FALSE(TakeDueRefreshes(timers, 0x10, 2500, 500).figures);
    EXPECT_TRUE(TakeDueRefreshes(timers, 0x10 + 300, 2500, 500).figures);
    // A mark in the future (the clock went back) counts by its distance, too.
    StartRefreshTimers(timers, 50000);
    EXPECT_TRUE(TakeDueRefreshes(timers, 40000, 2500, 500).list);
    EXPECT_EQ(timers.listMark, 40000u);
}

TEST(RefreshTimers, HandEditedIntervalsStayWithinWhatTheLoopCanServe) {
    EXPECT_EQ(TimerInterval(2500), 2500u);
    EXPECT_EQ(TimerInterval(0), 100u);
    EXPECT_EQ(TimerInterval(-5), 100u) << "not four billion milliseconds";
    EXPECT_EQ(TimerInterval(2000000000), 99999u);
}

}  // namespace
