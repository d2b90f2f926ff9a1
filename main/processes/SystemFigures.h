#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "foundation/Language.h"

// The system-wide figures beside the process list: total and per-processor CPU, RAM and swap,
// and the memory summary of the process tab.

struct SystemFigures {
    int totalCpu = 0;
    std::vector<int> processorCpu;  // one per processor
    int ramPercent = 0;
    int swapPercent = 0;
};

// Processor times as the system reports them, in 100 ns; kernel time includes idle time.
struct SystemTimes {
    uint64_t idle = 0;
    uint64_t kernel = 0;
    uint64_t user = 0;
};

// The whole-system CPU load between two calls.
struct CpuLoadMeter {
    SystemTimes previous;
    bool started = false;
    int percent = 0;
};

// Percent of the processors' time that was busy since the previous call (since start-up on the
// first), 0 to 100. Calls too close together for the times to move keep the previous figure.
int MeasureCpuLoad(CpuLoadMeter& meter, const SystemTimes& now);

// part / whole × 100 rounded half up; 0 when the whole is 0.
int PercentOf(uint64_t part, uint64_t whole);

struct MemoryStatusFigures {
    uint64_t totalPhysical = 0;
    uint64_t usedPhysical = 0;
    uint64_t totalPageFile = 0;
    uint64_t usedPageFile = 0;
};

void UpdateMemoryPercents(SystemFigures& figures, const MemoryStatusFigures& memory);

struct MemorySummaryLine {
    LanguageKey group;  // Memory or Pagefile
    LanguageKey line;
    std::string bytes;    // grouped, with " Bytes"
    std::string percent;  // "(n%)", empty for the totals
};

// The seven lines of the memory panel; the system share never goes below zero even though shared
// pages make the working sets add up to more than the memory in use.
std::vector<MemorySummaryLine> MemorySummary(const MemoryStatusFigures& memory, uint64_t workingSetSum);

// "\" + object + "(" + index + ")\" + counter: the processor-time counter of one processor.
std::string ProcessorCounterPath(const std::string& objectName, int processor, const std::string& counterName);
// A counter value rounded to an integer, or the total CPU figure when its status is not 0.
int ProcessorFigure(double value, uint32_t status, int totalCpu);
