#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_set>
#include <vector>

// The process ids of one refresh pass and the thread count of each.

// EnumProcesses is offered 1024 bytes per call, so one call yields at most 256 ids; the Tool Help
// snapshot completes the set.
constexpr uint32_t kProcessIdBufferBytes = 1024;
constexpr uint32_t kDriverBufferBytes = 4096;
// Thread counts are indexed directly by process id; ids above the table are not counted.
constexpr uint32_t kThreadCountTableSize = 65537;

// A 1-based cursor over `count` entries: 0 before the first step, and 0 once past the end, for
// as often as it is advanced.
struct EnumerationCursor {
    uint32_t count = 0;
    uint32_t position = 0;
};

void ResetCursor(EnumerationCursor& cursor, uint32_t count);
uint32_t AdvanceCursor(EnumerationCursor& cursor);
// Entries an enumeration call filled: the returned byte count over 4, bounded by what was offered.
uint32_t EntriesFromBytes(uint32_t bytesReturned, uint32_t bytesOffered);

struct ProcessIdSet {
    std::vector<uint32_t> ids;  // in enumeration order, each once
    std::unordered_set<uint32_t> members;
    std::vector<int32_t> threadCounts;  // kThreadCountTableSize entries
};

// Empties the set and zeroes every thread count.
void ResetProcessIdSet(ProcessIdSet& set);
// Appends the ids that are not in the set yet, in their order.
void AddProcessIds(ProcessIdSet& set, const uint32_t* ids, size_t count);
bool ContainsProcessId(const ProcessIdSet& set, uint32_t pid);
// Threads owned by the process; ignored for ids outside the table.
void CountThread(ProcessIdSet& set, uint32_t ownerPid, int32_t threads = 1);
int32_t ThreadCount(const ProcessIdSet& set, uint32_t pid);
