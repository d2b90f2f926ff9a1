#pragma once

#include <windows.h>

#include <string>

#include "main/RowTable.h"
#include "main/processes/ProcessIdSet.h"
#include "main/processes/ProcessSample.h"

// The per-process queries of one refresh pass and the CPU share of a process list row.

// All access, else query-information plus VM-read; null when both are refused.
HANDLE OpenProcessForSample(DWORD pid);

// Everything one pass asks about the process over its handle (which may be null), CPU times
// included; the thread count comes from the pass's id set, the parent from its snapshot.
ProcessSample TakeProcessSample(DWORD pid, HANDLE process, const ProcessIdSet& set);

// The share of the row's process since the row's previous sample, which it then replaces. 0, with
// the previous sample left as it was, when the process times cannot be read.
float ProcessCpuShare(RowTable& table, size_t row, HANDLE process);

// Now, as the running times count it.
int64_t NowUnixSeconds();
std::string RunningTimeTextOf(const ProcessSample& sample);
std::string CpuTimeTextOf(const ProcessSample& sample);
