#include "main/processes/ProcessAccounting_win.h"

#include <mmsystem.h>

#include "main/processes/ProcessCpu.h"
#include "main/processes/ProcessLayer_win.h"

namespace {

uint64_t Ticks(const FILETIME& time) {
    return (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

struct ProcessTimes {
    uint64_t creation = 0;
    uint64_t kernel = 0;
    uint64_t user = 0;
};

bool ReadProcessTimes(HANDLE process, ProcessTimes& times) {
    FILETIME creation{}, exit{}, kernel{}, user{};
    if (process == nullptr || !GetProcessTimes(process, &creation, &exit, &kernel, &user))
        return false;
    times.creation = Ticks(creation);
    times.kernel = Ticks(kernel);
    times.user = Ticks(user);
    return true;
}

// The times around a reading of the clock, for the share up to now and for the next one to start from.
bool ReadCpuSamples(HANDLE process, CpuSample& current, CpuSample& next) {
    ProcessTimes times;
    if (!ReadProcessTimes(process, times))
        return false;
    uint32_t clock = timeGetTime();
    uint32_t clockAfter = timeGetTime();
    current = MakeCpuSample(times.user, times.kernel, clock);
    // The stored sample is read afresh, as the next share is measured from this moment on.
    ProcessTimes fresh = times;
    ReadProcessTimes(process, fresh);
    next = MakeCpuSample(fresh.user, fresh.kernel, clockAfter);
    return true;
}

}  // namespace

int64_t NowUnixSeconds() {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    return UnixSecondsFromFileTime(Ticks(now));
}

HANDLE OpenProcessForSample(DWORD pid) {
    HANDLE process = OpenProcess(kProcessAllAccess, FALSE, pid);
    if (process == nullptr)
        process = OpenProcess(kProcessQueryAndRead, FALSE, pid);
    return process;
}

ProcessSample TakeProcessSample(DWORD pid, HANDLE process, const ProcessIdSet& set) {
    ProcessSample sample;
    sample.pid = pid;
    sample.threads = ThreadCount(set, pid);
    sample.parentPid = static_cast<int32_t>(ParentProcessId(pid));
    if (process == nullptr)
        return sample;
    sample.opened = true;
    sample.name = ProcessNameFromHandle(process);
    sample.ioAvailable = IoCounters(process, sample.io);
    sample.workingSet = WorkingSetOf(process);
    sample.pagefileUsage = PagefileUsageOf(process);
    sample.pagedPool = PagedPoolOf(process);
    sample.nonPagedPool = NonPagedPoolOf(process);
    sample.path = ProcessPathFromHandle(process);
    sample.handles = HandleCountOf(process);
    sample.priorityClass = PriorityOfHandle(process);
    ProcessTimes times;
    if (ReadProcessTimes(process, times)) {
        sample.creationTime = times.creation;
        sample.kernelTime = times.kernel;
        sample.userTime = times.user;
    }
    sample.cpuRead = ReadCpuSamples(process, sample.cpu, sample.cpuNext);
    return sample;
}

float ProcessCpuShare(RowTable& table, size_t row, HANDLE process) {
    CpuSample current, next;
    if (!ReadCpuSamples(process, current, next))
        return 0.0f;
    return UpdateCpuShare(table, row, current, next);
}

std::string RunningTimeTextOf(const ProcessSample& sample) {
    return RunningTimeText(UnixSecondsFromFileTime(sample.creationTime), NowUnixSeconds());
}

std::string CpuTimeTextOf(const ProcessSample& sample) {
    return CpuTimeText(sample.kernelTime, sample.userTime);
}
