#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "main/RowTable.h"

// A process's CPU share since the previous refresh, computed from the previous sample kept in the
// hidden columns of its process list row, and the running and CPU time texts. Times arrive as
// FILETIME values, 64-bit counts of 100 ns.

constexpr int64_t kMillisecondsPerDay = 86400000;

// A duration in milliseconds without its whole days: the form in which the previous samples are
// kept. It repeats every 24 hours of CPU time; the share's clamps absorb the one wrap.
int64_t TimeOfDayMilliseconds(uint64_t fileTimeTicks);
// Whole seconds since 1 January 1970 of a FILETIME point in time (negative before then).
int64_t UnixSecondsFromFileTime(uint64_t fileTimeTicks);

struct CpuSample {
    int64_t userMilliseconds = 0;    // time-of-day form
    int64_t kernelMilliseconds = 0;  // time-of-day form
    uint32_t clock = 0;              // timeGetTime()
};

CpuSample MakeCpuSample(uint64_t userTicks, uint64_t kernelTicks, uint32_t clock);

// Percent of one processor used between the samples, 0 to 100. Not divided by the processor
// count: a process keeping two processors busy shows 100.
float CpuShare(const CpuSample& previous, const CpuSample& current);

// The sample in columns 26 to 28; empty cells read as 0.
CpuSample StoredCpuSample(const RowTable& table, size_t row);
void StoreCpuSample(RowTable& table, size_t row, const CpuSample& sample);
// The share since the stored sample up to `current`; then `fresh` becomes the stored sample.
float UpdateCpuShare(RowTable& table, size_t row, const CpuSample& current, const CpuSample& fresh);

// One decimal and "%"; empty for a share of exactly 0.
std::string CpuShareText(float share);

// Empty for processes without a real creation time (the idle and system processes).
std::string RunningTimeText(int64_t creationUnixSeconds, int64_t nowUnixSeconds);
std::string CpuTimeText(uint64_t kernelTicks, uint64_t userTicks);
