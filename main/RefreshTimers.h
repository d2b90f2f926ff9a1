#pragma once
// The three refresh timers that the main loop runs while it is idle.

#include <cstdint>

struct RefreshTimers {
    uint32_t graphMark = 0;    // scrolling graphs of the networks and monitor views
    uint32_t figuresMark = 0;  // system CPU, memory and swap figures, status strip
    uint32_t listMark = 0;     // the process list and the current view's list
};

struct DueRefreshes {
    bool graph = false;
    bool figures = false;
    bool list = false;
};

// Sets all three marks to `now` (the end of start-up).
void StartRefreshTimers(RefreshTimers& timers, uint32_t now);

// Which timers fire at `now` (milliseconds since system start), with the list interval and the
// figures interval in milliseconds; the graphs move 15 times per figures interval. A timer fires
// when more than its interval has passed since its mark; the marks of the fired timers move to
// `now`. The distance is taken in both directions, so a tick count that wraps after 49.7 days
// or a clock set back never stops a timer for good.
DueRefreshes TakeDueRefreshes(RefreshTimers& timers, uint32_t now, uint32_t listInterval, uint32_t figuresInterval);

// An interval from the settings, kept between 100 ms and the 99999 ms that the preferences' five
// digits allow: a hand-edited 0 would refresh on every loop turn, a negative one never.
uint32_t TimerInterval(int configured);
