#include "main/processes/SystemFigures_win.h"

#include <string>

#include "main/LibraryTable_win.h"
#include "main/processes/ProcessLayer_win.h"

namespace {

// The localised names of the processor object and its processor-time counter.
constexpr DWORD kProcessorObjectIndex = 238;
constexpr DWORD kProcessorTimeCounterIndex = 6;

uint64_t Ticks(const FILETIME& time) {
    return (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

std::string PerformanceName(DWORD index) {
    char name[1024] = "";
    DWORD length = sizeof(name);
    LONG status = CallSlotFunction<LONG(WINAPI*)(LPCSTR, DWORD, LPSTR, DWORD*)>(
        kPdhSlot, "PdhLookupPerfNameByIndexA", -1L, static_cast<LPCSTR>(nullptr), index, name, &length);
    // A failed look-up may leave anything in the buffer.
    if (status != 0)
        return std::string();
    name[sizeof(name) - 1] = '\0';
    return name;
}

}  // namespace

int ProcessorCount() {
    SYSTEM_INFO info{};
    GetSystemInfo(&info);
    return info.dwNumberOfProcessors > 0 ? static_cast<int>(info.dwNumberOfProcessors) : 1;
}

bool ReadSystemTimes(SystemTimes& times) {
    // Looked up by name: Windows 2000 and the first XP release lack it.
    using GetSystemTimesFunction = BOOL(WINAPI*)(FILETIME*, FILETIME*, FILETIME*);
    static const auto query =
        ExportedFunction<GetSystemTimesFunction>(GetModuleHandleA("kernel32.dll"), "GetSystemTimes");
    FILETIME idle{}, kernel{}, user{};
    if (query == nullptr || !query(&idle, &kernel, &user))
        return false;
    times.idle = Ticks(idle);
    times.kernel = Ticks(kernel);
    times.user = Ticks(user);
    return true;
}

int WholeSystemCpuUsage() {
    static CpuLoadMeter meter;
    SystemTimes now;
    if (!ReadSystemTimes(now))
        return 0;
    return MeasureCpuLoad(meter, now);
}

MemoryStatusFigures ReadMemoryStatus() {
    MemoryStatusFigures memory;
    memory.totalPhysical = TotalPhysicalMemory();
    memory.usedPhysical = UsedPhysicalMemory();
    memory.totalPageFile = TotalPageFile();
    memory.usedPageFile = UsedPageFile();
    return memory;
}

void SetUpProcessorCounters(ProcessorCounters& counters, int processorCount) {
    counters = ProcessorCounters{};
    if (!IsSlotOpen(kPdhSlot) || g_PdhVbAddCounter == nullptr)
        return;
    // The names come first: without them no counter can be added, and a query is not opened for
    // nothing (Wine's PDH.dll has no processor object, and its PdhVbOpenQuery is a stub that ends
    // the process).
    std::string objectName = PerformanceName(kProcessorObjectIndex);
    std::string counterName = PerformanceName(kProcessorTimeCounterIndex);
    if (objectName.empty() || counterName.empty())
        return;
    if (CallSlotFunction<LONG(WINAPI*)(HANDLE*)>(kPdhSlot, "PdhVbOpenQuery", -1L, &counters.query) != 0) {
        counters.query = nullptr;
        return;
    }
    for (int processor = 0; processor < processorCount; ++processor) {
        HANDLE counter = nullptr;
        std::string path = ProcessorCounterPath(objectName, processor, counterName);
        if (g_PdhVbAddCounter(counters.query, path.c_str(), &counter) != 0)
            counter = nullptr;
        counters.counters.push_back(counter);
    }
    counters.statuses.assign(counters.counters.size(), 0);
}

void CloseProcessorCounters(ProcessorCounters& counters) {
    if (counters.query != nullptr)
        CallSlotFunction<LONG(WINAPI*)(HANDLE)>(kPdhSlot, "PdhCloseQuery", 0L, counters.query);
    counters = ProcessorCounters{};
}

void UpdateSystemFigures(SystemFigures& figures, ProcessorCounters& counters) {
    figures.totalCpu = WholeSystemCpuUsage();
    figures.processorCpu.assign(static_cast<size_t>(ProcessorCount()), figures.totalCpu);
    bool collected = counters.query != nullptr &&
                     CallSlotFunction<LONG(WINAPI*)(HANDLE)>(kPdhSlot, "PdhCollectQueryData", -1L, counters.query) == 0;
    using ValueFunction = double(WINAPI*)(HANDLE, DWORD*);
    ValueFunction value = collected ? SlotFunctionAs<ValueFunction>(kPdhSlot, "PdhVbGetDoubleCounterValue") : nullptr;
    for (size_t i = 0; value != nullptr && i < figures.processorCpu.size() && i < counters.counters.size(); ++i) {
        if (counters.counters[i] == nullptr)
            continue;
        counters.statuses[i] = 0;
        double percent = value(counters.counters[i], &counters.statuses[i]);
        figures.processorCpu[i] = ProcessorFigure(percent, counters.statuses[i], figures.totalCpu);
    }
    UpdateMemoryPercents(figures, ReadMemoryStatus());
}
