#include "main/processes/ProcessIdSet.h"

#include <algorithm>

void ResetCursor(EnumerationCursor& cursor, uint32_t count) {
    cursor.count = count;
    cursor.position = 0;
}

uint32_t AdvanceCursor(EnumerationCursor& cursor) {
    if (cursor.position >= cursor.count) {
        cursor.position = cursor.count;
        return 0;
    }
    return ++cursor.position;
}

uint32_t EntriesFromBytes(uint32_t bytesReturned, uint32_t bytesOffered) {
    return std::min(bytesReturned, bytesOffered) / 4;
}

void ResetProcessIdSet(ProcessIdSet& set) {
    set.ids.clear();
    set.members.clear();
    set.threadCounts.assign(kThreadCountTableSize, 0);
}

void AddProcessIds(ProcessIdSet& set, const uint32_t* ids, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        if (set.members.insert(ids[i]).second)
            set.ids.push_back(ids[i]);
    }
}

bool ContainsProcessId(const ProcessIdSet& set, uint32_t pid) {
    return set.members.count(pid) != 0;
}

void CountThread(ProcessIdSet& set, uint32_t ownerPid, int32_t threads) {
    if (ownerPid < set.threadCounts.size())
        set.threadCounts[ownerPid] += threads;
}

int32_t ThreadCount(const ProcessIdSet& set, uint32_t pid) {
    return pid < set.threadCounts.size() ? set.threadCounts[pid] : 0;
}
