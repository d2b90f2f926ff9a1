#include "main/LibraryTable_win.h"

#include <string>

ExtractIconExFunction g_ExtractIconExA = nullptr;
PdhVbAddCounterFunction g_PdhVbAddCounter = nullptr;

namespace {

const char* const kLibraryNames[kLibrarySlotCount] = {
    "ntdll.dll",  "psapi.dll", "kernel32.dll", "PowrProf.dll", "Version.dll",
    "User32.dll", "PDH.dll",   "advapi32.dll", "shell32.dll",
};

HMODULE g_slots[kLibrarySlotCount] = {};

bool ValidSlot(int slot) {
    return slot >= 0 && slot < kLibrarySlotCount;
}

}  // namespace

const char* LibrarySlotName(int slot) {
    return ValidSlot(slot) ? kLibraryNames[slot] : nullptr;
}

HMODULE LoadLibrarySlot(int slot, const char* libraryName) {
    if (!ValidSlot(slot))
        return nullptr;
    // A library that was in the slot before stays loaded: entry points bound from it may still
    // be in use.
    g_slots[slot] = libraryName != nullptr ? LoadLibraryA(libraryName) : nullptr;
    return g_slots[slot];
}

bool IsSlotOpen(int slot) {
    return ValidSlot(slot) && g_slots[slot] != nullptr;
}

FARPROC SlotFunction(int slot, const char* functionName) {
    if (!IsSlotOpen(slot) || functionName == nullptr)
        return nullptr;
    return GetProcAddress(g_slots[slot], functionName);
}

void OpenLibraryTable() {
    // From the system folder only: a library of the same name planted beside the program (or in
    // the current folder) would otherwise run with the program's debug privilege.
    char system[MAX_PATH];
    UINT length = GetSystemDirectoryA(system, sizeof(system));
    std::string folder = length > 0 && length < sizeof(system) ? std::string(system, length) + "\\" : std::string();
    for (int slot = 0; slot < kLibrarySlotCount; ++slot)
        LoadLibrarySlot(slot, (folder + kLibraryNames[slot]).c_str());
    g_ExtractIconExA = SlotFunctionAs<ExtractIconExFunction>(kShell32Slot, "ExtractIconExA");
    g_PdhVbAddCounter = SlotFunctionAs<PdhVbAddCounterFunction>(kPdhSlot, "PdhVbAddCounter");
}
