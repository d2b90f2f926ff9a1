#include "main/RefreshTimers.h"

namespace {

uint32_t Distance(uint32_t now, uint32_t mark) {
    // Unsigned subtraction in both directions: the smaller one is the real distance, also across
    // the wrap of the 32-bit tick count.
    uint32_t forward = now - mark;
    uint32_t backward = mark - now;
    return forward < backward ? forward : backward;
}

bool Fire(uint32_t& mark, uint32_t now, uint32_t interval) {
    if (Distance(now, mark) > interval) {
        mark = now;
        return true;
    }
    return false;
}

}  // namespace

void StartRefreshTimers(RefreshTimers& timers, uint32_t now) {
    timers.graphMark = timers.figuresMark = timers.listMark = now;
}

uint32_t TimerInterval(int configured) {
    constexpr int kShortest = 100;
    constexpr int kLongest = 99999;
    return static_cast<uint32_t>(configured < kShortest ? kShortest : configured > kLongest ? kLongest : configured);
}

DueRefreshes TakeDueRefreshes(RefreshTimers& timers, uint32_t now, uint32_t listInterval, uint32_t figuresInterval) {
    DueRefreshes due;
    due.graph = Fire(timers.graphMark, now, figuresInterval / 15);
    due.figures = Fire(timers.figuresMark, now, figuresInterval);
    due.list = Fire(timers.listMark, now, listInterval);
    return due;
}
