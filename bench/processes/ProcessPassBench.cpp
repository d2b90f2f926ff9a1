// One refresh pass of the process layer over the running processes plus N sleeping children,
// against a baseline that only walks a Tool Help snapshot and opens each process, measured in
// the same run. Prints the time per process and the ratio for N = 100, 300 and 1000, and the same
// for the pass as it is without the system process query and without the facts it keeps per
// process (every figure asked of every process on every pass).
//
//   process_pass_bench.exe [rounds]        (default 7 rounds per figure; the median counts)

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/processes/ProcessPassTiming.h"
#include "main/LibraryTable_win.h"
#include "main/processes/ProcessLayerState_win.h"
#include "main/processes/ProcessLayer_win.h"

namespace {

// The pass without the query and with nothing kept from the pass before.
size_t PerProcessCallsPass(ProcessRows& rows, ProcessIdSet& set) {
    ProcessLayerState& state = LayerState();
    QuerySystemInformationFunction query = state.querySystemInformation;
    state.querySystemInformation = nullptr;
    state.known.clear();
    size_t processes = FullPass(rows, set);
    state.querySystemInformation = query;
    return processes;
}

}  // namespace

int main(int argc, char** argv) {
    int rounds = argc > 1 ? std::max(3, std::atoi(argv[1])) : 7;
    OpenLibraryTable();
    InitProcessLayer();
    Sleepers sleepers;
    std::printf("%d rounds, medians; the query %s\n", rounds,
                LayerState().querySystemInformation != nullptr ? "is present" : "is missing");
    std::printf("%8s %10s %16s %16s %8s %18s %12s\n", "sleepers", "processes", "full us/proc", "baseline us/proc",
                "ratio", "per-call us/proc", "per-call/full");
    for (size_t wanted : {100u, 300u, 1000u}) {
        sleepers.StartUntil(wanted);
        Sleep(2000);  // let the last ones finish starting
        ProcessRows rows;
        ProcessIdSet set;
        FullPass(rows, set);  // the rows exist from here on, as in a running list
        ProcessRows callRows;
        PerProcessCallsPass(callRows, set);
        std::vector<double> full, baseline, calls;
        size_t processes = 0;
        for (int round = 0; round < rounds; ++round) {
            double start = Seconds();
            processes = FullPass(rows, set);
            double middle = Seconds();
            size_t walked = BaselinePass();
            double end = Seconds();
            size_t called = PerProcessCallsPass(callRows, set);
            double afterCalls = Seconds();
            full.push_back((middle - start) * 1e6 / static_cast<double>(processes));
            baseline.push_back((end - middle) * 1e6 / static_cast<double>(std::max<size_t>(walked, 1)));
            calls.push_back((afterCalls - end) * 1e6 / static_cast<double>(std::max<size_t>(called, 1)));
        }
        double fullMedian = Median(full), baselineMedian = Median(baseline), callsMedian = Median(calls);
        std::printf("%8zu %10zu %16.1f %16.1f %8.2f %18.1f %12.2f\n", sleepers.running.size(), processes, fullMedian,
                    baselineMedian, fullMedian / baselineMedian, callsMedian, callsMedian / fullMedian);
        std::fflush(stdout);
    }
    sleepers.EndOldest(sleepers.running.size());
    FreeProcessLayer();
    return 0;
}
