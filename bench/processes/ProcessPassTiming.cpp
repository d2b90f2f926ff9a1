#include "bench/processes/ProcessPassTiming.h"

#include <cstdio>

#include <tlhelp32.h>

#include <algorithm>

#include "foundation/ScopedHandles_win.h"
#include "main/processes/ProcessAccounting_win.h"
#include "main/processes/ProcessActivity.h"
#include "main/processes/ProcessCpu.h"
#include "main/processes/ProcessLayer_win.h"

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

double Median(std::vector<double> values) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

Sleepers::Sleepers() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof(path));
    program = path;
    program = program.substr(0, program.rfind('\\') + 1) + "bench_sleeper.exe";
}

Sleepers::~Sleepers() {
    EndOldest(running.size());
}

bool Sleepers::Start() {
    std::string commandLine = "\"" + program + "\" sleep";
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info))
        return false;
    running.push_back(info);
    return true;
}

void Sleepers::StartUntil(size_t wanted) {
    while (running.size() < wanted) {
        if (!Start()) {
            std::printf("could not start sleeper %zu\n", running.size() + 1);
            return;
        }
    }
}

void Sleepers::EndOldest(size_t count) {
    for (size_t i = 0; i < count && !running.empty(); ++i) {
        PROCESS_INFORMATION& oldest = running.front();
        TerminateProcess(oldest.hProcess, 0);
        WaitForSingleObject(oldest.hProcess, 5000);
        CloseHandle(oldest.hThread);
        CloseHandle(oldest.hProcess);
        running.pop_front();
    }
}

size_t FullPass(ProcessRows& rows, ProcessIdSet& set) {
    BuildProcessIdSet(set);
    size_t sink = 0;
    for (uint32_t pid : set.ids) {
        ScopedHandle process(OpenProcessForSample(pid));
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
        if (sample.opened) {
            float share = sample.cpuRead ? UpdateCpuShare(rows.table, row, sample.cpu, sample.cpuNext) : 0.0f;
            SetCell(rows.table, row, kProcessColumnCpuUsage, CpuShareText(share));
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
