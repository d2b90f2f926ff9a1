#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "main/RowTable.h"

// The I/O activity and memory texts of a process list row.

struct IoCounts {
    uint64_t readOperations = 0;
    uint64_t writeOperations = 0;
    uint64_t otherOperations = 0;
    uint64_t readBytes = 0;
    uint64_t writeBytes = 0;
    uint64_t otherBytes = 0;
};

// Kilobytes moved since the previous refresh with two decimals and " KB/s": the refresh interval
// makes it a rate. Empty when nothing moved, and when the count went backwards (a reused process
// id carries the previous process's counts).
std::string IoActivityText(uint64_t current, uint64_t previous);

// Writes the write, read and other activity (columns 6 to 8) against the counts of columns 23 to
// 25, then stores the current counts there. True when a shown cell changed.
bool UpdateIoActivity(RowTable& table, size_t row, const IoCounts& counts);
// For a process that could not be opened: empty activity, stored counts left as they are.
bool ClearIoActivity(RowTable& table, size_t row);
// A new row starts from its current counts.
void StoreIoCounts(RowTable& table, size_t row, const IoCounts& counts);

// Bytes / 1000 with thousands grouped and " KB".
std::string MemoryText(uint64_t bytes);
