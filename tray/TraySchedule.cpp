#include "tray/TraySchedule.h"

namespace {

bool TakeIfDue(uint32_t& stamp, uint32_t now, uint32_t interval) {
    if (now - stamp <= interval) {
        return false;
    }
    stamp = now;
    return true;
}

}  // namespace

void StartTrayStamps(TrayStamps& stamps, uint32_t now) {
    stamps.smartLog = now;
    stamps.agency = now;
    stamps.priorityWatch = now;
    stamps.icon = now - kIconStampHeadStart;
}

DueTrayTasks TakeDueTrayTasks(TrayStamps& stamps, uint32_t now, bool smartLogging, bool priorityWatching) {
    DueTrayTasks due;
    due.smartLog = smartLogging && TakeIfDue(stamps.smartLog, now, kSmartLogInterval);
    due.icon = TakeIfDue(stamps.icon, now, kIconInterval);
    due.agency = TakeIfDue(stamps.agency, now, kAgencyInterval);
    due.priorityWatch = priorityWatching && TakeIfDue(stamps.priorityWatch, now, kPriorityWatchInterval);
    return due;
}
