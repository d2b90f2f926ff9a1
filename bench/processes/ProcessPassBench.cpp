// One refresh pass of the process layer over the running processes plus N sleeping children,
// against a baseline that only walks a Tool Help snapshot and opens each process, measured in
// the same run. Prints the time per process and the ratio for N = 50, 150 and 300.
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
#include "main/processes/ProcessLayer_win.h"

int main(int argc, char** argv) {
    int rounds = argc > 1 ? std::max(3, std::atoi(argv[1])) : 7;
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof(path));
    std::string folder = path;
    const std::string sleeper = folder.substr(0, folder.rfind('\\') + 1) + "bench_sleeper.exe";

    OpenLibraryTable();
    InitProcessLayer();
    std::vector<PROCESS_INFORMATION> sleepers;
    std::printf("%8s %10s %16s %16s %8s\n", "sleepers", "processes", "full us/proc", "baseline us/proc", "ratio");
    for (size_t wanted : {50u, 150u, 300u}) {
        while (sleepers.size() < wanted) {
            PROCESS_INFORMATION info{};
            if (!StartSleeper(sleeper, info)) {
                std::printf("could not start sleeper %zu\n", sleepers.size() + 1);
                break;
            }
            sleepers.push_back(info);
        }
        Sleep(2000);  // let the last ones finish starting
        ProcessRows rows;
        ProcessIdSet set;
        FullPass(rows, set);  // the rows exist from here on, as in a running list
        std::vector<double> full, baseline;
        size_t processes = 0;
        for (int round = 0; round < rounds; ++round) {
            double start = Seconds();
            processes = FullPass(rows, set);
            double middle = Seconds();
            size_t walked = BaselinePass();
            double end = Seconds();
            full.push_back((middle - start) * 1e6 / static_cast<double>(processes));
            baseline.push_back((end - middle) * 1e6 / static_cast<double>(std::max<size_t>(walked, 1)));
        }
        double fullMedian = Median(full), baselineMedian = Median(baseline);
        std::printf("%8zu %10zu %16.1f %16.1f %8.2f\n", sleepers.size(), processes, fullMedian, baselineMedian,
                    fullMedian / baselineMedian);
        std::fflush(stdout);
    }
    for (PROCESS_INFORMATION& sleeper : sleepers) {
        TerminateProcess(sleeper.hProcess, 0);
        CloseHandle(sleeper.hThread);
        CloseHandle(sleeper.hProcess);
    }
    FreeProcessLayer();
    return 0;
}
