#pragma once

// The process layer's module state, shared by its Win32 files only.

#include <windows.h>

#include <psapi.h>

#include <unordered_map>

#include "foundation/ScopedHandles_win.h"
#include "main/processes/ProcessIdSet.h"

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
};

ProcessLayerState& LayerState();
