#pragma once

#include <cstdint>
#include <string>

#include "main/processes/ProcessActivity.h"
#include "main/processes/ProcessCpu.h"

// File attribute bits as the system reports them, and what attributes that cannot be read read as.
constexpr uint32_t kAttributeReadOnly = 0x1, kAttributeHidden = 0x2, kAttributeSystem = 0x4, kAttributeArchive = 0x20,
                   kAttributeCompressed = 0x800, kInvalidAttributes = 0xFFFFFFFF;

// What one refresh pass learns about one process id. Each figure keeps its neutral value (empty
// text, 0) when the process cannot be opened or the query is unavailable.
struct ProcessSample {
    uint32_t pid = 0;
    bool opened = false;  // a handle could be opened; the CPU and I/O figures mean something
    std::string name;
    std::string path;        // normalised
    int32_t parentPid = -1;  // from the pass's snapshot; -1 when the process is not in it
    IoCounts io;
    bool ioAvailable = false;
    uint64_t workingSet = 0;
    uint64_t pagefileUsage = 0;
    uint64_t pagedPool = 0;
    uint64_t nonPagedPool = 0;
    int32_t threads = 0;
    uint32_t handles = 0;
    uint32_t priorityClass = 0;
    // FILETIME values as 100 ns counts.
    uint64_t creationTime = 0;
    uint64_t kernelTime = 0;
    uint64_t userTime = 0;
    // The CPU times read twice around the clock: the share is measured up to `cpu`, and `cpuNext`
    // is what the next refresh measures from. Both only when `cpuRead`.
    bool cpuRead = false;
    CpuSample cpu;
    CpuSample cpuNext;
    // The attributes and size of its executable (the size only when the attributes could be read),
    // and what the process list adds: the title of the process's first top-level window.
    std::string windowTitle;
    uint32_t fileAttributes = kInvalidAttributes;
    uint64_t fileSize = 0;
};

// The I/O activity cells of the sample's row: measured against the row's previous counts when the
// counters could be read; otherwise emptied, the previous counts kept for the next refresh that
// can read them (so a failed read does not show as a burst afterwards). True when a cell changed.
bool WriteIoActivity(RowTable& table, size_t row, const ProcessSample& sample);
