#pragma once
// What the process benchmarks share: the clock, medians, sleeping children, and the two passes the
// process layer's benchmark compares (the layer's full pass and a bare snapshot walk).

#include <windows.h>

#include <deque>
#include <string>
#include <unordered_map>
#include <vector>

#include "main/RowTable.h"
#include "main/processes/ProcessIdSet.h"
#include "main/processes/ProcessListColumns.h"

double Seconds();
double Median(std::vector<double> values);

// Sleeping children (`bench_sleeper.exe sleep`, from the folder of the running benchmark), ended
// with this object.
struct Sleepers {
    std::string program;
    std::deque<PROCESS_INFORMATION> running;

    Sleepers();
    ~Sleepers();
    bool Start();
    // Starts sleepers until `wanted` run; says so and stops when one cannot be started.
    void StartUntil(size_t wanted);
    // Ends the oldest `count` sleepers and waits until they are gone.
    void EndOldest(size_t count);
};

// The process list as a refresh keeps it: rows by pid.
struct ProcessRows {
    RowTable table = MakeRowTable(kProcessColumnCount);
    std::unordered_map<DWORD, size_t> rowOf;
};

// Every per-process query of a refresh pass, with the texts it writes. Returns the process count.
size_t FullPass(ProcessRows& rows, ProcessIdSet& set);
// Only the snapshot walk and one open per process. Returns the process count.
size_t BaselinePass();
