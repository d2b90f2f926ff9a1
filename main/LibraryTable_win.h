#pragma once

#include <windows.h>

// System libraries that a Windows version may lack or export only in part are opened by name
// into nine numbered slots; an empty slot or a missing function switches its feature off.

enum LibrarySlot : int {
    kNtdllSlot = 0,     // pause and resume of processes
    kPsapiSlot = 1,     // process and driver enumeration, memory counters, trimming
    kKernel32Slot = 2,  // I/O counters, handle counts, whether the process runs under WoW64
    kPowrProfSlot = 3,  // which power actions are allowed
    kVersionSlot = 4,   // file version information
    kUser32Slot = 5,    // closing top-level windows
    kPdhSlot = 6,       // per-processor CPU figures
    kAdvapi32Slot = 7,  // SHA-1 of executables, deleting registry keys by view, indirect texts
    kShell32Slot = 8,   // icons of the lists
    kLibrarySlotCount = 9,
};

// The exact name the loader is given for the slot; null outside 0 to 8.
const char* LibrarySlotName(int slot);

// Loads the library into the slot; 0, and an empty slot, when it cannot be loaded.
HMODULE LoadLibrarySlot(int slot, const char* libraryName);
bool IsSlotOpen(int slot);
// Null when the slot is empty or the library does not export the name.
FARPROC SlotFunction(int slot, const char* functionName);

// An entry point found by name as the caller's function pointer type, e.g.
// FunctionAs<BOOL(WINAPI*)(HANDLE, PDWORD)>(entry).
template <typename FunctionPointer>
FunctionPointer FunctionAs(FARPROC entry) {
    return reinterpret_cast<FunctionPointer>(reinterpret_cast<void (*)()>(entry));
}

// The export of a library this process has loaded; null when the module is null or lacks the name.
template <typename FunctionPointer>
FunctionPointer ExportedFunction(HMODULE module, const char* functionName) {
    return module == nullptr ? nullptr : FunctionAs<FunctionPointer>(GetProcAddress(module, functionName));
}

template <typename FunctionPointer>
FunctionPointer SlotFunctionAs(int slot, const char* functionName) {
    return FunctionAs<FunctionPointer>(SlotFunction(slot, functionName));
}

// Looks the name up and calls it; `fallback` when the slot is empty or the name is missing, so a
// caller never calls a null entry point.
template <typename FunctionPointer, typename Result, typename... Arguments>
Result CallSlotFunction(int slot, const char* functionName, Result fallback, Arguments... arguments) {
    FunctionPointer function = SlotFunctionAs<FunctionPointer>(slot, functionName);
    if (function == nullptr)
        return fallback;
    return static_cast<Result>(function(arguments...));
}

// Start-up: every slot in slot order, then the two entry points kept for the whole run.
void OpenLibraryTable();

using ExtractIconExFunction = UINT(WINAPI*)(LPCSTR, int, HICON*, HICON*, UINT);
using PdhVbAddCounterFunction = LONG(WINAPI*)(HANDLE, LPCSTR, HANDLE*);

// Looked up once by OpenLibraryTable; either may be null.
extern ExtractIconExFunction g_ExtractIconExA;
extern PdhVbAddCounterFunction g_PdhVbAddCounter;
