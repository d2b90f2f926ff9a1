#pragma once
// The loop's four periodic tasks, each due when more than its interval has passed since its stamp.

#include <cstdint>

constexpr uint32_t kTrayLoopWaitMilliseconds = 100;
constexpr uint32_t kSmartLogInterval = 60000;
constexpr uint32_t kIconInterval = 1000;
constexpr uint32_t kAgencyInterval = 200;
constexpr uint32_t kPriorityWatchInterval = 1000;
// The icon stamp starts this far back, so the icons are drawn on the first turn.
constexpr uint32_t kIconStampHeadStart = 65535;

struct TrayStamps {
    uint32_t smartLog = 0;
    uint32_t icon = 0;
    uint32_t agency = 0;
    uint32_t priorityWatch = 0;
};

struct DueTrayTasks {
    bool smartLog = false;
    bool icon = false;
    bool agency = false;
    bool priorityWatch = false;
};

void StartTrayStamps(TrayStamps& stamps, uint32_t now);
// The tasks due at `now` (tick counts wrap after 49 days; the differences stay right), with their
// stamps reset. SMART logging and the priority watch only run while switched on.
DueTrayTasks TakeDueTrayTasks(TrayStamps& stamps, uint32_t now, bool smartLogging, bool priorityWatching);
