#pragma once
// The records of the system's process information query as this 32-bit program receives them
// (also under WoW64, which converts them): one per process, each with its threads behind it, the
// next one found by the offset in its first field.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "main/processes/ProcessActivity.h"

// Byte offsets in one 32-bit record; the threads follow at kSystemProcessRecordSize.
namespace SystemProcessOffsets {
constexpr size_t kNextEntry = 0, kThreads = 4, kCreateTime = 32, kUserTime = 40, kKernelTime = 48, kBasePriority = 64,
                 kProcessId = 68, kParentId = 72, kHandles = 76, kWorkingSet = 104, kPagedPool = 112,
                 kNonPagedPool = 120, kPagefileUsage = 124, kIoCounters = 136;
}
constexpr size_t kSystemProcessRecordSize = 184;
// More than any system runs at once; a corrupt chain stops here at the latest.
constexpr size_t kMaximumSystemProcessRecords = 65536;

struct SystemProcessRecord {
    uint32_t pid = 0;
    uint32_t parentPid = 0;
    uint32_t threads = 0;
    uint32_t handles = 0;
    int32_t basePriority = 0;
    // FILETIME values as 100 ns counts.
    uint64_t creationTime = 0;
    uint64_t userTime = 0;
    uint64_t kernelTime = 0;
    uint64_t workingSet = 0;
    uint64_t pagefileUsage = 0;
    uint64_t pagedPool = 0;
    uint64_t nonPagedPool = 0;
    IoCounts io;
};

// The records of `length` bytes, in their order. False, with the records read so far kept, when
// the chain runs past the end or an offset points backwards or into its own record.
bool ParseSystemProcessRecords(const uint8_t* data, size_t length, std::vector<SystemProcessRecord>& records);
