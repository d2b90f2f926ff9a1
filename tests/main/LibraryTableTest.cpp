#include "main/LibraryTable_win.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

class LibraryTableTest : public testing::Test {
protected:
    void SetUp() override { OpenLibraryTable(); }
    void TearDown() override { OpenLibraryTable(); }
};

}  // namespace

TEST_F(LibraryTableTest, EverySlotOpensWithItsStartUpLookUps) {
    for (int slot = 0; slot < kLibrarySlotCount; ++slot)
        EXPECT_TRUE(IsSlotOpen(slot)) << LibrarySlotName(slot);
    EXPECT_STREQ(LibrarySlotName(kPdhSlot), "PDH.dll");
    EXPECT_STREQ(LibrarySlotName(kPsapiSlot), "psapi.dll");
    EXPECT_EQ(LibrarySlotName(kLibrarySlotCount), nullptr);
    EXPECT_NE(g_ExtractIconExA, nullptr);
    EXPECT_NE(g_PdhVbAddCounter, nullptr);
    EXPECT_EQ(reinterpret_cast<FARPROC>(g_ExtractIconExA),
              GetProcAddress(GetModuleHandleA("shell32.dll"), "ExtractIconExA"));
    EXPECT_NE(SlotFunction(kNtdllSlot, "NtSuspendProcess"), nullptr);
    EXPECT_NE(SlotFunction(kAdvapi32Slot, "A_SHAInit"), nullptr);
}

TEST_F(LibraryTableTest, SlotsAreFilledFromTheSystemFolder) {
    char system[MAX_PATH];
    ASSERT_GT(GetSystemDirectoryA(system, sizeof(system)), 0u);
    for (int slot = 0; slot < kLibrarySlotCount; ++slot) {
        char path[MAX_PATH] = {};
        HMODULE module = GetModuleHandleA(LibrarySlotName(slot));
        ASSERT_NE(module, nullptr) << LibrarySlotName(slot);
        GetModuleFileNameA(module, path, sizeof(path));
        EXPECT_EQ(CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, path, static_cast<int>(strlen(system)), system, -1),
                  CSTR_EQUAL)
            << path;
    }
}

TEST_F(LibraryTableTest, MissingNamesAndSlotsGiveNothing) {
    EXPECT_EQ(SlotFunction(kKernel32Slot, "VantrelNoSuchFunction"), nullptr);
    EXPECT_EQ(SlotFunction(kKernel32Slot, nullptr), nullptr);
    for (int slot : {-1, static_cast<int>(kLibrarySlotCount), 1000}) {
        EXPECT_FALSE(IsSlotOpen(slot));
        EXPECT_EQ(SlotFunction(slot, "GetProcessIoCounters"), nullptr);
        EXPECT_EQ(LoadLibrarySlot(slot, "kernel32.dll"), nullptr);
    }
}

TEST_F(LibraryTableTest, CallsGoThroughTypedEntryPoints) {
    using StringLength = int(WINAPI*)(LPCSTR);
    EXPECT_EQ((CallSlotFunction<StringLength>(kKernel32Slot, "lstrlenA", -1, "vantrel")), 7);
    EXPECT_EQ((CallSlotFunction<StringLength>(kKernel32Slot, "VantrelNoSuchFunction", -1, "vantrel")), -1);
    IO_COUNTERS counters{};
    using IoCountersFunction = BOOL(WINAPI*)(HANDLE, IO_COUNTERS*);
    EXPECT_TRUE((CallSlotFunction<IoCountersFunction>(kKernel32Slot, "GetProcessIoCounters", FALSE, GetCurrentProcess(),
                                                      &counters)));
}

TEST_F(LibraryTableTest, LibraryThatCannotBeLoadedEmptiesItsSlotOnly) {
    EXPECT_EQ(LoadLibrarySlot(kPowrProfSlot, "vantrel-no-such-library.dll"), nullptr);
    EXPECT_FALSE(IsSlotOpen(kPowrProfSlot));
    EXPECT_EQ(SlotFunction(kPowrProfSlot, "IsPwrShutdownAllowed"), nullptr);
    using Allowed = BOOLEAN(WINAPI*)();
    EXPECT_EQ((CallSlotFunction<Allowed>(kPowrProfSlot, "IsPwrShutdownAllowed", BOOLEAN{2})), 2);
    EXPECT_TRUE(IsSlotOpen(kVersionSlot)) << "the other slots stay as they were";
    EXPECT_NE(LoadLibrarySlot(kPowrProfSlot, "PowrProf.dll"), nullptr);
    EXPECT_NE(SlotFunction(kPowrProfSlot, "IsPwrShutdownAllowed"), nullptr);
}
