#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "main/processes/ProcessActivity.h"
#include "main/processes/ProcessIdSet.h"

// The process layer: privileges, process and driver enumeration, per-process queries and the
// elementary actions. Failures give neutral results ("" for texts, 0 for counts and success
// flags, -1 for a parent not found, -2 for a process that cannot be opened for trimming).

// Access rights as the layer asks for them. All access is the value every Windows version accepts.
constexpr DWORD kProcessAllAccess = 0x1F0FFF;
constexpr DWORD kProcessQueryAndRead = 0x410;

// Enables exactly the one named privilege in the process token; 0 when it could not be enabled,
// including when the token does not hold it.
BOOL EnablePrivilege(const char* privilegeName);

// Binds the process-status entry points when library slot 1 is open; otherwise the enumeration
// yields only what the Tool Help snapshot knows.
void InitProcessLayer();
// Releases the layer's state and the snapshot.
void FreeProcessLayer();

// A new Tool Help snapshot of processes and threads, and at most 256 ids from EnumProcesses for
// the cursor; returns their count.
DWORD BeginProcessEnumeration();
// The 1-based position of the next id, or 0 once past the last (and at every call after that).
DWORD NextProcess();
DWORD CurrentProcessId();

DWORD BeginDriverEnumeration();
DWORD NextDriver();
LPVOID CurrentDriverBase();
std::string DriverBaseName();
std::string DriverFileName();

// The id set of one refresh pass: the enumeration's ids, completed from the snapshot, each once,
// and the thread count of every process in the snapshot.
void BuildProcessIdSet(ProcessIdSet& set);
// The parent of the process in the latest snapshot; -1 when there is none or the id is not in it.
long ParentProcessId(DWORD pid);

std::string ProcessName(DWORD pid);
std::string ProcessNameFromHandle(HANDLE process);
std::string ProcessPathFromHandle(HANDLE process);
std::string ProcessPath(DWORD pid);
std::string SpecialFolderPath(int folderId);
std::string NormalizeImagePath(const std::string& path);

// The modules loaded into a process (at most kMaximumModules), names and normalised paths; empty
// when it cannot be opened for reading.
constexpr DWORD kMaximumModules = 1024;
struct ProcessModule {
    std::string name;
    std::string path;
};
std::vector<ProcessModule> ProcessModules(DWORD pid);
// When the process started, in local time; false when it cannot be opened.
bool ProcessCreationTime(DWORD pid, SYSTEMTIME& localTime);

uint64_t WorkingSetOf(HANDLE process);
uint64_t PagedPoolOf(HANDLE process);
uint64_t NonPagedPoolOf(HANDLE process);
uint64_t PagefileUsageOf(HANDLE process);
uint64_t WorkingSet(DWORD pid);
uint64_t PagefileUsage(DWORD pid);
bool IoCounters(HANDLE process, IoCounts& counts);
DWORD HandleCountOf(HANDLE process);

DWORD PriorityOfHandle(HANDLE process);
DWORD Priority(DWORD pid);
BOOL SetPriority(DWORD pid, DWORD priorityClass);
BOOL TerminateById(DWORD pid, UINT exitCode);
// The result of EmptyWorkingSet, or -2 when the process cannot be opened.
int TrimWorkingSet(DWORD pid);

// The memory status in bytes.
uint64_t TotalPhysicalMemory();
uint64_t UsedPhysicalMemory();
uint64_t TotalPageFile();
uint64_t UsedPageFile();
uint64_t TotalVirtualMemory();
