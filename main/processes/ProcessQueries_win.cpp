#include <shlobj.h>

#include <algorithm>

#include "foundation/FileSystem.h"
#include "foundation/ScopedHandles_win.h"
#include "main/LibraryTable_win.h"
#include "main/SystemFiles_win.h"
#include "main/processes/ImagePath.h"
#include "main/processes/ProcessLayerState_win.h"
#include "main/processes/ProcessLayer_win.h"

namespace {

std::string FromBuffer(const char* text, DWORD length, DWORD capacity) {
    return std::string(text, std::min(length, capacity - 1));
}

bool MemoryCounters(HANDLE process, PROCESS_MEMORY_COUNTERS& counters) {
    auto query = LayerState().psapi.getProcessMemoryInfo;
    counters = PROCESS_MEMORY_COUNTERS{};
    counters.cb = sizeof(counters);
    return process != nullptr && query != nullptr && query(process, &counters, sizeof(counters));
}

uint64_t MemoryField(HANDLE process, SIZE_T PROCESS_MEMORY_COUNTERS::*field) {
    PROCESS_MEMORY_COUNTERS counters;
    return MemoryCounters(process, counters) ? counters.*field : 0;
}

template <typename Query>
auto WithOpenedProcess(DWORD pid, DWORD access, Query query) -> decltype(query(HANDLE())) {
    ScopedHandle process(OpenProcess(access, FALSE, pid));
    if (process.get() == nullptr)
        return decltype(query(HANDLE()))();
    return query(process.get());
}

bool ReadMemoryStatus(MEMORYSTATUSEX& status) {
    // The extended form: the plain one stops at 4 GB and misreports larger machines.
    status = MEMORYSTATUSEX{};
    status.dwLength = sizeof(status);
    return GlobalMemoryStatusEx(&status) != FALSE;
}

uint64_t MemoryStatusFigure(uint64_t (*figure)(const MEMORYSTATUSEX&)) {
    MEMORYSTATUSEX status;
    return ReadMemoryStatus(status) ? figure(status) : 0;
}

// The image path as the system keeps it (Vista and later), for processes whose module list cannot
// be read: a 64-bit process seen from this 32-bit program, or one whose loader has not run yet.
std::string ImagePathByQuery(HANDLE process) {
    char path[MAX_PATH] = "";
    DWORD length = sizeof(path);
    using Query = BOOL(WINAPI*)(HANDLE, DWORD, LPSTR, PDWORD);
    if (!CallSlotFunction<Query>(kKernel32Slot, "QueryFullProcessImageNameA", FALSE, process, 0, path, &length))
        return std::string();
    return FromBuffer(path, length, sizeof(path));
}

}  // namespace

std::string ProcessNameFromHandle(HANDLE process) {
    const ProcessStatusFunctions& psapi = LayerState().psapi;
    if (process == nullptr || psapi.enumProcessModules == nullptr || psapi.getModuleBaseName == nullptr)
        return std::string();
    // Room for one module handle: the first module is the executable.
    HMODULE module = nullptr;
    DWORD needed = 0;
    if (psapi.enumProcessModules(process, &module, sizeof(module), &needed) && module != nullptr) {
        char name[255];
        return FromBuffer(name, psapi.getModuleBaseName(process, module, name, sizeof(name)), sizeof(name));
    }
    return FileNameOfPath(ImagePathByQuery(process));
}

std::string ProcessName(DWORD pid) {
    return WithOpenedProcess(pid, kProcessQueryAndRead, ProcessNameFromHandle);
}

std::string ProcessPathFromHandle(HANDLE process) {
    auto query = LayerState().psapi.getModuleFileNameEx;
    if (process == nullptr || query == nullptr)
        return std::string();
    char path[MAX_PATH];
    std::string found = FromBuffer(path, query(process, nullptr, path, sizeof(path)), sizeof(path));
    return NormalizeImagePath(found.empty() ? ImagePathByQuery(process) : found);
}

std::string ProcessPath(DWORD pid) {
    return WithOpenedProcess(pid, kProcessQueryAndRead, ProcessPathFromHandle);
}

std::string SpecialFolderPath(int folderId) {
    LPITEMIDLIST list = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, folderId, &list)) || list == nullptr)
        return std::string();
    char path[MAX_PATH] = "";
    BOOL found = SHGetPathFromIDListA(list, path);
    CoTaskMemFree(list);
    return found ? std::string(path) : std::string();
}

std::string NormalizeImagePath(const std::string& path) {
    return NormalizeImagePathWith(path, WindowsFolder());
}

uint64_t WorkingSetOf(HANDLE process) {
    return MemoryField(process, &PROCESS_MEMORY_COUNTERS::WorkingSetSize);
}

uint64_t PagedPoolOf(HANDLE process) {
    return MemoryField(process, &PROCESS_MEMORY_COUNTERS::QuotaPagedPoolUsage);
}

uint64_t NonPagedPoolOf(HANDLE process) {
    return MemoryField(process, &PROCESS_MEMORY_COUNTERS::QuotaNonPagedPoolUsage);
}

uint64_t PagefileUsageOf(HANDLE process) {
    return MemoryField(process, &PROCESS_MEMORY_COUNTERS::PagefileUsage);
}

