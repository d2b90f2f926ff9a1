#include "main/processes/SystemProcessRecords.h"

namespace {

// The system writes its records in the machine's own order, which is little-endian on every
// Windows this program runs on.
uint64_t Read(const uint8_t* at, size_t bytes) {
    uint64_t value = 0;
    for (size_t i = bytes; i > 0; --i)
        value = (value << 8) | at[i - 1];
    return value;
}

uint32_t Read32(const uint8_t* record, size_t offset) {
    return static_cast<uint32_t>(Read(record + offset, 4));
}

uint64_t Read64(const uint8_t* record, size_t offset) {
    return Read(record + offset, 8);
}

SystemProcessRecord RecordAt(const uint8_t* record) {
    using namespace SystemProcessOffsets;
    SystemProcessRecord result;
    result.threads = Read32(record, kThreads);
    result.creationTime = Read64(record, kCreateTime);
    result.userTime = Read64(record, kUserTime);
    result.kernelTime = Read64(record, kKernelTime);
    result.basePriority = static_cast<int32_t>(Read32(record, kBasePriority));
    result.pid = Read32(record, kProcessId);
    result.parentPid = Read32(record, kParentId);
    result.handles = Read32(record, kHandles);
    result.workingSet = Read32(record, kWorkingSet);
    result.pagedPool = Read32(record, kPagedPool);
    result.nonPagedPool = Read32(record, kNonPagedPool);
    result.pagefileUsage = Read32(record, kPagefileUsage);
    uint64_t* io[] = {&result.io.readOperations, &result.io.writeOperations, &result.io.otherOperations,
                      &result.io.readBytes,      &result.io.writeBytes,      &result.io.otherBytes};
    for (size_t i = 0; i < 6; ++i)
        *io[i] = Read64(record, kIoCounters + 8 * i);
    return result;
}

}  // namespace

bool ParseSystemProcessRecords(const uint8_t* data, size_t length, std::vector<SystemProcessRecord>& records) {
    records.clear();
    size_t offset = 0;
    while (records.size() < kMaximumSystemProcessRecords) {
        if (data == nullptr || length < kSystemProcessRecordSize || offset > length - kSystemProcessRecordSize)
            return false;
        const uint8_t* record = data + offset;
        records.push_back(RecordAt(record));
        uint32_t next = Read32(record, SystemProcessOffsets::kNextEntry);
        if (next == 0)
            return true;
        if (next < kSystemProcessRecordSize)
            return false;
        offset += next;
    }
    return false;
}
