#include "main/LibraryTable_win.h"

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
    for (int slot = 0; slot < kLibrarySlotCount; ++slot)
        LoadLibrarySlot(slot, kLibraryNames[slot]);
    g_ExtractIconExA = SlotFunctionAs<ExtractIconExFunction>(kShell32Slot, "ExtractIconExA");
    g_PdhVbAddCounter = SlotFunctionAs<PdhVbAddCounterFunction>(kPdhSlot, "PdhVbAddCounter");
}