uint64_t WorkingSet(DWORD pid) {
    return WithOpenedProcess(pid, kProcessQueryAndRead, WorkingSetOf);
}

uint64_t PagefileUsage(DWORD pid) {
    return WithOpenedProcess(pid, kProcessQueryAndRead, PagefileUsageOf);
}

bool IoCounters(HANDLE process, IoCounts& counts) {
    if (process == nullptr)
        return false;
    IO_COUNTERS io{};
    if (!CallSlotFunction<BOOL(WINAPI*)(HANDLE, IO_COUNTERS*)>(kKernel32Slot, "GetProcessIoCounters", FALSE, process,
                                                               &io))
        return false;
    counts.readOperations = io.ReadOperationCount;
    counts.writeOperations = io.WriteOperationCount;
    counts.otherOperations = io.OtherOperationCount;
    counts.readBytes = io.ReadTransferCount;
    counts.writeBytes = io.WriteTransferCount;
    counts.otherBytes = io.OtherTransferCount;
    return true;
}

DWORD HandleCountOf(HANDLE process) {
    DWORD count = 0;
    if (process == nullptr || !CallSlotFunction<BOOL(WINAPI*)(HANDLE, DWORD*)>(kKernel32Slot, "GetProcessHandleCount",
                                                                               FALSE, process, &count))
        return 0;
    return count;
}

DWORD PriorityOfHandle(HANDLE process) {
    return process == nullptr ? 0 : GetPriorityClass(process);
}

DWORD Priority(DWORD pid) {
    return WithOpenedProcess(pid, kProcessQueryAndRead, PriorityOfHandle);
}

BOOL SetPriority(DWORD pid, DWORD priorityClass) {
    ScopedHandle process(OpenProcess(PROCESS_SET_INFORMATION, TRUE, pid));
    return process.get() != nullptr && SetPriorityClass(process.get(), priorityClass);
}

BOOL TerminateById(DWORD pid, UINT exitCode) {
    ScopedHandle process(OpenProcess(PROCESS_TERMINATE, FALSE, pid));
    return process.get() != nullptr && TerminateProcess(process.get(), exitCode);
}

int TrimWorkingSet(DWORD pid) {
    ScopedHandle process(OpenProcess(kProcessAllAccess, FALSE, pid));
    if (process.get() == nullptr)
        return -2;
    auto trim = LayerState().psapi.emptyWorkingSet;
    return trim != nullptr && trim(process.get()) ? 1 : 0;
}

uint64_t TotalPhysicalMemory() {
    return MemoryStatusFigure([](const MEMORYSTATUSEX& status) { return uint64_t{status.ullTotalPhys}; });
}

uint64_t UsedPhysicalMemory() {
    return MemoryStatusFigure(
        [](const MEMORYSTATUSEX& status) { return uint64_t{status.ullTotalPhys - status.ullAvailPhys}; });
}

uint64_t TotalPageFile() {
    return MemoryStatusFigure([](const MEMORYSTATUSEX& status) { return uint64_t{status.ullTotalPageFile}; });
}

uint64_t UsedPageFile() {
    return MemoryStatusFigure(
        [](const MEMORYSTATUSEX& status) { return uint64_t{status.ullTotalPageFile - status.ullAvailPageFile}; });
}

uint64_t TotalVirtualMemory() {
    return MemoryStatusFigure([](const MEMORYSTATUSEX& status) { return uint64_t{status.ullTotalVirtual}; });
}

std::vector<ProcessModule> ProcessModules(DWORD pid) {
    std::vector<ProcessModule> modules;
    const ProcessStatusFunctions& psapi = LayerState().psapi;
    if (psapi.enumProcessModules == nullptr || psapi.getModuleBaseName == nullptr ||
        psapi.getModuleFileNameEx == nullptr)
        return modules;
    ScopedHandle process(OpenProcess(kProcessQueryAndRead, FALSE, pid));
    if (process.get() == nullptr)
        return modules;
    HMODULE handles[kMaximumModules] = {};
    DWORD bytes = 0;
    if (!psapi.enumProcessModules(process.get(), handles, sizeof handles, &bytes))
        return modules;
    const DWORD count = std::min<DWORD>(bytes / sizeof(HMODULE), kMaximumModules);
    for (DWORD i = 0; i < count; ++i) {
        char name[1024] = "";
        char path[1024] = "";
        psapi.getModuleBaseName(process.get(), handles[i], name, sizeof name);
        psapi.getModuleFileNameEx(process.get(), handles[i], path, sizeof path);
        modules.push_back({name, NormalizeImagePath(path)});
    }
    return modules;
}

bool ProcessCreationTime(DWORD pid, SYSTEMTIME& localTime) {
    ScopedHandle process(OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, pid));
    FILETIME creation{}, exit{}, kernel{}, user{};
    FILETIME local{};
    return process.get() != nullptr && GetProcessTimes(process.get(), &creation, &exit, &kernel, &user) &&
           (creation.dwLowDateTime != 0 || creation.dwHighDateTime != 0) &&
           FileTimeToLocalFileTime(&creation, &local) && FileTimeToSystemTime(&local, &localTime);
}
