#pragma once

#include <windows.h>

#include <vector>

#include "main/processes/SystemFigures.h"

// The whole-system figures from the running system.

int ProcessorCount();
bool ReadSystemTimes(SystemTimes& times);
// The total CPU load in percent since the previous call.
int WholeSystemCpuUsage();
MemoryStatusFigures ReadMemoryStatus();

// The processor-time counter of each processor, from library slot 6.
struct ProcessorCounters {
    HANDLE query = nullptr;
    std::vector<HANDLE> counters;  // empty when none could be added
    std::vector<DWORD> statuses;
};

// Once, when the main window is created.
void SetUpProcessorCounters(ProcessorCounters& counters, int processorCount);
void CloseProcessorCounters(ProcessorCounters& counters);

// Total CPU, per-processor CPU (the total where a counter gives no value), RAM and swap.
void UpdateSystemFigures(SystemFigures& figures, ProcessorCounters& counters);
