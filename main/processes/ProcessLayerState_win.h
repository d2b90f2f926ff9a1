#pragma once

// The process layer's module state, shared by its Win32 files only.

#include <windows.h>

#include <psapi.h>

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "foundation/ScopedHandles_win.h"
#include "main/processes/KnownProcesses.h"
#include "main/processes/ProcessIdSet.h"
#include "main/processes/SystemProcessRecords.h"

struct ProcessStatusFunctions {
    BOOL(WINAPI* enumProcesses)(DWORD*, DWORD, DWORD*) = nullptr;
    BOOL(WINAPI* enumProcessModules)(HANDLE, HMODULE*, DWORD, DWORD*) = nullptr;
    DWORD(WINAPI* getModuleBaseName)(HANDLE, HMODULE, LPSTR, DWORD) = nullptr;
    DWORD(WINAPI* getModuleFileNameEx)(HANDLE, HMODULE, LPSTR, DWORD) = nullptr;
    BOOL(WINAPI* enumDeviceDrivers)(LPVOID*, DWORD, DWORD*) = nullptr;
    DWORD(WINAPI* getDeviceDriverBaseName)(LPVOID, LPSTR, DWORD) = nullptr;
    DWORD(WINAPI* getDeviceDriverFileName)(LPVOID, LPSTR, DWORD) = nullptr;
    BOOL(WINAPI* getProcessMemoryInfo)(HANDLE, PROCESS_MEMORY_COUNTERS*, DWORD) = nullptr;
    BOOL(WINAPI* emptyWorkingSet)(HANDLE) = nullptr;
};

constexpr DWORD kMaximumDrivers = 1024;

using QuerySystemInformationFunction = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);

struct ProcessLayerState {
    ProcessStatusFunctions psapi;
    DWORD processIds[kProcessIdBufferBytes / sizeof(DWORD)] = {};
    EnumerationCursor processCursor;
    LPVOID driverBases[kMaximumDrivers] = {};
    EnumerationCursor driverCursor;
    ScopedHandle snapshot;
    // Parents from the latest snapshot, read once per snapshot on the first question.
    std::unordered_map<DWORD, DWORD> parents;
    bool parentsRead = false;
    // The system's process information query (ntdll); null where it is missing, and then the
    // figures come from the per-process calls.
    QuerySystemInformationFunction querySystemInformation = nullptr;
    std::vector<uint8_t> queryBuffer;
    // Its records of the latest pass in the system's order and by id, with the clock read right
    // after the query; empty when the pass could not use it.
    std::vector<SystemProcessRecord> systemRecords;
    std::unordered_map<DWORD, size_t> systemRecordIndex;
    uint32_t systemRecordsClock = 0;
    KnownProcesses known;
};

ProcessLayerState& LayerState();

// Runs the query into `state.systemRecords`; false (and no records) when it is missing or fails.
bool ReadSystemProcesses(ProcessLayerState& state);
// The latest pass's record of the process; null when it has none.
const SystemProcessRecord* SystemRecordOf(DWORD pid);
