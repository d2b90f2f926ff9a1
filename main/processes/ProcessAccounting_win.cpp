#include "main/processes/ProcessAccounting_win.h"

#include <mmsystem.h>

#include "main/SystemFiles_win.h"
#include "main/processes/ProcessCpu.h"
#include "main/processes/ProcessLayerState_win.h"
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

// The executable's attributes and size, read once for both.
void ReadExecutableFile(KnownProcess& facts) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    SystemFileAccess file(facts.path);
    if (facts.path.empty() || !GetFileAttributesExA(file.path.c_str(), GetFileExInfoStandard, &data))
        return;
    facts.fileAttributes = data.dwFileAttributes;
    facts.fileSize = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// Name, path and executable file of the process, read on its first sample and then kept. A process
// whose image cannot be named yet (its loader has not run) is asked again next time.
void AddKnownFacts(ProcessSample& sample, HANDLE process) {
    KnownProcesses& known = LayerState().known;
    const KnownProcess* facts = FindKnownProcess(known, sample.pid, sample.creationTime);
    KnownProcess read;
    if (facts == nullptr) {
        read.creationTime = sample.creationTime;
        read.name = ProcessNameFromHandle(process);
        read.path = ProcessPathFromHandle(process);
        ReadExecutableFile(read);
        if (!read.path.empty())
            RememberProcess(known, sample.pid, read);
        facts = &read;
    }
    sample.name = facts->name;
    sample.path = facts->path;
    sample.fileAttributes = facts->fileAttributes;
    sample.fileSize = facts->fileSize;
}

// The changing figures from the pass's system query, which reads the times of other processes
// right where GetProcessTimes may not. The I/O counters where the query has them.
void AddSystemFigures(ProcessSample& sample, const SystemProcessRecord& record, uint32_t clock) {
    sample.threads = static_cast<int32_t>(record.threads);
    sample.parentPid = static_cast<int32_t>(record.parentPid);
    sample.handles = record.handles;
    sample.workingSet = record.workingSet;
    sample.pagefileUsage = record.pagefileUsage;
    sample.pagedPool = record.pagedPool;
    sample.nonPagedPool = record.nonPagedPool;
    sample.creationTime = record.creationTime;
    sample.kernelTime = record.kernelTime;
    sample.userTime = record.userTime;
    // One reading: the share is measured up to it and the next one from it.
    sample.cpu = MakeCpuSample(record.userTime, record.kernelTime, clock);
    sample.cpuNext = sample.cpu;
    sample.cpuRead = true;
    const IoCounts& io = record.io;
    if (io.readOperations | io.writeOperations | io.otherOperations | io.readBytes | io.writeBytes | io.otherBytes) {
        sample.io = io;
        sample.ioAvailable = true;
    }
}

void AddFiguresOfHandle(ProcessSample& sample, HANDLE process) {
    sample.workingSet = WorkingSetOf(process);
    sample.pagefileUsage = PagefileUsageOf(process);
    sample.pagedPool = PagedPoolOf(process);
    sample.nonPagedPool = NonPagedPoolOf(process);
    sample.handles = HandleCountOf(process);
    ProcessTimes times;
    if (ReadProcessTimes(process, times)) {
        sample.creationTime = times.creation;
        sample.kernelTime = times.kernel;
        sample.userTime = times.user;
    }
    sample.cpuRead = ReadCpuSamples(process, sample.cpu, sample.cpuNext);
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
    if (const SystemProcessRecord* record = SystemRecordOf(pid))
        AddSystemFigures(sample, *record, LayerState().systemRecordsClock);
    else
        AddFiguresOfHandle(sample, process);
    if (!sample.ioAvailable)
        sample.ioAvailable = IoCounters(process, sample.io);
    // The priority class, not the query's base priority: the two differ by definition.
    sample.priorityClass = PriorityOfHandle(process);
    AddKnownFacts(sample, process);
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
