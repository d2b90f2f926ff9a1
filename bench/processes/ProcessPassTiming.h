#pragma once
// What the process benchmarks share: the clock, medians, sleeping children, and the two passes the
// process layer's benchmark compares (the layer's full pass and a bare snapshot walk).

#include <windows.h>

#include <string>
#include <unordered_map>
#include <vector>

#include "main/RowTable.h"
#include "main/processes/ProcessIdSet.h"
#include "main/processes/ProcessListColumns.h"

double Seconds();
double Median(std::vector<double> values);

// Starts a sleeping child: `program sleep`.
bool StartSleeper(const std::string& program, PROCESS_INFORMATION& info);

// The process list as a refresh keeps it: rows by pid.
struct ProcessRows {
    RowTable table = MakeRowTable(kProcessColumnCount);
    std::unordered_map<DWORD, size_t> rowOf;
};

// Every per-process query of a refresh pass, with the texts it writes. Returns the process count.
size_t FullPass(ProcessRows& rows, ProcessIdSet& set);
// Only the snapshot walk and one open per process. Returns the process count.
size_t BaselinePass();
