#pragma once

#include <cstddef>

// The columns of the process list. A row is the program's record of one process; the hidden
// columns from 22 on hold what the next refresh compares against.
enum ProcessColumn : size_t {
    kProcessColumnName = 0,
    kProcessColumnDatabaseRating = 1,
    kProcessColumnDatabaseInformation = 2,
    kProcessColumnWindowTitle = 3,
    kProcessColumnCpuUsage = 4,
    kProcessColumnPriority = 5,
    kProcessColumnWriteActivity = 6,
    kProcessColumnReadActivity = 7,
    kProcessColumnOtherActivity = 8,
    kProcessColumnProcessId = 9,  // the row's key
    kProcessColumnParentProcessId = 10,
    kProcessColumnMemoryUsage = 11,
    kProcessColumnVirtualMemory = 12,
    kProcessColumnPoolPaged = 13,
    kProcessColumnPoolNotPaged = 14,
    kProcessColumnRunningTime = 15,
    kProcessColumnCpuTime = 16,
    kProcessColumnThreads = 17,
    kProcessColumnHandles = 18,
    kProcessColumnFileAttributes = 19,
    kProcessColumnFileSize = 20,
    kProcessColumnFilePath = 21,
    kProcessColumnHistoryImage = 22,
    kProcessColumnPreviousWriteBytes = 23,
    kProcessColumnPreviousReadBytes = 24,
    kProcessColumnPreviousOtherBytes = 25,
    kProcessColumnPreviousUserTime = 26,    // ms, time-of-day form
    kProcessColumnPreviousKernelTime = 27,  // ms, time-of-day form
    kProcessColumnPreviousClock = 28,       // timeGetTime() at the previous sample
    kProcessColumnTreeDepth = 29,
    kProcessColumnCount = 30,
};
