// One refresh pass of the process layer over the running processes plus N sleeping children,
// against a baseline that only walks a Tool Help snapshot and opens each process, measured in
// the same run. Prints the time per process and the ratio for N = 50, 150 and 300.
//
//   process_pass_bench.exe [rounds]        (default 7 rounds per figure; the median counts)

#include <windows.h>

#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

#include "main/LibraryTable_win.h"
#include "main/processes/ProcessAccounting_win.h"
#include "main/processes/ProcessActivity.h"
#include "main/processes/ProcessCpu.h"
#include "main/processes/ProcessLayer_win.h"
#include "main/processes/ProcessListColumns.h"

namespace {

double Seconds() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER value;
        QueryPerformanceFrequency(&value);
        return value;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The process list as a refresh keeps it: rows by pid.
struct ProcessRows {
    RowTable table = MakeRowTable(kProcessColumnCount);
    std::unordered_map<DWORD, size_t> rowOf;
};

// Every per-process query of a refresh pass, with the texts it writes. Returns the process count.
size_t FullPass(ProcessRows& rows, ProcessIdSet& set) {
    BuildProcessIdSet(set);
    size_t sink = 0;
    for (uint32_t pid : set.ids) {
        ScopedProcessHandle process(OpenProcessForSample(pid));
        ProcessSample sample = TakeProcessSample(pid, process.get(), set);
        auto found = rows.rowOf.find(pid);
        size_t row;
        if (found == rows.rowOf.end()) {
            row = AppendRow(rows.table);
            rows.rowOf.emplace(pid, row);
            SetCellInteger(rows.table, row, kProcessColumnParentProcessId, ParentProcessId(pid));
            StoreIoCounts(rows.table, row, sample.io);
        } else {
            row = found->second;
        }
        if (process.get() != nullptr) {
            SetCell(rows.table, row, kProcessColumnCpuUsage,
                    CpuShareText(ProcessCpuShare(rows.table, row, process.get())));
            UpdateIoActivity(rows.table, row, sample.io);
        }
        SetCell(rows.table, row, kProcessColumnMemoryUsage, MemoryText(sample.workingSet));
        SetCell(rows.table, row, kProcessColumnVirtualMemory, MemoryText(sample.pagefileUsage));
        SetCell(rows.table, row, kProcessColumnPoolPaged, MemoryText(sample.pagedPool));
        SetCell(rows.table, row, kProcessColumnPoolNotPaged, MemoryText(sample.nonPagedPool));
        SetCell(rows.table, row, kProcessColumnRunningTime, RunningTimeTextOf(sample));
        SetCell(rows.table, row, kProcessColumnCpuTime, CpuTimeTextOf(sample));
        SetCellInteger(rows.table, row, kProcessColumnThreads, sample.threads);
        SetCellInteger(rows.table, row, kProcessColumnHandles, sample.handles);
        SetCell(rows.table, row, kProcessColumnFilePath, sample.path);
        sink += sample.name.size();
    }
    return set.ids.size() + (sink == static_cast<size_t>(-1) ? 1 : 0);
}

// Only the snapshot walk and one open per process.
size_t BaselinePass() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return 0;
    size_t count = 0;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        HANDLE process = OpenProcess(kProcessQueryAndRead, FALSE, entry.th32ProcessID);
        if (process != nullptr)
            CloseHandle(process);
        ++count;
    }
    CloseHandle(snapshot);
    return count;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

bool StartSleeper(const std::string& self, std::vector<PROCESS_INFORMATION>& sleepers) {
    std::string commandLine = "\"" + self + "\" sleep";
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(self.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return false;
    sleepers.push_back(info);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "sleep") == 0) {
        Sleep(15 * 60 * 1000);  // ends by itself should the benchmark be killed
        return 0;
    }
    int rounds = argc > 1 ? std::max(3, std::atoi(argv[1])) : 7;
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof(path));
    std::string self = path;

    OpenLibraryTable();
    InitProcessLayer();
    std::vector<PROCESS_INFORMATION> sleepers;
    std::printf("%8s %10s %16s %16s %8s\n", "sleepers", "processes", "full us/proc", "baseline us/proc", "ratio");
    for (size_t wanted : {50u, 150u, 300u}) {
        while (sleepers.size() < wanted) {
            if (!StartSleeper(self, sleepers)) {
                std::printf("could not start sleeper %zu\n", sleepers.size() + 1);
                break;
            }
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
